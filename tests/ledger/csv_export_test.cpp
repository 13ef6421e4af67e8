// CSV exports read back by a strict CSV reader to exactly the cells:
// Chinese text, quotes, commas and line breaks in notes, exact money, ISO
// dates; an export that is cancelled or fails leaves no file.

#include "file_checks.h"
#include "csv_reader.h"
#include "ledger_fixture.h"

#include "ledger/csv_export.h"
#include "ledger/error.h"
#include "ledger/sample_ledger.h"
#include "ledger/schema.h"

#include <gtest/gtest.h>

using filechecks::bytesOf;
using filechecks::namesIn;
using ledger::Currency;
using ledger::Error;
using ledger::ExportOutcome;
using ledger::Value;
using testsupport::LedgerFixture;
using testsupport::TempDir;

namespace {

using testsupport::readCsv;
using testsupport::Table;

TEST(CsvCells, MoneyIsExactWithTwoPlacesAtLeastAndDatesAreIso)
{
    const std::pair<Value, std::string> cases[] = {
        {Value(Currency::fromRaw(125000)), "12.50"},
        {Value(Currency::fromRaw(-800000)), "-80.00"},
        {Value(Currency::fromRaw(0)), "0.00"},
        {Value(Currency::fromRaw(3000)), "0.30"},
        {Value(Currency::fromRaw(-500)), "-0.05"},
        {Value(Currency::fromRaw(12345)), "1.2345"},
        {Value(Currency::fromRaw(12340)), "1.234"},
        {Value(Currency::fromRaw(INT64_MAX)), "922337203685477.5807"},
        {Value(Currency::fromRaw(INT64_MIN)), "-922337203685477.5808"},
        {Value(filechecks::at(2024, 3, 5, 0, 0, 0)), "2024-03-05"},
        {Value(filechecks::at(2024, 3, 5, 14, 30, 0)), "2024-03-05 14:30:00"},
        {Value(), ""},
        {Value(int64_t{-42}), "-42"},
        {Value(0.25), "0.25"},
        {Value("早餐"), "早餐"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(ledger::csvCellText(value), text) << text;
}

TEST(CsvFiles, AGridReadsBackToItsCellsExactly)
{
    TempDir dir;
    const std::string file = dir.file("日列表.csv");
    const std::vector<std::string> titles = {"时间", "项目", "金额", "备注"};
    const std::vector<std::vector<Value>> rows = {
        {Value(filechecks::at(2024, 3, 5, 0)), Value("早餐"), Value(Currency::fromRaw(125000)), Value("豆浆, 油条")},
        {Value(filechecks::at(2024, 3, 5, 12, 5, 9)), Value("午餐"), Value(Currency::fromRaw(-800000)), Value("他说\"好吃\"")},
        {Value(), Value("晚餐"), Value(Currency::fromRaw(12345)), Value("第一行\n第二行\r\n第三行")},
        {Value(filechecks::at(2024, 3, 6, 0)), Value(" 两边有空格 "), Value(), Value("\"")},
    };
    ASSERT_EQ(ledger::exportCsv(file, titles, static_cast<int64_t>(rows.size()),
                                [&](int64_t r, size_t c) { return rows[static_cast<size_t>(r)][c]; }),
              ExportOutcome::Written);
    const Table expected = {
        {"时间", "项目", "金额", "备注"},
        {"2024-03-05", "早餐", "12.50", "豆浆, 油条"},
        {"2024-03-05 12:05:09", "午餐", "-80.00", "他说\"好吃\""},
        {"", "晚餐", "1.2345", "第一行\n第二行\r\n第三行"},
        {"2024-03-06", " 两边有空格 ", "", "\""},
    };
    EXPECT_EQ(readCsv(file), expected);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"日列表.csv"});
}

TEST(CsvFiles, EveryRecordInDateOrderWithNamesOfGoneItemsUsersAndAccountsEmpty)
{
    LedgerFixture f;
    const int64_t user = f.addUser("妈妈");
    const int64_t account = f.addAccount("零钱包");
    const int64_t item = f.addItem(1, "Z", "夜宵", "yx");
    f.addRecord("S", 5, "8000", "2024-03-10", user, 2, "三月工资");
    f.addRecord("Z", 2, "12.5", "2024-03-05", 1, 1, "豆浆, \"甜\"\n两份");
    f.addRecord("Z", item, "30", "2024-03-05 21:30:00", user, account, "");
    f.addRecord("Z", 3, "-0.05", "2024-03-07", 99, 98, "用户和账户都不在了");
    f.db().execute("delete from s_fenlei where id=" + std::to_string(item));

    TempDir out;
    ASSERT_EQ(ledger::exportAllRecords(f.db(), out.file("全部收支.csv")), ExportOutcome::Written);
    const Table expected = {
        {"日期", "收支", "大类", "项目", "金额", "收付款人", "账户", "备注"},
        {"2024-03-05", "支出", "餐饮美食", "早餐", "12.50", "管理员", "现金", "豆浆, \"甜\"\n两份"},
        {"2024-03-05 21:30:00", "支出", "", "", "30.00", "妈妈", "零钱包", ""},
        {"2024-03-07", "支出", "餐饮美食", "午餐", "-0.05", "", "", "用户和账户都不在了"},
        {"2024-03-10", "收入", "工资薪金", "工资", "8000.00", "妈妈", "银行卡", "三月工资"},
    };
    EXPECT_EQ(readCsv(out.file("全部收支.csv")), expected);
}

TEST(CsvFiles, ACancelledExportLeavesNoFileAndKeepsAnOldOne)
{
    TempDir dir;
    const std::string file = dir.file("records.csv");
    auto cells = [](int64_t r, size_t) { return Value(r); };
    auto cancelHalfWay = [](int64_t written, int64_t total) { return written < total / 2; };
    EXPECT_EQ(ledger::exportCsv(file, {"n"}, 5000, cells, cancelHalfWay), ExportOutcome::Cancelled);
    EXPECT_TRUE(namesIn(dir.path()).empty());

    filechecks::writeBytes(file, "last year's export");
    EXPECT_EQ(ledger::exportCsv(file, {"n"}, 5000, cells, cancelHalfWay), ExportOutcome::Cancelled);
    EXPECT_EQ(bytesOf(file), "last year's export");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"records.csv"});

    TempDir sampleDir;
    ledger::createSampleLedger(sampleDir.file("fmy.dll"), {.records = 3000, .years = 1});
    ledger::Connection db;
    db.open(ledger::connectionStringFor(sampleDir.file("fmy.dll")));
    int64_t seenTotal = 0;
    EXPECT_EQ(ledger::exportAllRecords(db, dir.file("all.csv"),
                                       [&](int64_t written, int64_t total) {
                                           seenTotal = total;
                                           return written < 2000;
                                       }),
              ExportOutcome::Cancelled);
    EXPECT_EQ(seenTotal, 3000);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"records.csv"});
}

TEST(CsvFiles, AFailedExportLeavesNoFile)
{
    TempDir dir;
    EXPECT_THROW(ledger::exportCsv(dir.file("no-such-folder/out.csv"), {"n"}, 1, [](int64_t, size_t) { return Value(); }), Error);
    auto failing = [](int64_t r, size_t) {
        if (r == 2500)
            throw Error(Error::Kind::Range, "金额超出货币类型的范围");
        return Value(r);
    };
    EXPECT_THROW(ledger::exportCsv(dir.file("out.csv"), {"n"}, 5000, failing), Error);
    EXPECT_TRUE(namesIn(dir.path()).empty());
}

} // namespace
