// A grid over an editable list: what is typed and chosen in the cells, what
// is appended, deleted, saved and dropped, always agreeing with the database.

#include "ledger_fixture.h"
#include "screenshots.h"
#include "scripted_message_boxes.h"
#include "typing.h"

#include "widgets/data_grid.h"
#include "widgets/date_picker.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using ledger::Query;
using testsupport::LedgerFixture;
using widgets::DataGrid;

namespace {

const char* kLoans = "select id,j_class,j_date as 日期,z_id,j_chuMoney as 借出金额,j_ruMoney as 已还金额,j_yuMoney as 余额,"
                     "j_shoudate as 预计回收期,j_jiege as 借给,j_jiekuanren as 借款人,j_other as 备注 from s_jie where "
                     "j_class=:j_ZorS";

// The loans list of the program: hidden keys, a look-up of the account,
// money, dates and a read-only balance.
class LoanGrid : public testing::Test {
protected:
    void SetUp() override
    {
        f.addLoan("Z", 1, "1000", "200", "2024-01-10");
        f.addLoan("Z", 2, "0.5", "0", "2024-02-01");
        accounts.setText("select id,z_name as 账户 from z_zhanghu");
        accounts.open();
        loans.setText(kLoans);
        loans.setParam("j_ZorS", "Z");
        loans.setBatchMode(true);
        loans.open();
        grid.resize(900, 300);
        grid.setQuery(loans);
        tester = std::make_unique<QAbstractItemModelTester>(grid.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        for (const char* hidden : {"id", "j_class", "z_id"})
            grid.column(hidden).hidden = true;
        grid.column("余额").readOnly = true;
        grid.column("借出金额").format = widgets::DisplayFormat::Yuan;
        grid.model()->addLookupColumn("账户", {&accounts, "z_id", "id", "账户"}, "日期");
        grid.model()->setColumnOrder({"id", "j_class", "z_id", "日期"});
        grid.applyColumns();
        grid.show();
        QApplication::setActiveWindow(&grid);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        grid.view()->setFocus();
    }

    int col(const char* name) { return grid.model()->columnOf(QString::fromUtf8(name)); }
    QModelIndex cell(int row, const char* name) { return grid.model()->index(row, col(name)); }
    QString shown(int row, const char* name) { return grid.model()->data(cell(row, name)).toString(); }

    void typeInto(int row, const char* name, const QString& text)
    {
        grid.view()->setCurrentIndex(cell(row, name));
        testsupport::typeText(grid.view(), text);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, grid.view()) << "typing did not start editing " << name;
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the editor commits on the next turn of the event loop
    }

    LedgerFixture f;
    Query accounts{f.db(), "ADOQuery12"};
    Query loans{f.db(), "ADOQuery11"};
    DataGrid grid;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(LoanGrid, ShowsTheFieldsInGridOrderWithLookUpsAndFormats)
{
    QStringList titles;
    for (int c = 0; c < grid.model()->columnCount(); ++c)
        if (!grid.view()->isColumnHidden(c))
            titles << grid.model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles.join(','), QStringLiteral("日期,账户,借出金额,已还金额,余额,预计回收期,借给,借款人,备注"));
    EXPECT_EQ(shown(0, "账户"), QStringLiteral("现金"));
    EXPECT_EQ(shown(1, "账户"), QStringLiteral("银行卡"));
    EXPECT_EQ(shown(0, "借出金额"), QStringLiteral("￥1000.00"));
    EXPECT_EQ(shown(1, "借出金额"), QStringLiteral("￥.50"));
    EXPECT_EQ(shown(0, "已还金额"), QStringLiteral("200"));
    EXPECT_EQ(shown(0, "日期"), QStringLiteral("2024/1/10"));
}

TEST_F(LoanGrid, TypingEditsACellAndLeavingTheRowPostsIt)
{
    typeInto(0, "借款人", QStringLiteral("老王"));
    typeInto(0, "借出金额", QStringLiteral("123.45"));
    EXPECT_EQ(loans.text("借款人"), "老王");
    EXPECT_EQ(shown(0, "借出金额"), QStringLiteral("￥123.45"));
    EXPECT_EQ(loans.editState(), Query::EditState::Edit);
    QTest::keyClick(grid.view(), Qt::Key_Down);
    EXPECT_EQ(loans.currentRow(), 1);
    EXPECT_EQ(loans.editState(), Query::EditState::Browse);
    EXPECT_EQ(loans.rowState(0), Query::RowState::Modified);
    EXPECT_EQ(f.scalar("select j_jiekuanren from s_jie where id=1"), "") << "nothing is written before the save";
    loans.updateBatch();
    EXPECT_EQ(f.scalar("select j_jiekuanren from s_jie where id=1"), "老王");
    EXPECT_EQ(f.scalar("select j_chuMoney from s_jie where id=1"), "123.45");
}

TEST_F(LoanGrid, EscapeDropsTheRowsEdits)
{
    typeInto(1, "借给", QStringLiteral("小李"));
    typeInto(1, "备注", QStringLiteral("午饭"));
    QTest::keyClick(grid.view(), Qt::Key_Escape);
    EXPECT_EQ(loans.text("借给"), "");
    EXPECT_EQ(loans.text("备注"), "");
    EXPECT_FALSE(loans.hasPendingChanges());
}

TEST_F(LoanGrid, TheDateEditorAndTheLookUpListSetTheirFields)
{
    grid.view()->setCurrentIndex(cell(1, "日期"));
    grid.view()->edit(cell(1, "日期"));
    auto* date = qobject_cast<widgets::DatePicker*>(QApplication::focusWidget());
    ASSERT_NE(date, nullptr);
    date->setDate(QDate(2024, 3, 8));
    QTest::keyClick(date, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(loans.text("日期"), "2024/3/8");

    grid.view()->setCurrentIndex(cell(1, "账户"));
    grid.view()->edit(cell(1, "账户"));
    auto* list = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(list, nullptr);
    QTest::qWait(20);
    EXPECT_TRUE(list->view()->isVisible()) << "the list drops down as soon as editing starts";
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("账户"));
    list->hidePopup();
    list->setCurrentIndex(2);
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(loans.text("z_id"), "3");
    EXPECT_EQ(shown(1, "账户"), QStringLiteral("信用卡"));
}

TEST_F(LoanGrid, AKeyWithoutAListEntryShowsNothing)
{
    f.db().execute("update s_jie set z_id=77 where id=2");
    loans.requery();
    EXPECT_EQ(shown(1, "账户"), QString());
    EXPECT_EQ(shown(0, "账户"), QStringLiteral("现金"));
}

TEST_F(LoanGrid, ReadOnlyAndHiddenColumnsCannotBeEdited)
{
    EXPECT_FALSE(grid.model()->flags(cell(0, "余额")) & Qt::ItemIsEditable);
    EXPECT_FALSE(grid.model()->flags(cell(0, "id")) & Qt::ItemIsEditable);
    EXPECT_FALSE(grid.model()->flags(cell(0, "z_id")) & Qt::ItemIsEditable);
    EXPECT_TRUE(grid.model()->flags(cell(0, "借给")) & Qt::ItemIsEditable);
    grid.view()->setCurrentIndex(cell(0, "余额"));
    testsupport::typeText(grid.view(), QStringLiteral("5"));
    EXPECT_EQ(QApplication::focusWidget(), grid.view());
    EXPECT_FALSE(loans.hasPendingChanges());
    EXPECT_FALSE(grid.model()->setData(cell(0, "余额"), QStringLiteral("1")));
}

TEST_F(LoanGrid, AppendDeleteSaveAndCancelKeepGridAndDatabaseAgreed)
{
    loans.append();
    EXPECT_EQ(grid.view()->currentIndex().row(), 2) << "the new row becomes current";
    loans.setValue("j_class", "Z");
    typeInto(2, "借给", QStringLiteral("张阿姨"));
    typeInto(2, "借出金额", QStringLiteral("50"));
    loans.first();
    loans.setCurrentRow(1);
    loans.deleteRow();
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(shown(1, "借给"), QStringLiteral("张阿姨"));

    loans.cancelBatch();
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(shown(1, "借出金额"), QStringLiteral("￥.50"));

    loans.append();
    loans.setValue("j_class", "Z");
    typeInto(2, "借给", QStringLiteral("张阿姨"));
    loans.setCurrentRow(0);
    loans.deleteRow();
    loans.updateBatch();
    EXPECT_EQ(testsupport::rowTexts(f.db().select("select id, j_jiege from s_jie").rows),
              (std::vector<std::string>{"2|", "3|张阿姨"}));
    EXPECT_EQ(shown(1, "借给"), QStringLiteral("张阿姨"));
    EXPECT_EQ(grid.model()->data(cell(1, "id"), Qt::DisplayRole).toString(), QStringLiteral("3"));
}

TEST_F(LoanGrid, TheQueryAndTheGridShareTheCurrentRow)
{
    loans.setCurrentRow(1);
    EXPECT_EQ(grid.view()->currentIndex().row(), 1);
    grid.view()->setCurrentIndex(cell(0, "借给"));
    EXPECT_EQ(loans.currentRow(), 0);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("▸"));
}

// Moving the current row tells the view of the two marks that changed, not of every row.
TEST_F(LoanGrid, AMoveRepaintsTheMarksOfTheRowsLeftAndEntered)
{
    QSignalSpy marks(grid.model(), &QAbstractItemModel::headerDataChanged);
    loans.setCurrentRow(1);
    std::vector<std::pair<int, int>> told;
    for (const QList<QVariant>& signal : marks)
        told.emplace_back(signal.at(1).toInt(), signal.at(2).toInt());
    EXPECT_EQ(told, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}}));
    EXPECT_EQ(grid.model()->headerData(0, Qt::Vertical).toString(), QString());
    EXPECT_EQ(grid.model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("▸"));
}

// The current row is painted light sky blue, except the cell with the
// focus while the grid has it.
TEST_F(LoanGrid, TheCurrentRowIsPaintedSkyBlueButTheFocusedCell)
{
    grid.setWholeRowSelection(true);
    grid.view()->setCurrentIndex(cell(1, "借给"));
    QApplication::processEvents();
    auto pixelAt = [&](const char* name) {
        const QRect r = grid.view()->visualRect(cell(1, name));
        return grid.view()->viewport()->grab().toImage().pixelColor(r.left() + 2, r.center().y());
    };
    ASSERT_TRUE(grid.view()->hasFocus());
    EXPECT_EQ(pixelAt("借出金额"), widgets::kCurrentRowColor);
    EXPECT_NE(pixelAt("借给"), widgets::kCurrentRowColor) << "the focused cell keeps the selection colours";
    testsupport::saveScreenshot(&grid, QStringLiteral("grid-focused"));

    QLineEdit elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    elsewhere.setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(grid.view()->hasFocus());
    EXPECT_EQ(pixelAt("借给"), widgets::kCurrentRowColor);
    EXPECT_EQ(pixelAt("借出金额"), widgets::kCurrentRowColor);
    const QRect other = grid.view()->visualRect(cell(0, "借给"));
    EXPECT_NE(grid.view()->viewport()->grab().toImage().pixelColor(other.left() + 2, other.center().y()),
              widgets::kCurrentRowColor);
}

// A look-up cell shows its drop-down button only where a name can be chosen.
TEST_F(LoanGrid, OnlyAnEditableLookUpShowsItsDropDownButton)
{
    auto darkPixels = [&] {
        const QRect r = grid.view()->visualRect(cell(0, "账户"));
        const QImage image = grid.view()->viewport()->grab().toImage();
        int dark = 0;
        for (int x = r.right() - 14; x < r.right() - 2; ++x)
            for (int y = r.top() + 2; y < r.bottom() - 1; ++y)
                dark += image.pixelColor(x, y).lightness() < 128;
        return dark;
    };
    EXPECT_GT(darkPixels(), 3);
    grid.column("账户").readOnly = true;
    grid.view()->viewport()->update();
    QApplication::processEvents();
    EXPECT_EQ(darkPixels(), 0);
}

} // namespace
