// The texts of sign-in, the users page and the entry page for ordinary
// input, and nothing a user types can change what they mean.

#include "pages/entry_statements.h"
#include "pages/sign_in_statements.h"
#include "pages/users_statements.h"

#include <gtest/gtest.h>

using namespace pages;

namespace {

ledger::DateTime day(int y, int m, int d)
{
    return *ledger::DateTime::make(y, m, d);
}

RecordValues record(const std::string& note)
{
    return {RowId(2), *TypedAmount::parse("12.5"), RowId(1), note, RowId(3), day(2024, 3, 5)};
}

TEST(EntryStatements, AreThePagesTextsForOrdinaryInput)
{
    EXPECT_EQ(
        dayList(ClassCode::Expenditure, day(2024, 3, 5)),
        "select id as 编号,s_date as 时间 ,f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as 账户,s_other as 备注 "
        "from s_z_all where f_class='Z' and s_date=#2024/3/5#");
    EXPECT_EQ(itemSearch(ClassCode::Income, "gz"),
              "select  f_name as 项目 ,f_pinyin as 助记码 ,f_id from s_fenlei where f_id<>0 and f_class='S' and "
              "f_name+f_pinyin like '%gz%'");
    EXPECT_EQ(itemList(ClassCode::Expenditure),
              "select  f_name as 项目 ,f_pinyin as 助记码 ,f_id from s_fenlei where f_id<>0 and f_class='Z'");
    EXPECT_EQ(insertRecord(record("豆浆"), ClassCode::Expenditure),
              "insert into s_shouru (f_fenleiid,s_jine,s_userid, s_other, s_zhanghuid,s_date,f_class) "
              "values (2,12.5,1,'豆浆',3,'2024/3/5','Z')");
    EXPECT_EQ(updateRecord(record("豆浆"), RowId(7)), "update  s_shouru set f_fenleiid=2,s_jine=12.5,s_userid=1, s_other='豆浆', "
                                                      "s_zhanghuid=3,s_date='2024/3/5' where id=7");
    EXPECT_EQ(deleteRecord(RowId(7)), "delete from s_shouru where id=7");
    EXPECT_EQ(categoryName(RowId(1)), "Select f_name from s_fenlei where id=1");
    EXPECT_EQ(categoryBudget(RowId(1)), "Select y_money from y_yushuan where id=1");
    EXPECT_EQ(lastMonthIncome(ClassCode::Income, day(2024, 2, 1), day(2024, 2, 29)),
              "Select sum(s_jine) as a from s_shouru where f_class='S' and  s_date between #2024-02-01#  and #2024-02-29#");
    EXPECT_EQ(monthIncomeToDate(ClassCode::Income, day(2024, 3, 1), day(2024, 3, 15)),
              "Select sum(s_jine) as a from s_shouru where f_class='S' and s_date between #2024-03-01#  and #2024-03-15#");
}

TEST(EntryStatements, QuotesAndPatternCharactersCannotChangeAStatement)
{
    EXPECT_NE(insertRecord(record("Tom's'; delete from s_user"), ClassCode::Expenditure).find("'Tom''s''; delete from s_user'"),
              std::string::npos);
    EXPECT_EQ(itemIdByName("早\"餐", ClassCode::Expenditure),
              "Select id from s_fenlei where f_name=\"早\"\"餐\" and f_id<>0 and f_class='Z'");
    EXPECT_NE(itemSearch(ClassCode::Expenditure, "50%_[x]'").find("like '%50[%][_][[]x]''%'"), std::string::npos);
}

TEST(SignInAndUsersStatements, AreTheProgramsTextsWithQuotesDoubled)
{
    EXPECT_EQ(userByName("爸爸"), "select * from s_user where sys_name=\"爸爸\"");
    EXPECT_EQ(userByName("a\"b"), "select * from s_user where sys_name=\"a\"\"b\"");
    EXPECT_EQ(rememberSignIn("爸爸", "abc"), "update sys_sys set isuser=\"爸爸\"  , ispwd=\"abc\" ,isji=1 where id =1 ");
    EXPECT_EQ(rememberSignIn("x", "\"; drop"), "update sys_sys set isuser=\"x\"  , ispwd=\"\"\"; drop\" ,isji=1 where id =1 ");
    EXPECT_EQ(std::string(kUsersList), "select id,sys_name as 用户名 ,sys_pwd as 密码 from s_user");
    EXPECT_EQ(deleteUser(RowId(12)), "delete from s_user where id=12");
}

} // namespace
