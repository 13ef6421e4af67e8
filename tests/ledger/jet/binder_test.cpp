// Types from the binder alone: the typing rules of operators and functions,
// and the rules that compare bound trees (GROUP BY, HAVING). The types of
// every statement the pages issue are checked with the pages' statements.

#include "ledger_catalog.h"

#include "ledger/error.h"
#include "ledger/jet/translation.h"

#include <gtest/gtest.h>

using ledger::Type;

namespace {

std::string columns(const std::string& statement)
{
    return testsupport::resultTypes(statement);
}

TEST(BinderTypes, OperatorsAndFunctions)
{
    const std::pair<const char*, const char*> cases[] = {
        {"s_jine + 1", "money"},
        {"s_jine + 1.5", "money"},
        {"s_jine * 2", "money"},
        {"s_jine * s_jine", "money"},
        {"s_jine / 2", "double"},
        {"s_shouru.id + 1.5", "double"},
        {"s_shouru.id \\ 2", "long"},
        {"s_shouru.id mod 2", "long"},
        {"-s_jine", "money"},
        {"s_date + 1", "date"},
        {"s_date - s_date", "double"},
        {"f_name + f_pinyin", "text255"},
        {"f_name + 'ab'", "text52"},
        {"f_name & 1", "text255"},
        {"s_shouru.id > 1", "bool"},
        {"year(s_date)", "long"},
        {"format(s_date, 'yyyy-mm')", "text255"},
        {"iif(s_shouru.id > 1, s_jine, 0)", "money"},
        {"iif(true, null, null)", "text0"},
        {"cstr(s_jine)", "text255"},
        {"ccur('1.5')", "money"},
        {"cdate('2024/3/5')", "date"},
        {"len(f_name)", "long"},
        {"abs(:p)", "double"},
        {":p", "text0"},
        {"(select max(j_date) from s_jie)", "date"},
        {"now()", "date"},
        {"avg(s_jine)", "money"},
        {"avg(s_shouru.id)", "double"},
        {"sum(s_shouru.id > 1)", "long"},
        {"max(f_name)", "text50"},
        {"count(*)", "long"},
        {"min(:p)", "text0"},
    };
    for (const auto& [expression, expected] : cases)
        EXPECT_EQ(columns(std::string("select ") + expression + " as v from s_shouru, s_fenlei"), std::string("v:") + expected)
            << expression;
}

ledger::Error::Kind errorOf(const std::string& statement)
{
    try {
        ledger::jet::resultColumns(statement, testsupport::ledgerCatalog());
    } catch (const ledger::Error& e) {
        return e.kind();
    }
    ADD_FAILURE() << "accepted: " << statement;
    return ledger::Error::Kind::Usage;
}

TEST(BinderTypes, MismatchesAndUnknownNamesAreClearErrors)
{
    using K = ledger::Error::Kind;
    EXPECT_EQ(errorOf("select s_date * 2 from s_shouru"), K::Type);
    EXPECT_EQ(errorOf("select 1 - s_date from s_shouru"), K::Type);
    EXPECT_EQ(errorOf("select sum(f_class) from s_shouru"), K::Type);
    EXPECT_EQ(errorOf("select s_jine from s_shouru where s_jine = #2024-01-01# + 'x' & s_date"), K::Type);
    EXPECT_EQ(errorOf("select nothing(1)"), K::Name);
    EXPECT_EQ(errorOf("select left('a')"), K::Syntax);
    EXPECT_EQ(errorOf("select x.id from s_user"), K::Name);
    EXPECT_EQ(errorOf("select id from s_user, s_fenlei"), K::Name);
    EXPECT_EQ(errorOf("delete from s_user"), K::Usage);
    // An aggregate of the enclosing SELECT's columns alone would be that SELECT's.
    EXPECT_EQ(errorOf("select id from s_shouru where (select max(s_jine) from s_jie) > 1"), K::Syntax);
    EXPECT_EQ(columns("select (select max(j_chuMoney + s_jine) from s_jie where z_id = s_shouru.id) as m from s_shouru"),
              "m:money");
}

// GROUP BY and HAVING compare bound trees: the same computation matches
// however it is spelled, a different one does not.
TEST(BinderGrouping, ComparesBoundTrees)
{
    EXPECT_EQ(columns("select Year(S_Date) as y, count(*) as n from s_shouru group by year(s_shouru.s_date)"), "y:long, n:long");
    EXPECT_EQ(columns("select s_jine + 1 as m from s_shouru group by s_jine"), "m:money");
    EXPECT_EQ(columns("select f_class & :p as k from s_shouru group by f_class & :P"), "k:text255");
    EXPECT_EQ(columns("select f_class from s_shouru group by f_class having sum(s_jine) > 1 and f_class <> 'x'"),
              "f_class:text255");
    EXPECT_EQ(columns(
                  "select (select max(id) from s_user) as m, count(*) as n from s_shouru group by (select max(id) from s_user)"),
              "m:long, n:long");
    EXPECT_EQ(errorOf("select month(s_date) from s_shouru group by year(s_date)"), ledger::Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select s_jine from s_shouru group by s_jine + 1"), ledger::Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select f_class from s_shouru group by f_class having s_jine > 1"), ledger::Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select f_class from s_shouru group by f_class order by s_date"), ledger::Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select u.id from s_user u, s_user v group by v.id"), ledger::Error::Kind::Syntax);
}

} // namespace
