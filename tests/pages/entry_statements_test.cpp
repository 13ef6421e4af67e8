// The entry page's statements: the texts the page has always issued for
// ordinary input, and nothing a user types can change what they mean.

#include "mainwindow/entry/entry_statements.h"

#include "ledger/error.h"

#include <gtest/gtest.h>

namespace entry = mainwindow::entry;

namespace {

ledger::DateTime day(int y, int m, int d)
{
    return *ledger::DateTime::make(y, m, d);
}

TEST(EntryStatements, AreThePagesTextsForOrdinaryInput)
{
    ledger::setShortDateFormat({});
    EXPECT_EQ(entry::dayList("Z", day(2024, 3, 5)),
              "select id as 编号,s_date as 时间 ,f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as 账户,s_other as 备注 "
              "from s_z_all where f_class='Z' and s_date=#2024/3/5#");
    EXPECT_EQ(entry::itemSearch("S", "gz"),
              "select  f_name as 项目 ,f_pinyin as 助记码 ,f_id from s_fenlei where f_id<>0 and f_class='S' and "
              "f_name+f_pinyin like '%gz%'");
    EXPECT_EQ(entry::itemList("Z"), "select  f_name as 项目 ,f_pinyin as 助记码 ,f_id from s_fenlei where f_id<>0 and f_class='Z'");
    entry::RecordValues v{"2", "12.5", 1, "豆浆", 3, day(2024, 3, 5)};
    EXPECT_EQ(entry::insertRecord(v, "Z"), "insert into s_shouru (f_fenleiid,s_jine,s_userid, s_other, s_zhanghuid,s_date,f_class) "
                                           "values (2,12.5,1,'豆浆',3,'2024/3/5','Z')");
    EXPECT_EQ(entry::updateRecord(v, "7"), "update  s_shouru set f_fenleiid=2,s_jine=12.5,s_userid=1, s_other='豆浆', "
                                           "s_zhanghuid=3,s_date='2024/3/5' where id=7");
    EXPECT_EQ(entry::deleteRecord("7"), "delete from s_shouru where id=7");
    EXPECT_EQ(entry::categoryName("1"), "Select f_name from s_fenlei where id=1");
    EXPECT_EQ(entry::categoryBudget("1"), "Select y_money from y_yushuan where id=1");
    EXPECT_EQ(entry::incomeBetween("S", day(2024, 2, 1), day(2024, 2, 29), true),
              "Select sum(s_jine) as a from s_shouru where f_class='S' and  s_date between #2024-02-01#  and #2024-02-29#");
    EXPECT_EQ(entry::incomeBetween("S", day(2024, 3, 1), day(2024, 3, 15), false),
              "Select sum(s_jine) as a from s_shouru where f_class='S' and s_date between #2024-03-01#  and #2024-03-15#");
}

TEST(EntryStatements, QuotesAndPatternCharactersCannotChangeAStatement)
{
    entry::RecordValues v{"2", "1", 1, "Tom's'; delete from s_user", 1, day(2024, 3, 5)};
    EXPECT_NE(entry::insertRecord(v, "Z").find("'Tom''s''; delete from s_user'"), std::string::npos);
    EXPECT_EQ(entry::itemIdByName("早\"餐", "Z"), "Select id from s_fenlei where f_name=\"早\"\"餐\" and f_id<>0 and f_class='Z'");
    EXPECT_NE(entry::itemSearch("Z", "50%_[x]'").find("like '%50[%][_][[]x]''%'"), std::string::npos);
    EXPECT_THROW(entry::deleteRecord("7 or 1=1"), ledger::Error);
    EXPECT_THROW(entry::categoryName(""), ledger::Error);
    EXPECT_THROW(entry::itemList("Z' or 'a'='a"), ledger::Error);
    v.itemId = "2;";
    EXPECT_THROW(entry::insertRecord(v, "Z"), ledger::Error);
}

TEST(EntryStatements, AmountsAreDecimalNumbersWithAtMostTwoDecimals)
{
    const std::pair<const char*, const char*> good[] = {{"12.5", "12.5"}, {" 30 ", "30"}, {"0.00", "0.00"}, {".5", ".5"},
                                                        {"12.", "12."},    {"0", "0"},     {"1000.25", "1000.25"}};
    for (const auto& [typed, spliced] : good)
        EXPECT_EQ(entry::validAmount(typed).value_or("refused"), spliced) << typed;
    for (const char* bad : {"", " ", ".", "1 2", "1.234", "1.2.3", "-5", "1e3", "abc", "12a", "1,000", "9999999999999999"})
        EXPECT_FALSE(entry::validAmount(bad).has_value()) << bad;
}

} // namespace
