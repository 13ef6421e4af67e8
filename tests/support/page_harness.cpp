#include "page_harness.h"

#include "typing.h"

#include "ledger/schema.h"
#include "mainwindow/backups.h"
#include "pages/loans_statements.h"
#include "widgets/data_grid.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

namespace testsupport {

PageHarnessBase::PageHarnessBase(ledger::Connection* existing)
    : db_(existing ? *existing : own_), household_(db_), window_(std::make_unique<QWidget>())
{
    if (!existing) {
        const std::string path = dir_.file(ledger::kDatabaseFileName);
        ledger::createStartingDatabase(path);
        own_.open(ledger::connectionStringFor(path));
    }
    ADOQuery1_ = std::make_unique<ledger::Query>(db_, "ADOQuery1");
    ADOQuery4_ = std::make_unique<ledger::Query>(db_, "ADOQuery4");
    ADOQuery12_ = std::make_unique<ledger::Query>(db_, "ADOQuery12");
    ADOQuery12_->setText(pages::kAccountNames);
    auto* editid = new QLabel(QStringLiteral("0"), window_.get());
    editid->setObjectName(QStringLiteral("editid"));
    editid->hide();
    context_.reset(
        new mainwindow::PageContext{db_, *ADOQuery1_, *ADOQuery4_, *ADOQuery12_, boxes, QString(), editid, QDate::currentDate()});
    backups_ = std::make_unique<mainwindow::Backups>(db_);
    context_->backups = backups_.get();
    widgets::lendMessageBoxes(window_.get(), boxes);
    window_->resize(768, 511);
}

PageHarnessBase::~PageHarnessBase()
{
    window_.reset(); // the page goes before the queries it shows
    backups_.reset();
}

void PageHarnessBase::place(mainwindow::Page* page)
{
    page_ = page;
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    for (widgets::DataGrid* g : page->findChildren<widgets::DataGrid*>())
        if (g->model())
            new QAbstractItemModelTester(g->model(), QAbstractItemModelTester::FailureReportingMode::Fatal, g);
}

void PageHarnessBase::enter(const char* klass)
{
    if (klass)
        context_->b_zt = QString::fromUtf8(klass);
    page_->enter();
    page_->takeFocus();
    QApplication::processEvents();
}

widgets::DataGrid* PageHarnessBase::grid(const char* name) const
{
    return find<widgets::DataGrid>(name);
}

void PageHarnessBase::click(const char* name)
{
    clickOn(find(name));
}

void clickOn(QWidget* w)
{
    if (!w)
        return;
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(std::min(5, w->width() / 2), std::min(5, w->height() / 2)));
    QApplication::processEvents();
}

namespace {

int columnOf(widgets::DataGrid* g, const QString& column)
{
    if (!column.isEmpty()) {
        const int c = g->model()->columnOf(column);
        EXPECT_GE(c, 0) << "no column " << column.toStdString() << " in " << g->objectName().toStdString();
        return c;
    }
    for (int c = 0; c < g->model()->columnCount(); ++c)
        if (!g->view()->isColumnHidden(c))
            return c;
    return 0;
}

} // namespace

void PageHarnessBase::select(const char* name, int row, const QString& column)
{
    clickRow(grid(name), row, column);
}

void clickRow(widgets::DataGrid* g, int row, const QString& column)
{
    if (!g)
        return;
    const QModelIndex index = g->model()->index(row, columnOf(g, column));
    ASSERT_TRUE(index.isValid()) << "no row " << row << " in " << g->objectName().toStdString();
    g->view()->scrollTo(index);
    QTest::mouseClick(g->view()->viewport(), Qt::LeftButton, Qt::NoModifier, g->view()->visualRect(index).center());
    QApplication::processEvents();
}

void PageHarnessBase::typeIntoCell(const char* name, int row, const QString& column, const QString& text)
{
    testsupport::typeIntoCell(grid(name), row, column, text);
}

void typeIntoCell(widgets::DataGrid* g, int row, const QString& column, const QString& text)
{
    // Moved there as the arrow keys do: a click on the current cell would
    // start an editor of its own a moment later.
    const QModelIndex index = g->model()->index(row, columnOf(g, column));
    ASSERT_TRUE(index.isValid()) << "no row " << row << " in " << g->objectName().toStdString();
    g->view()->setFocus();
    g->view()->setCurrentIndex(index);
    typeText(g->view(), text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
}

void PageHarnessBase::press(const QKeySequence& keys)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keySequence(focus ? focus : window_.get(), keys);
    QApplication::processEvents();
}

QString PageHarnessBase::cell(const char* name, int row, const QString& column) const
{
    widgets::DataGrid* g = grid(name);
    const int c = g->model()->columnOf(column);
    EXPECT_GE(c, 0) << "no column " << column.toStdString() << " in " << name;
    return g->model()->data(g->model()->index(row, c)).toString();
}

QStringList PageHarnessBase::columnTexts(const char* name, const QString& column) const
{
    QStringList out;
    for (int r = 0; r < rowCount(name); ++r)
        out << cell(name, r, column);
    return out;
}

QStringList PageHarnessBase::rowTexts(const char* name, const QStringList& columns) const
{
    QStringList out;
    for (int r = 0; r < rowCount(name); ++r) {
        QStringList cells;
        for (const QString& column : columns)
            cells << cell(name, r, column);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

namespace {

// One text for each column the grid shows.
QStringList perShownColumn(widgets::DataGrid* g, const std::function<QString(int)>& text)
{
    QStringList out;
    for (int c = 0; g && c < g->model()->columnCount(); ++c)
        if (!g->view()->isColumnHidden(c))
            out << text(c);
    return out;
}

} // namespace

QStringList PageHarnessBase::titles(const char* name) const
{
    widgets::DataGrid* g = grid(name);
    return perShownColumn(g, [g](int c) { return g->model()->headerData(c, Qt::Horizontal).toString(); });
}

QStringList PageHarnessBase::footerTexts(const char* name) const
{
    widgets::DataGrid* g = grid(name);
    return perShownColumn(g, [g](int c) { return g->footerText(c); });
}

int PageHarnessBase::rowCount(const char* name) const
{
    widgets::DataGrid* g = grid(name);
    return g ? g->model()->rowCount() : 0;
}

} // namespace testsupport
