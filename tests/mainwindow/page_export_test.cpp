// "导出为 CSV…" on the pages' grids: the file a page's grid writes reads
// back to what that grid shows, with money as plain decimals.

#include "csv_reader.h"
#include "page_harness.h"

#include "mainwindow/accounts/accounts_page.h"
#include "mainwindow/budgets/budgets_page.h"
#include "mainwindow/entry/entry_page.h"
#include "mainwindow/loans/loans_page.h"
#include "mainwindow/reports/category_report_page.h"
#include "mainwindow/reports/flow_report_page.h"
#include "mainwindow/reports/person_report_page.h"
#include "mainwindow/transfers/transfers_page.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"
#include "widgets/spin_edit.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::CsvTable;
using testsupport::readCsv;

namespace {

// Through the keyboard's menu key on the grid, into `file`.
void exportGrid(testsupport::PageHarnessBase& h, const char* grid, const std::string& file)
{
    h.boxes.chooseFile(QString::fromStdString(file));
    QWidget* view = h.grid(grid)->view();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Menu);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << grid << " has no menu";
    ASSERT_EQ(menu->actions().size(), 1);
    menu->setActiveAction(menu->actions()[0]);
    QTest::keyClick(menu, Qt::Key_Return);
}

// What the grid shows, row by row under its titles, with "￥" taken off
// the money and dates as YYYY-MM-DD, which a spreadsheet reads as numbers
// and dates.
CsvTable shownAsPlainNumbers(testsupport::PageHarnessBase& h, const char* name)
{
    widgets::DataGrid* grid = h.grid(name);
    const widgets::QueryModel* model = grid->model();
    std::vector<int> shown;
    for (int c = 0; c < model->columnCount(); ++c)
        if (!grid->view()->isColumnHidden(c))
            shown.push_back(c);
    CsvTable table(1);
    for (const QString& t : h.titles(name))
        table.back().push_back(t.toStdString());
    for (int r = 0; r < model->rowCount(); ++r) {
        table.emplace_back();
        for (int c : shown) {
            const QModelIndex cell = model->index(r, c);
            QString text = model->data(cell).toString();
            if (model->isDateColumn(c))
                text = model->data(cell, Qt::EditRole).toDateTime().toString(QStringLiteral("yyyy-MM-dd"));
            if (text.startsWith(QStringLiteral("￥")))
                text = text.mid(1);
            if (text.startsWith(QLatin1Char('.')))
                text.prepend(QLatin1Char('0'));
            table.back().push_back(text.toStdString());
        }
    }
    return table;
}

TEST(PageExport, TheAccountsGridWritesItsAccountsAsShown)
{
    testsupport::PageHarness<mainwindow::AccountsPage> h;
    testsupport::TempDir out;
    h.household().addAccount("工资卡", "12000.5");
    h.db().execute("update z_zhanghu set z_other='工资, 奖金\n都进这张卡' where id=4");
    h.enter();
    exportGrid(h, "DBGridEh3", out.file("账户.csv"));
    const CsvTable file = readCsv(out.file("账户.csv"));
    EXPECT_EQ(file, shownAsPlainNumbers(h, "DBGridEh3"));
    ASSERT_EQ(file.size(), 5u);
    EXPECT_EQ(file[0][0], "账户名称") << "the hidden key is left out";
    EXPECT_EQ(file[4][0], "工资卡");
    EXPECT_EQ(file[4][1], "12000.50");
    EXPECT_EQ(file[4].back(), "工资, 奖金\n都进这张卡");
    EXPECT_EQ(file[1][6], "0.00");
}

TEST(PageExport, TheFlowReportWritesItsDaysAndTheRecordsOfTheDay)
{
    testsupport::PageHarness<mainwindow::FlowReportPage> h;
    testsupport::TempDir out;
    h.household().addUser("爸爸"); // 2
    h.household().addRecord("Z", 2, "12.5", "2024-03-04", 2, 1, "豆浆油条, \"两份\"");
    h.household().addRecord("Z", 3, "30", "2024-03-05", 2, 1);
    h.household().addRecord("S", 5, "8000", "2024-03-05", 2, 1, "三月工资");
    h.enter();
    h.find<widgets::DatePicker>("DateTimePicker5")->setDate(QDate(2024, 3, 4));
    h.find<widgets::DatePicker>("DateTimePicker6")->setDate(QDate(2024, 3, 10));
    h.click("Button43");

    exportGrid(h, "DBGridEh10", out.file("days.csv"));
    const CsvTable days = readCsv(out.file("days.csv"));
    EXPECT_EQ(days, shownAsPlainNumbers(h, "DBGridEh10"));
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0], (std::vector<std::string>{"日期", "收入", "支出"}));
    EXPECT_EQ(days[1][0], "2024-03-04");
    EXPECT_EQ(days[1][2], "12.50");

    exportGrid(h, "DBGridEh11", out.file("records.csv"));
    const CsvTable records = readCsv(out.file("records.csv"));
    EXPECT_EQ(records, shownAsPlainNumbers(h, "DBGridEh11"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1][2], "12.50");
    EXPECT_EQ(records[1][4], "豆浆油条, \"两份\"");
    ASSERT_EQ(h.boxes.fileSuggestions().size(), 2u);
    EXPECT_TRUE(h.boxes.fileSuggestions()[1].contains(QStringLiteral("/支出明细-")))
        << h.boxes.fileSuggestions()[1].toStdString();
}

// Each page lists what it lists in these grids; each offers the export
// under a name of its own.
template <class P>
void expectExportOn(const char* klass, std::initializer_list<const char*> grids)
{
    testsupport::PageHarness<P> h;
    h.enter(klass);
    for (const char* grid : grids) {
        h.grid(grid)->view()->setFocus();
        QTest::keyClick(h.grid(grid)->view(), Qt::Key_Menu);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << grid << " offers no export";
        EXPECT_EQ(menu->actions().value(0)->text(), QStringLiteral("导出为 CSV…")) << grid;
        menu->setActiveAction(menu->actions()[0]);
        QTest::keyClick(menu, Qt::Key_Return); // the save dialog is cancelled: nothing is written
    }
    EXPECT_EQ(h.boxes.fileSuggestions().size(), grids.size());
    QStringList names;
    for (const QString& path : h.boxes.fileSuggestions())
        names << QFileInfo(path).fileName().section(QLatin1Char('-'), 0, 0);
    names.removeDuplicates();
    EXPECT_EQ(static_cast<size_t>(names.size()), grids.size()) << names.join(',').toStdString();
    EXPECT_TRUE(h.boxes.shown().empty());
}

TEST(PageExport, EveryListOfRecordsOrReportRowsOffersIt)
{
    expectExportOn<mainwindow::EntryPage>("Z", {"DBGridEh1"});
    expectExportOn<mainwindow::AccountsPage>(nullptr, {"DBGridEh3"});
    expectExportOn<mainwindow::BudgetsPage>(nullptr, {"DBGridEh8"});
    expectExportOn<mainwindow::FlowReportPage>(nullptr, {"DBGridEh10", "DBGridEh11", "DBGridEh12"});
    expectExportOn<mainwindow::CategoryReportPage>(nullptr, {"DBGridEh13", "DBGridEh14"});
    expectExportOn<mainwindow::PersonReportPage>(nullptr, {"DBGridEh15"});
    expectExportOn<mainwindow::LoansPage>(nullptr, {"DBGridEh6"});
    expectExportOn<mainwindow::TransfersPage>(nullptr, {"DBGridEh7"});
}

// The comparison's sums are worked out by the statement; they still come
// out exact.
TEST(PageExport, TheBudgetComparisonWritesItsSumsAsPlainDecimals)
{
    testsupport::PageHarness<mainwindow::BudgetsPage> h;
    testsupport::TempDir out;
    h.household().setBudget(1, "1500.5", "饭钱, 含\"早餐\"");
    h.household().addRecord("Z", 2, "20.1", "2024-03-02");
    h.household().addRecord("Z", 3, "30.45", "2024-03-31");
    h.enter();
    h.find<widgets::SpinEdit>("SpinEdit2")->setText(QStringLiteral("2024"));
    h.find<widgets::SpinEdit>("SpinEdit1")->setText(QStringLiteral("3"));
    h.click("Button42");
    exportGrid(h, "DBGridEh8", out.file("budget.csv"));
    const CsvTable file = readCsv(out.file("budget.csv"));
    EXPECT_EQ(file, shownAsPlainNumbers(h, "DBGridEh8"));
    EXPECT_EQ(file, (CsvTable{{"项目名称", "本月消费总额", "预算消费金额", "备注"},
                              {"餐饮美食", "50.55", "1500.50", "饭钱, 含\"早餐\""}}));
}

} // namespace
