// The SQLite text written for a table of statements: names qualified and
// quoted, values in their natural form, each operand written once.

#include "ledger_catalog.h"

#include "ledger/error.h"
#include "ledger/jet/translation.h"

#include <gtest/gtest.h>

using ledger::jet::Mode;

namespace {

std::string sqlOf(const std::string& statement, Mode mode = Mode::Statement)
{
    return ledger::jet::translate(statement, testsupport::ledgerCatalog(), mode).sql;
}

TEST(Emitter, WritesEachStatementAsSqlite)
{
    const std::pair<const char*, const char*> cases[] =
        {
            {R"(select id as 编号, s_jine as 金额 from s_shouru where f_class='Z' and s_date=#2024/3/5#)",
             R"(SELECT "s_shouru"."id" AS "编号", "s_shouru"."s_jine" AS "金额" FROM "s_shouru" AS "s_shouru" WHERE (("s_shouru"."f_class" = 'Z' COLLATE NOCASE) AND ("s_shouru"."s_date" = '2024-03-05 00:00:00')) ORDER BY "s_shouru".rowid)"},
            {R"(select sys_name from s_user where sys_name between 'S' and 'U' or sys_name in ('tom', :who))",
             R"(SELECT "s_user"."sys_name" AS "sys_name" FROM "s_user" AS "s_user" WHERE (("s_user"."sys_name" COLLATE NOCASE BETWEEN 'S' AND 'U') OR ("s_user"."sys_name" COLLATE NOCASE IN ('tom', ?1))) ORDER BY "s_user".rowid)"},
            {R"(select s_jine + 1.5 as a, s_jine * 2 as b, s_jine * s_jine as c, s_jine / 4 as d, id \ 2 as e, id mod 2 as f from s_shouru)",
             R"(SELECT ("s_shouru"."s_jine" + 15000) AS "a", ("s_shouru"."s_jine" * 2) AS "b", ("s_shouru"."s_jine" * "s_shouru"."s_jine" / 10000) AS "c", jet_divide(("s_shouru"."s_jine" / 10000.0), 4.0) AS "d", ("s_shouru"."id" / 2) AS "e", ("s_shouru"."id" % 2) AS "f" FROM "s_shouru" AS "s_shouru" ORDER BY "s_shouru".rowid)"},
            {R"(select s_date + 1 as a, s_date - #2024-01-01# as b, year(s_date) as y, format(s_date, 'yyyy-mm') as m from s_shouru)",
             R"(SELECT datetime(julianday("s_shouru"."s_date") + 1.0) AS "a", (julianday("s_shouru"."s_date") - julianday('2024-01-01 00:00:00')) AS "b", CAST(strftime('%Y', "s_shouru"."s_date") AS INTEGER) AS "y", strftime('%Y-%m', "s_shouru"."s_date") AS "m" FROM "s_shouru" AS "s_shouru" ORDER BY "s_shouru".rowid)"},
            {R"(select f_name + f_pinyin as a, f_name & f_pinyin as b, (f_name & 'x') & (f_pinyin & 'y') as c from s_fenlei)",
             R"(SELECT ("s_fenlei"."f_name" || "s_fenlei"."f_pinyin") AS "a", coalesce("s_fenlei"."f_name" || coalesce("s_fenlei"."f_pinyin", ''), "s_fenlei"."f_pinyin") AS "b", jet_concat(coalesce("s_fenlei"."f_name" || coalesce('x', ''), 'x'), coalesce("s_fenlei"."f_pinyin" || coalesce('y', ''), 'y')) AS "c" FROM "s_fenlei" AS "s_fenlei" ORDER BY "s_fenlei".rowid)"},
            {R"(select cstr(s_jine) as a, cstr(s_jine + 1) as b, right(f_class, 2) as c, right(f_class, len(f_class) - 1) as d from s_shouru)",
             R"(SELECT (CASE WHEN "s_shouru"."s_jine" < 0 THEN '-' ELSE '' END || rtrim(rtrim(printf('%d.%04d', abs("s_shouru"."s_jine") / 10000, abs("s_shouru"."s_jine") % 10000), '0'), '.')) AS "a", jet_currency_text(("s_shouru"."s_jine" + 10000)) AS "b", (CASE WHEN 2 <= 0 THEN '' ELSE substr("s_shouru"."f_class", -(2)) END) AS "c", jet_right("s_shouru"."f_class", (length("s_shouru"."f_class") - 1)) AS "d" FROM "s_shouru" AS "s_shouru" ORDER BY "s_shouru".rowid)"},
            {R"(select (id > 1) + 1 as a, (id > 1) = true as b, iif(id > 1, 'big', 'small') as c from s_user)",
             R"(SELECT ((- ("s_user"."id" > 1)) + 1) AS "a", (- ((- ("s_user"."id" > 1)) = -1)) AS "b", (CASE WHEN ("s_user"."id" > 1) THEN 'big' ELSE 'small' END) AS "c" FROM "s_user" AS "s_user" ORDER BY "s_user".rowid)"},
            {R"(select f_name from s_fenlei where f_name like 'a[%]b%' and f_pinyin not like :p)",
             R"(SELECT "s_fenlei"."f_name" AS "f_name" FROM "s_fenlei" AS "s_fenlei" WHERE (("s_fenlei"."f_name" LIKE 'a\%b%' ESCAPE '\') AND ("s_fenlei"."f_pinyin" NOT LIKE ?1)) ORDER BY "s_fenlei".rowid)"},
            {R"(select f_class, count(*) as n, max(f_name) as m from s_fenlei group by f_class having count(*) > 1 order by 2 desc, f_class)", R"(SELECT "s_fenlei"."f_class" AS "f_class", count(*) AS "n", max("s_fenlei"."f_name" COLLATE NOCASE) AS "m" FROM "s_fenlei" AS "s_fenlei" GROUP BY "s_fenlei"."f_class" HAVING (count(*) > 1) ORDER BY 2 DESC, "s_fenlei"."f_class" COLLATE NOCASE)"},
            {R"(select id from s_user u where exists (select * from s_shouru where s_userid = u.id) and id not in (select f_id from s_yushuan))",
             R"(SELECT "u"."id" AS "id" FROM "s_user" AS "u" WHERE ((EXISTS (SELECT "s_shouru"."id" AS "id", "s_shouru"."f_fenleiid" AS "f_fenleiid", "s_shouru"."s_jine" AS "s_jine", "s_shouru"."s_userid" AS "s_userid", "s_shouru"."s_other" AS "s_other", "s_shouru"."s_zhanghuid" AS "s_zhanghuid", "s_shouru"."s_date" AS "s_date", "s_shouru"."f_class" AS "f_class" FROM "s_shouru" AS "s_shouru" WHERE ("s_shouru"."s_userid" = "u"."id"))) AND ("u"."id" NOT IN (SELECT "s_yushuan"."f_id" AS "f_id" FROM "s_yushuan" AS "s_yushuan"))) ORDER BY "u".rowid)"},
            {R"(insert into s_shouru (s_jine, s_date, s_other) values (:m, '2024/3/5', 'x'))",
             R"(INSERT INTO "s_shouru" ("s_jine", "s_date", "s_other") VALUES (?1, '2024-03-05 00:00:00', 'x'))"},
            {R"(update z_zhanghu inner join xtablex on xtablex.xid = z_zhanghu.id set z_zhanghu.z_jieru = xtablex.xmoney where z_zhanghu.id = 2)",
             R"(UPDATE "z_zhanghu" SET "z_jieru" = "xtablex"."xmoney" FROM "xtablex" AS "xtablex" WHERE ("xtablex"."xid" = "z_zhanghu"."id") AND ("z_zhanghu"."id" = 2))"},
            {R"(delete from s_fenlei where id = 11)", R"(DELETE FROM "s_fenlei" WHERE ("s_fenlei"."id" = 11))"},
        };
    for (const auto& [statement, expected] : cases)
        EXPECT_EQ(sqlOf(statement), expected) << statement;
}

// A number the dialect sorts or groups by is a value, not a column's number.
TEST(Emitter, ConstantTermsAreNoColumnNumbers)
{
    EXPECT_EQ(
        sqlOf("select f_class from s_shouru group by f_class, 2 order by 1, ccur(2.5), -(1)"),
        R"(SELECT "s_shouru"."f_class" AS "f_class" FROM "s_shouru" AS "s_shouru" GROUP BY "s_shouru"."f_class", CAST(2 AS INTEGER) ORDER BY 1, CAST(25000 AS INTEGER), CAST(-1 AS INTEGER))");
}

// A saved query is stored in the file and read by SQLite alone: SQLite's
// own functions only, so a value needed twice must be a plain one.
TEST(Emitter, SavedQueriesUseSqlitesOwnFunctionsOnly)
{
    EXPECT_EQ(
        sqlOf("select s_jine / 4 as d, f_class & 'x' as c from s_shouru", Mode::SavedQuery),
        R"(SELECT (("s_shouru"."s_jine" / 10000.0) / 4.0) AS "d", coalesce("s_shouru"."f_class" || coalesce('x', ''), 'x') AS "c" FROM "s_shouru" AS "s_shouru" ORDER BY "s_shouru".rowid)");
    const char* const refused[] = {"select cstr(s_jine + 1) from s_shouru",
                                   "select right(f_class, len(f_class)) from s_shouru",
                                   "select (f_class & 'x') & (s_other & 'y') from s_shouru",
                                   "select ccur(f_class) from s_shouru",
                                   "select cstr(s_date) from s_shouru",
                                   "select id from s_shouru where id = :p"};
    for (const char* statement : refused)
        EXPECT_THROW(sqlOf(statement, Mode::SavedQuery), ledger::Error) << statement;
}

} // namespace
