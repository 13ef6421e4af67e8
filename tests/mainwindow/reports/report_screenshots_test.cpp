// The budget page and the three reports on the sample ledger of a year, as
// a family sees them after 刷新: saved for a person to look at, with the
// footers and the difference checked to be there and readable.

#include "page_harness.h"
#include "screenshots.h"

#include "ledger/sample_ledger.h"
#include "ledger/schema.h"
#include "mainwindow/budgets/budgets_page.h"
#include "mainwindow/reports/category_report_page.h"
#include "mainwindow/reports/flow_report_page.h"
#include "mainwindow/reports/person_report_page.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"

#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

struct SampleLedger {
    SampleLedger()
    {
        ledger::createSampleLedger(dir.file(ledger::kDatabaseFileName), {.records = 3000, .years = 1});
        db.open(ledger::connectionStringFor(dir.file(ledger::kDatabaseFileName)));
    }
    testsupport::TempDir dir;
    ledger::Connection db;
};

// Sets the period and presses 刷新.
template <class P>
void refresh(testsupport::PageHarness<P>& h, const char* first, const char* last, const char* button, int days)
{
    const QDate today = QDate::currentDate();
    h.template find<widgets::DatePicker>(first)->setDate(today.addDays(-days));
    h.template find<widgets::DatePicker>(last)->setDate(today);
    h.click(button);
    QApplication::processEvents();
}

// Every footer cell of a grid has room for its text.
void expectReadableFooter(widgets::DataGrid* grid)
{
    for (QLabel* cell : grid->findChildren<QLabel*>()) {
        if (cell->isVisible()) {
            EXPECT_LE(cell->fontMetrics().horizontalAdvance(cell->text()) + 8, cell->width())
                << grid->objectName().toStdString() << ": " << cell->text().toStdString();
        }
    }
}

class ReportScreenshots : public testing::Test {
protected:
    SampleLedger sample;
};

TEST_F(ReportScreenshots, FlowReport)
{
    testsupport::PageHarness<mainwindow::FlowReportPage> h(&sample.db);
    h.enter();
    refresh(h, "DateTimePicker5", "DateTimePicker6", "Button43", 30);
    EXPECT_GE(h.rowCount("DBGridEh10"), 25);
    EXPECT_GT(h.rowCount("DBGridEh11"), 0);
    for (const char* grid : {"DBGridEh10", "DBGridEh11", "DBGridEh12"})
        expectReadableFooter(h.grid(grid));
    testsupport::saveScreenshot(h.window(), QStringLiteral("report-flow"));
}

TEST_F(ReportScreenshots, CategoryReport)
{
    testsupport::PageHarness<mainwindow::CategoryReportPage> h(&sample.db);
    h.enter();
    refresh(h, "DateTimePicker8", "DateTimePicker7", "Button44", 365);
    EXPECT_GT(h.rowCount("DBGridEh13"), 20);
    for (const char* grid : {"DBGridEh13", "DBGridEh14"})
        expectReadableFooter(h.grid(grid));
    auto* difference = h.find<QLabel>("Label37");
    EXPECT_TRUE(difference->text().endsWith(QStringLiteral(" 元")));
    EXPECT_LE(difference->fontMetrics().horizontalAdvance(difference->text()), difference->width());
    testsupport::saveScreenshot(h.window(), QStringLiteral("report-category"));
}

TEST_F(ReportScreenshots, PersonReport)
{
    testsupport::PageHarness<mainwindow::PersonReportPage> h(&sample.db);
    h.enter();
    refresh(h, "DateTimePicker10", "DateTimePicker9", "Button45", 365);
    EXPECT_GE(h.rowCount("DBGridEh15"), 4 * 12);
    expectReadableFooter(h.grid("DBGridEh15"));
    testsupport::saveScreenshot(h.window(), QStringLiteral("report-person"));
}

TEST_F(ReportScreenshots, BudgetPage)
{
    testsupport::PageHarness<mainwindow::BudgetsPage> h(&sample.db);
    h.enter();
    EXPECT_GT(h.rowCount("DBGridEh8"), 0);
    testsupport::saveScreenshot(h.window(), QStringLiteral("budgets-comparison"));
    h.find<QTabWidget>("PageControl1")->setCurrentIndex(1);
    QApplication::processEvents();
    testsupport::saveScreenshot(h.window(), QStringLiteral("budgets-setting"));
}

} // namespace
