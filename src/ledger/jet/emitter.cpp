#include "emitter.h"

#include "conversions.h"
#include "functions.h"
#include "nesting.h"

#include "../error.h"
#include "../sql_text.h"

namespace ledger::jet {

namespace {

std::string ident(const std::string& name)
{
    return quoteText(name, '"');
}

class Emitter {
public:
    explicit Emitter(Mode mode) : mode_(mode) {}

    std::string expr(const Bound& b)
    {
        switch (b.node) {
        case Node::Null: return "NULL";
        case Node::Literal: return literalSql(b.value);
        case Node::Parameter: return "?" + std::to_string(b.slot + 1);
        case Node::Column: return ident(b.source->alias) + "." + ident(b.text);
        case Node::Convert: return convert(b);
        case Node::Truth: return "(- " + arg(b, 0) + ")"; // 1, 0, Null become -1, 0, Null
        case Node::Not: return "(NOT " + arg(b, 0) + ")";
        case Node::And: return "(" + arg(b, 0) + " AND " + arg(b, 1) + ")";
        case Node::Or: return "(" + arg(b, 0) + " OR " + arg(b, 1) + ")";
        case Node::Compare: return "(" + arg(b, 0) + " " + b.op + " " + arg(b, 1) + nocase(b) + ")";
        case Node::Between: {
            std::string sql = "(" + arg(b, 0) + nocase(b) + " BETWEEN " + arg(b, 1) + " AND " + arg(b, 2) + ")";
            return b.negated ? "(NOT " + sql + ")" : sql;
        }
        case Node::Like:
            return "(" + arg(b, 0) + (b.negated ? " NOT LIKE " : " LIKE ") + arg(b, 1) + (b.escape ? " ESCAPE '\\')" : ")");
        case Node::InList: {
            std::string sql = "(" + arg(b, 0) + nocase(b) + (b.negated ? " NOT IN (" : " IN (");
            for (size_t i = 1; i < b.args.size(); ++i)
                sql += (i > 1 ? ", " : "") + arg(b, i);
            return sql + "))";
        }
        case Node::InSelect: return "(" + arg(b, 0) + nocase(b) + (b.negated ? " NOT IN (" : " IN (") + select(*b.select) + "))";
        case Node::IsNull: return "(" + arg(b, 0) + (b.negated ? " IS NOT NULL)" : " IS NULL)");
        case Node::Exists: return std::string(b.negated ? "(NOT " : "(") + "EXISTS (" + select(*b.select) + "))";
        case Node::Subquery: return "(" + select(*b.select) + ")";
        case Node::Negate: return "(" + b.op + " " + arg(b, 0) + ")";
        case Node::Arith: return "(" + arg(b, 0) + " " + b.op + " " + arg(b, 1) + ")";
        case Node::MoneyProduct: return "(" + arg(b, 0) + " * " + arg(b, 1) + " / 10000)";
        case Node::Divide:
            if (mode_ == Mode::Statement)
                return std::string(fn::divide) + "(" + arg(b, 0) + ", " + arg(b, 1) + ")";
            return "(" + arg(b, 0) + " / " + arg(b, 1) + ")";
        case Node::IntDivide: return "(" + arg(b, 0) + " / " + arg(b, 1) + ")";
        case Node::Modulo: return "(" + arg(b, 0) + " % " + arg(b, 1) + ")";
        case Node::Join: return "(" + arg(b, 0) + " || " + arg(b, 1) + ")";
        case Node::Concat: return concat(b);
        case Node::DateShift: {
            const size_t date = b.args[0]->type.type == Type::DateTime ? 0 : 1;
            return "datetime(julianday(" + arg(b, date) + ") " + b.op + " " + arg(b, 1 - date) + ")";
        }
        case Node::DateDiff: return "(julianday(" + arg(b, 0) + ") - julianday(" + arg(b, 1) + "))";
        case Node::Call: {
            CallSql c{b, {}, mode_};
            for (const BoundPtr& a : b.args)
                c.args.push_back(expr(*a));
            return b.fn->emit(c);
        }
        }
        return "NULL";
    }

    std::string select(const BoundSelect& s)
    {
        std::string sql = s.distinct ? "SELECT DISTINCT " : "SELECT ";
        for (size_t i = 0; i < s.items.size(); ++i)
            sql += (i ? ", " : "") + expr(*s.items[i]) + " AS " + ident(s.fields[i].name);
        if (s.from)
            sql += " FROM " + from(*s.from);
        if (s.where)
            sql += " WHERE " + expr(*s.where);
        for (size_t i = 0; i < s.groupBy.size(); ++i)
            sql += (i ? ", " : " GROUP BY ") + term(*s.groupBy[i]);
        if (s.having)
            sql += " HAVING " + expr(*s.having);
        if (s.rowidOrder)
            sql += " ORDER BY " + ident(s.rowidOrder->alias) + ".rowid";
        for (size_t i = 0; i < s.orderBy.size(); ++i) {
            const OrderTerm& o = s.orderBy[i];
            sql += i ? ", " : " ORDER BY ";
            if (o.ordinal)
                sql += std::to_string(o.ordinal);
            else
                sql += term(*o.expr) + (o.expr->type.type == Type::Text ? " COLLATE NOCASE" : "");
            if (o.descending)
                sql += " DESC";
        }
        if (s.top)
            sql += " LIMIT " + std::to_string(*s.top);
        return sql;
    }

    std::string source(const Source& s)
    {
        if (s.select)
            return "(" + select(*s.select) + ") AS " + ident(s.alias);
        return ident(s.object->name) + " AS " + ident(s.alias);
    }

    std::string statement(const BoundStatement& st)
    {
        switch (st.kind) {
        case Translation::Kind::Select: return select(*st.select);
        case Translation::Kind::Insert: {
            std::string sql = "INSERT INTO " + ident(st.table->name) + " (";
            for (size_t i = 0; i < st.columns.size(); ++i)
                sql += (i ? ", " : "") + ident(st.columns[i]->name);
            sql += ") ";
            if (st.select)
                return sql + select(*st.select);
            sql += "VALUES (";
            for (size_t i = 0; i < st.values.size(); ++i)
                sql += (i ? ", " : "") + expr(*st.values[i]);
            return sql + ")";
        }
        case Translation::Kind::Update: {
            std::string sql = "UPDATE " + ident(st.table->name);
            if (!sameName(st.target->alias, st.table->name))
                sql += " AS " + ident(st.target->alias);
            sql += " SET ";
            for (size_t i = 0; i < st.assignments.size(); ++i)
                sql += (i ? ", " : "") + ident(st.assignments[i].column->name) + " = " + expr(*st.assignments[i].value);
            std::string others;
            for (const auto& s : st.sources)
                if (s.get() != st.target)
                    others += (others.empty() ? "" : ", ") + source(*s);
            if (!others.empty())
                sql += " FROM " + others;
            return sql + conditions(st);
        }
        case Translation::Kind::Delete: return "DELETE FROM " + ident(st.table->name) + conditions(st);
        }
        return {};
    }

private:
    std::string arg(const Bound& b, size_t i) { return expr(*b.args[i]); }

    // SQLite reads a whole number in GROUP BY or ORDER BY as a result
    // column's number; the dialect means the value.
    std::string term(const Bound& b)
    {
        std::string sql = expr(b);
        const size_t digits = sql.find_first_not_of('-') == 1 ? 1 : 0;
        if (sql.size() > digits && sql.find_first_not_of("0123456789", digits) == std::string::npos)
            sql = "CAST(" + sql + " AS INTEGER)";
        return sql;
    }
    static const char* nocase(const Bound& b) { return b.nocase ? " COLLATE NOCASE" : ""; }

    std::string conditions(const BoundStatement& st)
    {
        std::string sql;
        for (size_t i = 0; i < st.conditions.size(); ++i)
            sql += (i ? " AND " : " WHERE ") + expr(*st.conditions[i]);
        return sql;
    }

    std::string from(const FromItem& f)
    {
        if (f.source)
            return source(*f.source);
        std::string right = from(*f.right);
        if (!f.right->source)
            right = "(" + right + ")";
        if (f.join == JoinKind::Cross)
            return from(*f.left) + " CROSS JOIN " + right;
        const char* kind = f.join == JoinKind::Inner ? " INNER JOIN " : f.join == JoinKind::Left ? " LEFT JOIN " : " RIGHT JOIN ";
        return from(*f.left) + kind + right + " ON " + expr(*f.on);
    }

    // A form that needs the value more than once takes it written out when
    // it is a plain value, and hands anything else once to our function.
    std::string convert(const Bound& b)
    {
        const Conversion* c = findConversion(b.from, b.type.type);
        const Bound& value = *b.args[0];
        const bool builtin = c->builtin && (!repeats(c->builtin) || atomic(value) || !c->function);
        return fill(builtin ? c->builtin : c->function, expr(value));
    }

    // Null only when both sides are; the side written twice is a plain value.
    std::string concat(const Bound& b)
    {
        const std::string x = arg(b, 0), y = arg(b, 1);
        if (atomic(*b.args[1]))
            return "coalesce(" + x + " || coalesce(" + y + ", ''), " + y + ")";
        if (atomic(*b.args[0]))
            return "coalesce(coalesce(" + x + ", '') || " + y + ", " + x + ")";
        return std::string(fn::concat) + "(" + x + ", " + y + ")";
    }

    Mode mode_;
};

} // namespace

std::string emit(const BoundStatement& statement)
{
    std::string sql = Emitter(statement.mode).statement(statement);
    if (sqliteNesting(sql) > kMaxSqliteNesting)
        throw Error(Error::Kind::Syntax, "语句嵌套太深");
    return sql;
}

} // namespace ledger::jet
