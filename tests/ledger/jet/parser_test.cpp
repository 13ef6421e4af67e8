// The trees statements parse into: precedence, grouping, the clause
// shapes, and the depth limit.

#include "ledger/error.h"
#include "ledger/jet/ast.h"

#include <gtest/gtest.h>

using namespace ledger::jet;

namespace {

std::string tree(const Expr& e);

std::string select(const Select& s)
{
    std::string out = "select";
    if (s.distinct)
        out += " distinct";
    if (s.top)
        out += " top " + std::to_string(*s.top);
    for (const SelectItem& i : s.items)
        out += " " + (i.star ? i.starQualifier + "*" : tree(*i.expr)) + (i.alias.empty() ? "" : "@" + i.alias);
    if (s.where)
        out += " where " + tree(*s.where);
    for (const ExprPtr& g : s.groupBy)
        out += " group " + tree(*g);
    if (s.having)
        out += " having " + tree(*s.having);
    for (const OrderItem& o : s.orderBy)
        out += " order " + tree(*o.expr) + (o.descending ? " desc" : "");
    return out;
}

// A compact prefix form: (op args…)
std::string tree(const Expr& e)
{
    std::string args;
    for (const ExprPtr& a : e.args)
        args += " " + tree(*a);
    const std::string no = e.negated ? "not " : "";
    switch (e.kind) {
    case ExprKind::Null: return "null";
    case ExprKind::Boolean: return e.flag ? "true" : "false";
    case ExprKind::Number: return e.text;
    case ExprKind::String: return "'" + e.text + "'";
    case ExprKind::Date: return "#" + e.date.canonical() + "#";
    case ExprKind::Column: return e.qualifier.empty() ? e.text : e.qualifier + "." + e.text;
    case ExprKind::Parameter: return ":" + e.text;
    case ExprKind::Unary:
    case ExprKind::Binary: return "(" + e.op + args + ")";
    case ExprKind::Between: return "(" + no + "between" + args + ")";
    case ExprKind::Like: return "(" + no + "like" + args + ")";
    case ExprKind::InList: return "(" + no + "in" + args + ")";
    case ExprKind::InSelect: return "(" + no + "in" + args + " [" + select(*e.select) + "])";
    case ExprKind::IsNull: return "(" + no + "isnull" + args + ")";
    case ExprKind::Exists: return "(" + no + "exists [" + select(*e.select) + "])";
    case ExprKind::Subquery: return "[" + select(*e.select) + "]";
    case ExprKind::Function:
        return e.text + "(" + (e.distinct ? "distinct " : "") + (e.star ? "*" : "") + (args.empty() ? "" : args.substr(1)) + ")";
    }
    return "?";
}

std::string parsed(const std::string& statement)
{
    const Statement st = parse(statement);
    return select(*st.select);
}

TEST(Parser, ExpressionsFollowTheDialectsPrecedence)
{
    const std::pair<const char*, const char*> cases[] = {
        {"select 1 + 2 * 3 - 4", "select (- (+ 1 (* 2 3)) 4)"},
        {"select a & b + c", "select (& a (+ b c))"},
        {"select 7 \\ 2 mod 3", "select (mod (\\ 7 2) 3)"},
        {"select -a * b", "select (* (- a) b)"},
        {"select not a = 1 and b or c", "select (or (and (not (= a 1)) b) c)"},
        {"select a between 1 and 2 and b", "select (and (between a 1 2) b)"},
        {"select a not like 'x%', b is not null, c not in (1, 2)", "select (not like a 'x%') (not isnull b) (not in c 1 2)"},
        {"select (1 + 2) * 3", "select (* (+ 1 2) 3)"},
        {"select #2024/3/5#, :p, null, true", "select #2024-03-05 00:00:00# :p null true"},
        {"select Count(*), SUM(distinct x), Left(n, 2)", "select count(*) sum(distinct x) left(n 2)"},
    };
    for (const auto& [statement, expected] : cases)
        EXPECT_EQ(parsed(statement), expected) << statement;
}

TEST(Parser, ClausesAndSubSelects)
{
    EXPECT_EQ(parsed("select distinct top 3 t.*, a as [x y] from t where a in (select b from u) group by a having "
                     "count(*) > 1 order by 2 desc, a"),
              "select distinct top 3 t* a@x y where (in a [select b]) group a having (> count(*) 1) order 2 desc order a");
    EXPECT_EQ(parsed("select (select max(id) from u) as m where not exists (select * from v)"),
              "select [select max(id)]@m where (not (exists [select *]))");

    const Statement join = parse("select * from (a inner join b on a.x = b.y) left join (select 1 as n) s on s.n = a.x, c");
    const TableRef& from = *join.select->from;
    ASSERT_EQ(from.kind, TableRef::Kind::Join);
    EXPECT_EQ(from.join, JoinKind::Cross);
    EXPECT_EQ(from.right->name, "c");
    EXPECT_EQ(from.left->join, JoinKind::Left);
    EXPECT_EQ(from.left->right->kind, TableRef::Kind::Subquery);
    EXPECT_EQ(from.left->right->alias, "s");
    EXPECT_EQ(from.left->left->join, JoinKind::Inner);
    EXPECT_EQ(tree(*from.left->left->on), "(= a.x b.y)");
}

TEST(Parser, ChangeStatements)
{
    const Statement ins = parse("insert into t (a, t.b) values (1, 'x')");
    ASSERT_EQ(ins.kind, Statement::Kind::Insert);
    EXPECT_EQ(ins.insert->columns.size(), 2u);
    EXPECT_EQ(ins.insert->columns[1].first, "b");
    EXPECT_EQ(tree(*ins.insert->values[1]), "'x'");
    EXPECT_TRUE(parse("insert into t (a) (select b from u)").insert->select);

    const Statement up = parse("update a inner join b on a.id = b.id set a.x = b.y + 1 where a.id = 2");
    ASSERT_EQ(up.kind, Statement::Kind::Update);
    EXPECT_EQ(up.update->target->kind, TableRef::Kind::Join);
    EXPECT_EQ(tree(*up.update->assignments[0].value), "(+ b.y 1)");
    EXPECT_EQ(tree(*up.update->where), "(= a.id 2)");

    const Statement del = parse("delete * from t where id = 7;");
    EXPECT_EQ(del.del->table, "t");
    EXPECT_EQ(tree(*del.del->where), "(= id 7)");
}

TEST(Parser, RefusesStatementsThatAreNotTheDialect)
{
    const char* const cases[] = {"select",
                                 "select 1 union select 2",
                                 "select top 5 percent a from t",
                                 "select a from t limit 1",
                                 "select 1; select 2",
                                 "update t set 1 = 2",
                                 "select a xor b",
                                 "select * from a join b on 1",
                                 "delete from a inner join b on 1"};
    for (const char* statement : cases)
        EXPECT_THROW(parse(statement), ledger::Error) << statement;
}

// A chain such as 1+1+…+1 is read in a loop, yet its tree grows a level per
// term; the limit holds for chains, parentheses and sub-selects alike.
TEST(Parser, TreesDeeperThanTheLimitAreRefused)
{
    auto chain = [](int terms) {
        std::string s = "select 1";
        for (int i = 1; i < terms; ++i)
            s += "+1";
        return s;
    };
    // The SELECT is a level of its own.
    EXPECT_EQ(parse(chain(kMaxTreeDepth - 1)).select->depth, kMaxTreeDepth);
    EXPECT_THROW(parse(chain(kMaxTreeDepth)), ledger::Error);
    EXPECT_THROW(parse(chain(30000)), ledger::Error);

    std::string subs = "1";
    for (int i = 0; i < kMaxTreeDepth; ++i)
        subs = "(select " + subs + ")";
    EXPECT_THROW(parse("select " + subs), ledger::Error);

    std::string tables = "select * from t0";
    for (int i = 1; i <= 64; ++i)
        tables += ", t" + std::to_string(i);
    EXPECT_THROW(parse(tables), ledger::Error);
}

} // namespace
