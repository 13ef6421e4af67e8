// "导出为 CSV…" of a grid: what reaches the file is what the grid shows
// (its shown columns in their order, looked-up names, exact money, ISO
// dates, text as typed), read back by a strict CSV reader; cancelling the
// dialog or the progress, or a folder that cannot be written, leaves no file.

#include "csv_reader.h"
#include "ledger_fixture.h"
#include "qt_printers.h"
#include "screenshots.h"
#include "scripted_message_boxes.h"

#include "ledger/error.h"
#include "widgets/data_grid.h"
#include "widgets/grid_export.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDate>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using ledger::Query;
using testsupport::CsvTable;
using testsupport::LedgerFixture;
using testsupport::readCsv;
using testsupport::ScriptedMessageBoxes;
using testsupport::TempDir;
using widgets::DataGrid;

namespace {

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Records as a page lists them: a hidden key, a date, the account looked up
// from its hidden key, money shown as "￥#.00" and a note.
class ExportGrid : public testing::Test {
protected:
    void SetUp() override
    {
        const int64_t cash = f.addAccount("现金");
        const int64_t card = f.addAccount("招商银行卡");
        const int64_t category = f.addCategory("Z", "餐饮");
        const int64_t item = f.addItem(category, "Z", "午饭", "wf");
        f.addRecord("Z", item, "12.5", "2024-03-01", 1, cash, "午饭, 和\"同事\"一起");
        f.addRecord("Z", item, "-80", "2024-03-02", 1, card, "两行\n备注");
        f.addRecord("Z", item, "0.05", "2024-12-31", 1, 999, ""); // an account that is gone
        accounts.setText("select id,z_name as 账户 from z_zhanghu");
        accounts.open();
        records.setText("select id,s_date as 日期,s_zhanghuid,s_jine,s_other as 备注 from s_shouru order by id");
        records.open();
        grid.resize(700, 300);
        grid.setQuery(records);
        grid.setColumns({{.field = "id", .hidden = true},
                         {.field = "日期"},
                         {.field = "账户", .lookup = widgets::Lookup{&accounts, "s_zhanghuid", "id", "账户"}},
                         {.field = "s_zhanghuid", .hidden = true},
                         {.field = "s_jine", .title = "金额", .format = widgets::DisplayFormat::Yuan},
                         {.field = "备注"}});
        grid.model()->setColumnOrder({"id", "日期", "账户"});
        grid.applyColumns();
        grid.enableCsvExport(QStringLiteral("收支记录"));
        widgets::lendMessageBoxes(&grid, boxes);
        grid.show();
        QApplication::setActiveWindow(&grid);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        grid.view()->setFocus();
    }

    void TearDown() override
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        QApplication::processEvents();
    }

    QString out(const char* name) const { return QString::fromStdString(dir.file(name)); }

    // The menu open now, or null.
    static QMenu* openMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

    // Picks "导出为 CSV…" in the open menu as a person would: the entry, then Enter.
    static void chooseExport(QMenu* menu)
    {
        ASSERT_NE(menu, nullptr) << "no menu open";
        QAction* entry = nullptr;
        for (QAction* a : menu->actions())
            if (a->text() == QStringLiteral("导出为 CSV…"))
                entry = a;
        ASSERT_NE(entry, nullptr);
        menu->setActiveAction(entry);
        QTest::keyClick(menu, Qt::Key_Return);
    }

    // The export from the keyboard's menu key into `file`.
    void exportTo(const QString& file)
    {
        boxes.chooseFile(file);
        QTest::keyClick(grid.view(), Qt::Key_Menu);
        chooseExport(openMenu());
    }

    LedgerFixture f;
    TempDir dir;
    ScriptedMessageBoxes boxes;
    Query accounts{f.db(), "ADOQuery12"};
    Query records{f.db(), "ADOQuery1"};
    DataGrid grid;
};

const CsvTable kShown = {
    {"日期", "账户", "金额", "备注"},
    {"2024-03-01", "现金", "12.50", "午饭, 和\"同事\"一起"},
    {"2024-03-02", "招商银行卡", "-80.00", "两行\n备注"},
    {"2024-12-31", "", "0.05", ""},
};

TEST_F(ExportGrid, TheFileReadsBackToTheShownColumnsAndExactCells)
{
    exportTo(out("记录.csv"));
    EXPECT_EQ(readCsv(dir.file("记录.csv")), kShown);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, ScriptedMessageBoxes::Kind::Information);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith(QStringLiteral("已导出 3 行到"))) << boxes.shown()[0].text.toStdString();
    EXPECT_EQ(boxes.progressShown().size(), 1u);

    // A pending edit is what the grid shows, so it is what goes out; a
    // moved column goes where it was moved to.
    records.setCurrentRow(0);
    records.setValue("s_jine", ledger::Value(*ledger::Currency::parse("1234567.8")));
    QHeaderView* header = grid.view()->horizontalHeader();
    header->moveSection(header->visualIndex(grid.model()->columnOf("备注")), 0);
    exportTo(out("moved.csv"));
    const CsvTable moved = readCsv(dir.file("moved.csv"));
    ASSERT_EQ(moved.size(), 4u);
    EXPECT_EQ(moved[0], (std::vector<std::string>{"备注", "日期", "账户", "金额"}));
    EXPECT_EQ(moved[1], (std::vector<std::string>{"午饭, 和\"同事\"一起", "2024-03-01", "现金", "1234567.80"}));
}

TEST_F(ExportGrid, TheMenuOpensFromTheMouseTheMenuKeyAndShiftF10)
{
    QTest::keyClick(grid.view(), Qt::Key_F10, Qt::ShiftModifier);
    QMenu* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->accessibleName().isEmpty());
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("导出为 CSV…"));
    testsupport::saveScreenshot(menu, QStringLiteral("grid_context_menu"));
    menu->close();
    QApplication::processEvents();

    QTest::keyClick(grid.view(), Qt::Key_Menu);
    ASSERT_NE(openMenu(), nullptr);
    openMenu()->close();

    const QPoint inCell = grid.view()->visualRect(grid.model()->index(1, 1)).center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, inCell, grid.view()->viewport()->mapToGlobal(inCell));
    QApplication::sendEvent(grid.view()->viewport(), &rightClick);
    ASSERT_NE(openMenu(), nullptr);
    openMenu()->close();

    // A grid that was not given the entry has no menu of its own.
    DataGrid plain;
    plain.setQuery(records);
    plain.show();
    QTest::keyClick(plain.view(), Qt::Key_Menu);
    EXPECT_EQ(openMenu(), nullptr);
}

TEST_F(ExportGrid, TheSaveDialogSuggestsTheNameAndTodayInTheLedgersFolder)
{
    QTest::keyClick(grid.view(), Qt::Key_Menu);
    chooseExport(openMenu());
    ASSERT_EQ(boxes.fileSuggestions().size(), 1u);
    const QString ledgerFolder = QFileInfo(QString::fromStdString(f.path())).absolutePath();
    EXPECT_EQ(boxes.fileSuggestions()[0],
              QDir(ledgerFolder).filePath(QStringLiteral("收支记录-") + QDate::currentDate().toString("yyyy-MM-dd") + ".csv"));
    // Cancelled: nothing written, nothing said.
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(boxes.progressShown().empty());
    EXPECT_TRUE(namesIn(dir.path()).empty());
}

TEST_F(ExportGrid, ACancelledExportLeavesNoFileAndKeepsTheOneThereBefore)
{
    {
        ledger::Transaction t(f.db());
        for (int i = 0; i < 2500; ++i)
            f.addRecord("Z", 1, "1", "2024-04-01", 1, 1, "第" + std::to_string(i) + "笔");
        t.commit();
    }
    records.requery();
    ASSERT_GT(grid.model()->rowCount(), 2000);

    boxes.cancelProgressAfter(2); // after the first thousand rows
    exportTo(out("records.csv"));
    EXPECT_TRUE(namesIn(dir.path()).empty());

    std::ofstream(dir.file("records.csv"), std::ios::binary) << "上个月的导出";
    boxes.cancelProgressAfter(2);
    exportTo(out("records.csv"));
    EXPECT_EQ(bytesOf(dir.file("records.csv")), "上个月的导出");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"records.csv"});
    EXPECT_TRUE(boxes.shown().empty()) << "a cancel is not a failure";

    // Not cancelled, it replaces the old file.
    exportTo(out("records.csv"));
    EXPECT_EQ(readCsv(dir.file("records.csv")).size(), 2504u);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"records.csv"});
}

TEST_F(ExportGrid, AFolderThatCannotTakeTheFileGivesARefusalWithTheReason)
{
    std::ofstream(dir.file("plain-file"), std::ios::binary) << "x";
    exportTo(out("plain-file/records.csv"));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, ScriptedMessageBoxes::Kind::Refusal);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith(QStringLiteral("导出失败："))) << boxes.shown()[0].text.toStdString();
    EXPECT_TRUE(boxes.shown()[0].text.contains(QString::fromStdString(dir.path()))) << boxes.shown()[0].text.toStdString();
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"plain-file"});
}

TEST_F(ExportGrid, AReadOnlyFolderGivesARefusal)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: folder permissions do not stop writes";
    const std::string locked = dir.file("locked");
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    exportTo(QString::fromStdString(locked + "/records.csv"));
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, ScriptedMessageBoxes::Kind::Refusal);
    EXPECT_TRUE(namesIn(locked).empty());
}

// The progress dialog lets events through; one that reopens the grid's
// query must not leave the export reading rows that are gone.
TEST_F(ExportGrid, RowsReplacedDuringTheExportStopItWithoutAFile)
{
    bool reopened = false;
    auto reopenOnce = [&](int64_t, int64_t) {
        if (!reopened) {
            reopened = true;
            records.reopen("select id,s_date as 日期,s_zhanghuid,s_jine,s_other as 备注 from s_shouru where id=1");
        }
        return true;
    };
    EXPECT_THROW(widgets::writeGridCsv(grid, out("changed.csv"), reopenOnce), ledger::Error);
    EXPECT_TRUE(namesIn(dir.path()).empty());
}

} // namespace
