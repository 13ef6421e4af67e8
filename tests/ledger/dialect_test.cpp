// What a reader of the dialect relies on: literals, dates, parameters,
// text rules, names, and the statement shapes the pages use.

#include "ledger_fixture.h"

#include "ledger/error.h"

#include <gtest/gtest.h>

using ledger::Error;
using ledger::Type;
using ledger::Value;
using testsupport::LedgerFixture;
using testsupport::rowTexts;

namespace {

class Dialect : public testing::Test {
protected:
    void SetUp() override
    {
        f.addUser("tom", "x");
        f.addUser("a\"b", "q");
        f.addUser("it's", "z");
        f.addRecord("Z", 2, "12.5", "2024-03-05", 2, 1, "note");
        f.addRecord("Z", 3, "30", "2024-03-06", 2, 2);
    }

    std::vector<std::string> rows(const std::string& statement, const ledger::Params& params = {})
    {
        return rowTexts(f.db().select(statement, params).rows);
    }

    Error::Kind errorOf(const std::string& statement, const ledger::Params& params = {})
    {
        try {
            if (f.db().translate(statement)->kind == ledger::jet::Translation::Kind::Select)
                f.db().select(statement, params);
            else
                f.db().execute(statement, params);
        } catch (const Error& e) {
            EXPECT_FALSE(std::string(e.what()).empty());
            return e.kind();
        }
        ADD_FAILURE() << "no error for: " << statement;
        return Error::Kind::Usage;
    }

    LedgerFixture f;
};

TEST_F(Dialect, TextLiteralsTakeEitherDelimiterWithDoubledDelimitersInside)
{
    EXPECT_EQ(rows("select id from s_user where sys_name=\"a\"\"b\""), std::vector<std::string>{"3"});
    EXPECT_EQ(rows("select id from s_user where sys_name='it''s'"), std::vector<std::string>{"4"});
    EXPECT_EQ(rows("select id from s_user where sys_name=\"it's\""), std::vector<std::string>{"4"});
    EXPECT_EQ(rows("select 'a''b' as x, \"c\"\"d\" as y"), std::vector<std::string>{"a'b|c\"d"});
}

TEST_F(Dialect, DateLiteralsAndQuotedDatesDenoteTheSameDay)
{
    const std::vector<std::string> one = {"1"};
    EXPECT_EQ(rows("select id from s_shouru where s_date=#2024-03-05#"), one);
    EXPECT_EQ(rows("select id from s_shouru where s_date=#2024/3/5#"), one);
    EXPECT_EQ(rows("select id from s_shouru where s_date='2024/3/5'"), one);
    EXPECT_EQ(rows("select id from s_shouru where s_date=#2024-03-05 00:00:00#"), one);

    // The program's short form is the Chinese one whatever the system's
    // locale: a month-first text of another locale is no date of it.
    f.db().execute("update s_shouru set s_date='2024/3/7' where id=2");
    EXPECT_EQ(rows("select s_date from s_shouru where id=2"), std::vector<std::string>{"2024-03-07"});
    EXPECT_EQ(errorOf("select id from s_shouru where s_date=#3/5/2024#"), Error::Kind::Syntax);
    // A text that begins with a four-digit year is always year, month, day.
    EXPECT_EQ(rows("select id from s_shouru where s_date=#2024.03.05#"), one);
    // The reader takes other orders when it is told the form.
    EXPECT_EQ(ledger::parseDateText("3/5/2024", {ledger::DateOrder::MonthDayYear, '/', false, false})->isoDate(), "2024-03-05");
    EXPECT_EQ(ledger::parseDateText("05.03.2024", {ledger::DateOrder::DayMonthYear, '.', true, true})->isoDate(), "2024-03-05");
    EXPECT_EQ(ledger::parseDateText("2024.03.05", {ledger::DateOrder::DayMonthYear, '.', true, true})->isoDate(), "2024-03-05");
}

TEST_F(Dialect, BadDatesAreErrors)
{
    EXPECT_EQ(errorOf("select id from s_shouru where s_date=#2024-02-30#"), Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select id from s_shouru where s_date=#3/5/24#"), Error::Kind::Syntax);
    EXPECT_EQ(errorOf("update s_shouru set s_date='tomorrow' where id=1"), Error::Kind::Type);
    EXPECT_EQ(rows("select s_date from s_shouru where id=1"), std::vector<std::string>{"2024-03-05"});
}

TEST_F(Dialect, TextParametersAreConvertedToWhatTheyMeet)
{
    EXPECT_EQ(rows("select id from s_shouru where s_date=:d", {{"d", "2024-03-06"}}), std::vector<std::string>{"2"});
    EXPECT_EQ(rows("select id from s_shouru where s_jine=:m", {{"m", "12.50"}}), std::vector<std::string>{"1"});
    EXPECT_EQ(rows("select id from s_shouru where s_userid=:u and id>:i", {{"u", " 2 "}, {"i", "1"}}),
              std::vector<std::string>{"2"});
    EXPECT_EQ(rows("select id from s_shouru where year(s_date)=:y and month(s_date)=:m", {{"y", "2024"}, {"m", "3"}}),
              (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(errorOf("select id from s_shouru where s_jine=:m", {{"m", "abc"}}), Error::Kind::Type);
    EXPECT_EQ(errorOf("select id from s_shouru where s_date=:d", {{"d", "2024-13-01"}}), Error::Kind::Type);
    EXPECT_EQ(errorOf("select id from s_shouru where s_userid=:u", {{"u", "two"}}), Error::Kind::Type);
    EXPECT_EQ(errorOf("select id from s_shouru where s_userid=:u"), Error::Kind::Usage); // no value given
}

TEST_F(Dialect, PlusJoinsTextsAndANullSideMakesItNull)
{
    EXPECT_EQ(rows("select f_name+f_pinyin as x from s_fenlei where id=2"), std::vector<std::string>{"早餐zc"});
    EXPECT_EQ(rows("select f_name+f_pinyin as x from s_fenlei where id=1"), std::vector<std::string>{""});
    EXPECT_EQ(f.db().select("select f_name+f_pinyin as x from s_fenlei where id=1").rows[0][0].isNull(), true);
    EXPECT_EQ(rows("select f_name&f_pinyin as x from s_fenlei where id=1"), std::vector<std::string>{"餐饮美食"});
    EXPECT_EQ(rows("select s_jine+1 as x from s_shouru where id=1"), std::vector<std::string>{"13.5"});
}

TEST_F(Dialect, TextComparisonsIgnoreLatinCase)
{
    EXPECT_EQ(rows("select id from s_user where sys_name='TOM'"), std::vector<std::string>{"2"});
    EXPECT_EQ(rows("select id from s_user where sys_name like 'T%'"), std::vector<std::string>{"2"});
    EXPECT_EQ(rows("select f_name from s_fenlei where f_pinyin like '%GJ%'"), std::vector<std::string>{"公交地铁"});
    EXPECT_EQ(rows("select id from s_user where sys_name between 'S' and 'U'"), std::vector<std::string>{"2"});
    EXPECT_EQ(rows("select id from s_user where sys_name in ('TOM', 'nobody')"), std::vector<std::string>{"2"});
}

TEST_F(Dialect, IdentifiersIgnoreCaseAndKeepTheirDefinedSpelling)
{
    const ledger::ResultSet r = f.db().select("SELECT Sys_name, S_USER.ID FROM S_User WHERE ID=2");
    EXPECT_EQ(testsupport::fieldNames(r.fields), (std::vector<std::string>{"sys_name", "id"}));
    EXPECT_EQ(rowTexts(r.rows), std::vector<std::string>{"tom|2"});
    EXPECT_EQ(rows("select [sys_name] from [s_user] where [id]=2"), std::vector<std::string>{"tom"});
}

TEST_F(Dialect, UnnamedExpressionsAreNumberedAndDuplicatesQualified)
{
    const ledger::ResultSet r = f.db().select(
        "select count(*), max(s_jine), s_user.id, s_shouru.id from s_shouru inner join s_user on s_shouru.s_userid=s_user.id "
        "group by s_user.id, s_shouru.id");
    EXPECT_EQ(testsupport::fieldNames(r.fields), (std::vector<std::string>{"Expr1000", "Expr1001", "s_user.id", "s_shouru.id"}));
    EXPECT_EQ(r.fields[1].type.type, Type::Currency);
}

TEST_F(Dialect, TextAndConversionFunctions)
{
    EXPECT_EQ(rows("select ucase('abc') & lcase('DEF') as t, left('abcdef', 2) as l, right('abcdef', 2) as r, "
                   "mid('abcdef', 2, 3) as m, len('汉字') as n, trim('  x ') as x"),
              std::vector<std::string>{"ABCdef|ab|ef|bcd|2|x"});
    EXPECT_EQ(rows("select ccur('12.345678') as c, clng('12.6') as l, cstr(12.5) as s, cdate('2024/3/5') as d"),
              std::vector<std::string>{"12.3457|13|12.5|2024-03-05"});
    EXPECT_EQ(rows("select format(#2024-03-05 13:04:05#, 'yyyy-mm-dd hh:nn:ss') as f, iif(1 > 2, 'a', 'b') as i"),
              std::vector<std::string>{"2024-03-05 13:04:05|b"});
    EXPECT_EQ(errorOf("select 1/0"), Error::Kind::Range);
}

TEST_F(Dialect, TopLimitsTheRows)
{
    EXPECT_EQ(rows("select top 2 id from s_fenlei"), (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(rows("select top 1 id from s_fenlei order by id desc"), std::vector<std::string>{"44"});
}

TEST_F(Dialect, SubqueriesInFromInAndExists)
{
    EXPECT_EQ(rows("select count(*) from s_fenlei where f_id=0 and id not in (select f_id from s_yushuan)"),
              std::vector<std::string>{"2"});
    EXPECT_EQ(rows("select t.n from (select count(*) as n from s_user) t"), std::vector<std::string>{"4"});
    EXPECT_EQ(rows("select id from s_user as u where exists (select * from s_shouru where s_userid=u.id)"),
              std::vector<std::string>{"2"});
    EXPECT_EQ(rows("select (select max(id) from s_shouru) as m"), std::vector<std::string>{"2"});
}

TEST_F(Dialect, UpdateThroughAJoinAndInsertFromASelect)
{
    f.db().execute("INSERT INTO xtablex (xmoney,xid) select sum(s_jine), s_zhanghuid from s_shouru group by s_zhanghuid");
    EXPECT_EQ(f.db().execute("UPDATE z_zhanghu INNER JOIN xtablex ON xtablex.xid= z_zhanghu.id SET "
                             "z_zhanghu.z_zhichu=xtablex.Xmoney where z_zhanghu.id=2"),
              1);
    EXPECT_EQ(rows("select z_zhichu from z_zhanghu"), (std::vector<std::string>{"0", "30", "0"}));
}

TEST_F(Dialect, ResultFieldsKnowTheColumnsBehindThem)
{
    const ledger::ResultSet r = f.db().select("select id,sys_name as 用户名 ,sys_pwd as 密码, id+1 as n from s_user");
    ASSERT_EQ(r.fields.size(), 4u);
    EXPECT_EQ(r.fields[0].baseColumn, "id");
    EXPECT_TRUE(r.fields[0].readOnly); // assigned by the database
    EXPECT_EQ(r.fields[1].baseTable, "s_user");
    EXPECT_EQ(r.fields[1].baseColumn, "sys_name");
    EXPECT_FALSE(r.fields[1].readOnly);
    EXPECT_EQ(r.fields[1].type.width, 50);
    EXPECT_TRUE(r.fields[3].readOnly);
    EXPECT_TRUE(f.db().select("select * from s_z_all").fields[0].readOnly);
}

TEST_F(Dialect, GroupingRulesAreEnforced)
{
    EXPECT_EQ(errorOf("select f_class, f_name from s_fenlei group by f_class"), Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select f_name, count(*) from s_fenlei"), Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select sum(sum(s_jine)) from s_shouru"), Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select id from s_shouru where sum(s_jine) > 1"), Error::Kind::Syntax);
    EXPECT_EQ(rows("select f_class, count(*) as n from s_fenlei group by f_class having count(*) > 10"),
              std::vector<std::string>{"Z|35"});
}

TEST_F(Dialect, WidthsAndTypesOfStoredValuesAreChecked)
{
    const std::string fifty(50, 'x');
    EXPECT_EQ(f.db().execute("insert into s_user (sys_name) values ('" + fifty + "')"), 1);
    EXPECT_EQ(errorOf("insert into s_user (sys_name) values ('" + fifty + "y')"), Error::Kind::Constraint);
    EXPECT_EQ(errorOf("update s_user set sys_name=sys_name & '" + fifty + "'"), Error::Kind::Constraint);
    EXPECT_EQ(errorOf("insert into s_shouru (s_jine) values ('abc')"), Error::Kind::Type);
    EXPECT_EQ(errorOf("insert into s_shouru (s_userid) values (3000000000)"), Error::Kind::Range);
    EXPECT_EQ(errorOf("insert into s_shouru (nothing) values (1)"), Error::Kind::Name);
    EXPECT_EQ(errorOf("insert into s_z_all (id) values (1)"), Error::Kind::Syntax);
    // Chinese characters count one each.
    std::string han;
    for (int i = 0; i < 50; ++i)
        han += "字";
    EXPECT_EQ(f.db().execute("insert into s_user (sys_name) values ('" + han + "')"), 1);
    EXPECT_EQ(errorOf("insert into s_user (sys_name) values ('" + han + "字')"), Error::Kind::Constraint);
}

TEST_F(Dialect, NewRowsTakeTheTableDefaults)
{
    f.db().execute("insert into s_fenlei (f_class, f_name) values ('Z', '宠物')");
    EXPECT_EQ(rows("select f_id, f_pinyin from s_fenlei where f_name='宠物'"), std::vector<std::string>{"0|"});
    f.db().execute("insert into z_zhanghu (z_name) values ('钱包')");
    EXPECT_EQ(rows("select z_qcje, z_yue, z_other from z_zhanghu where z_name='钱包'"), std::vector<std::string>{"0|0|"});
}

TEST_F(Dialect, DeletingARowOthersPointToSucceeds)
{
    EXPECT_EQ(f.db().execute("delete from s_user where id=2"), 1);
    EXPECT_EQ(f.db().execute("delete from s_fenlei where id=2"), 1);
    EXPECT_EQ(rows("select id, f_name, sys_name, s_jine from s_z_all where id=1"), std::vector<std::string>{"1|||12.5"});
}

} // namespace
