// Name resolution, type inference and SQLite emission for one statement.
//
// Values keep their natural SQLite form per type: Long and AutoNumber as
// INTEGER, Currency as an INTEGER count of 1/10000, Double as REAL, Text as
// TEXT, DateTime as the canonical TEXT "YYYY-MM-DD HH:MM:SS". Literals and
// parameters take the type of what they are compared with or stored into,
// so money literals convert exactly from their decimal text.

#include "ast.h"
#include "token.h"
#include "translation.h"

#include "../error.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace ledger::jet {

namespace {

std::string lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string quoteIdent(const std::string& name)
{
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

std::string quoteString(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

bool isNumeric(Type t) { return t == Type::Long || t == Type::Currency || t == Type::Double || t == Type::Boolean; }

int numericRank(Type t)
{
    switch (t) {
    case Type::Boolean: return 0;
    case Type::Long: return 1;
    case Type::Currency: return 2;
    case Type::Double: return 3;
    default: return -1;
    }
}

ColumnType plain(Type t) { return ColumnType{t, 0, false}; }

struct Source {
    std::string alias;
    std::vector<CatalogColumn> columns;
    const CatalogObject* object = nullptr;
    bool baseTable = false;
};

struct Scope {
    std::vector<Source> sources;
    const Scope* parent = nullptr;
};

// An expression after resolution: its SQL (in the natural form of its
// type), its type and what is needed to retype literals and parameters.
struct Typed {
    enum class Form { Plain, Literal, Parameter, Null } form = Form::Plain;
    std::string sql;
    ColumnType type;
    Value value;             // Literal: the value in its natural type
    std::string numberText;  // Literal number: as written, for exact money
    int slot = -1;           // Parameter
    bool predicate = false;  // a truth value: comparison, AND, LIKE, …
    bool aggregate = false;  // contains an aggregate function
    std::string key;         // structure, for the GROUP BY check
    std::vector<std::string> bareColumns; // this scope's columns outside aggregates
    const Source* source = nullptr;       // a plain column reference
    std::string column;
    size_t offset = 0;
};

struct CompiledSelect {
    std::string sql;
    std::vector<Field> fields;
};

class Compiler {
public:
    Compiler(const std::string& text, const Catalog& catalog, Mode mode) : text_(text), catalog_(catalog), mode_(mode) {}

    Translation run()
    {
        Statement st = parse(text_);
        Translation out;
        switch (st.kind) {
        case Statement::Kind::Select: {
            out.kind = Translation::Kind::Select;
            CompiledSelect s = compileSelect(*st.select, nullptr, nullptr);
            out.sql = std::move(s.sql);
            out.fields = std::move(s.fields);
            break;
        }
        case Statement::Kind::Insert:
            out.kind = Translation::Kind::Insert;
            out.sql = compileInsert(*st.insert, out.table);
            break;
        case Statement::Kind::Update:
            out.kind = Translation::Kind::Update;
            out.sql = compileUpdate(*st.update, out.table);
            break;
        case Statement::Kind::Delete:
            out.kind = Translation::Kind::Delete;
            out.sql = compileDelete(*st.del, out.table);
            break;
        }
        if (mode_ == Mode::SavedQuery && out.kind != Translation::Kind::Select)
            throw Error(Error::Kind::Syntax, "保存的查询只能是 SELECT 语句");
        for (ParamSlot& p : params_)
            if (p.type.type == Type::Null)
                p.type = plain(Type::Text);
        out.params = std::move(params_);
        return out;
    }

private:
    // ---- errors -------------------------------------------------------------
    std::string where(size_t offset) const { return "（" + describePosition(text_, offset) + "）"; }

    [[noreturn]] void fail(Error::Kind kind, const std::string& message, size_t offset) const
    {
        throw Error(kind, message + where(offset));
    }

    void needStatementMode(size_t offset) const
    {
        if (mode_ == Mode::SavedQuery)
            fail(Error::Kind::Syntax, "保存的查询中不能使用这种类型转换或运算", offset);
    }

    // ---- rendering ----------------------------------------------------------
    static std::string renderReal(double d)
    {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", d);
        std::string s(buffer);
        if (s.find_first_of(".eEn") == std::string::npos)
            s += ".0";
        return s;
    }

    // A value of the given type as an SQLite literal.
    static std::string render(const Value& v)
    {
        switch (v.type()) {
        case Type::Null: return "NULL";
        case Type::Boolean: return v.asBool() ? "-1" : "0";
        case Type::Long: return std::to_string(v.asLong());
        case Type::Currency: return std::to_string(v.asCurrency().raw());
        case Type::Double: return renderReal(v.asDouble());
        case Type::Text: return quoteString(std::string(v.asText()));
        case Type::DateTime: return quoteString(v.asDateTime().canonical());
        }
        return "NULL";
    }

    // SQL turning an expression of one type into another.
    std::string convert(const Typed& t, Type to)
    {
        const Type from = t.type.type;
        const std::string& s = t.sql;
        if (t.predicate && to != Type::Boolean) {
            Typed value = t;
            value.predicate = false;
            value.type = plain(Type::Boolean);
            value.sql = "(CASE WHEN " + s + " THEN -1 WHEN NOT " + s + " THEN 0 END)";
            return convert(value, to);
        }
        if (from == to || from == Type::Null)
            return s;
        switch (to) {
        case Type::Boolean:
            if (from == Type::Text) {
                Typed number;
                number.sql = convert(t, Type::Long);
                number.type = plain(Type::Long);
                return convert(number, Type::Boolean);
            }
            if (from == Type::DateTime)
                return "(julianday(" + s + ") <> 2415018.5)";
            return "(" + s + " <> 0)";
        case Type::Long:
            switch (from) {
            case Type::Boolean: return s;
            case Type::Currency: return "CAST(round(" + s + " / 10000.0) AS INTEGER)";
            case Type::Double: return "CAST(round(" + s + ") AS INTEGER)";
            case Type::DateTime: return "CAST(julianday(" + s + ") - 2415018.5 AS INTEGER)";
            case Type::Text: needStatementMode(t.offset); return std::string(fn::toLong) + "(" + s + ")";
            default: break;
            }
            break;
        case Type::Currency:
            switch (from) {
            case Type::Boolean:
            case Type::Long: return "(" + s + " * 10000)";
            case Type::Double: return "CAST(round(" + s + " * 10000) AS INTEGER)";
            case Type::DateTime: return "CAST(round((julianday(" + s + ") - 2415018.5) * 10000) AS INTEGER)";
            case Type::Text: needStatementMode(t.offset); return std::string(fn::toCurrency) + "(" + s + ")";
            default: break;
            }
            break;
        case Type::Double:
            switch (from) {
            case Type::Boolean:
            case Type::Long: return "CAST(" + s + " AS REAL)";
            case Type::Currency: return "(" + s + " / 10000.0)";
            case Type::DateTime: return "(julianday(" + s + ") - 2415018.5)";
            case Type::Text: needStatementMode(t.offset); return std::string(fn::toDouble) + "(" + s + ")";
            default: break;
            }
            break;
        case Type::DateTime:
            switch (from) {
            case Type::Boolean:
            case Type::Long:
            case Type::Double: return "datetime(" + s + " + 2415018.5)";
            case Type::Currency: return "datetime(" + s + " / 10000.0 + 2415018.5)";
            case Type::Text: needStatementMode(t.offset); return std::string(fn::toDate) + "(" + s + ")";
            default: break;
            }
            break;
        case Type::Text:
            switch (from) {
            case Type::Boolean: return "(CASE WHEN " + s + " THEN 'True' ELSE 'False' END)";
            case Type::Long: return "CAST(" + s + " AS TEXT)";
            case Type::Double: return "CAST(" + s + " AS TEXT)";
            case Type::Currency:
                return "(CASE WHEN " + s + " < 0 THEN '-' ELSE '' END || rtrim(rtrim(printf('%d.%04d', abs(" + s +
                       ") / 10000, abs(" + s + ") % 10000), '0'), '.'))";
            case Type::DateTime: needStatementMode(t.offset); return std::string(fn::dateText) + "(" + s + ")";
            default: break;
            }
            break;
        case Type::Null: return s;
        }
        fail(Error::Kind::Type, "类型不匹配", t.offset);
    }

    // The expression as SQL of the target type; literals convert now (a
    // text that cannot be converted is a type mismatch), parameters take the
    // type for their binding.
    std::string as(const Typed& t, const ColumnType& target)
    {
        switch (t.form) {
        case Typed::Form::Null: return "NULL";
        case Typed::Form::Parameter: {
            ParamSlot& slot = params_[static_cast<size_t>(t.slot)];
            if (target.type != Type::Null)
                slot.type = target;
            if (target.type == Type::Boolean)
                return "(" + t.sql + " <> 0)";
            return t.sql;
        }
        case Typed::Form::Literal: {
            if (target.type == Type::Null || target.type == t.type.type) {
                if (target.type == Type::Text && target.width > 0)
                    checkWidth(t, target);
                return t.sql;
            }
            try {
                return render(literalAs(t, target));
            } catch (const Error& e) {
                throw Error(e.kind(), e.what() + where(t.offset));
            }
        }
        case Typed::Form::Plain:
            if (target.type == Type::Null)
                return t.predicate ? convert(t, Type::Long) : t.sql;
            if (target.type == Type::Boolean && t.predicate)
                return t.sql;
            return convert(t, target.type);
        }
        return t.sql;
    }

    static Value literalAs(const Typed& t, const ColumnType& target)
    {
        if (target.type == Type::Currency && !t.numberText.empty()) {
            auto exact = Currency::parse(t.numberText);
            if (!exact)
                throw Error(Error::Kind::Range, "金额超出货币类型的范围");
            return Value(*exact);
        }
        return t.value.convertedTo(target);
    }

    void checkWidth(const Typed& t, const ColumnType& target) const
    {
        if (characterCount(t.value.asText()) > static_cast<size_t>(target.width))
            fail(Error::Kind::Constraint, "文本太长，最多 " + std::to_string(target.width) + " 个字符", t.offset);
    }

    std::string condition(const Typed& t) { return as(t, plain(Type::Boolean)); }

    // ---- expressions --------------------------------------------------------
    Typed literal(const Value& v, size_t offset, std::string numberText = {})
    {
        Typed t;
        t.form = Typed::Form::Literal;
        t.value = v;
        t.type = plain(v.type());
        if (v.type() == Type::Text)
            t.type.width = static_cast<int>(characterCount(v.asText()));
        t.sql = render(v);
        t.numberText = std::move(numberText);
        t.key = "lit:" + t.sql;
        t.offset = offset;
        return t;
    }

    Typed numberLiteral(const std::string& text, size_t offset)
    {
        const bool integral = text.find_first_of(".eE") == std::string::npos;
        if (integral && text.size() <= 10) {
            const long long n = std::stoll(text);
            if (n <= 2147483647LL)
                return literal(Value(static_cast<int64_t>(n)), offset, text);
        }
        double d = 0;
        try {
            d = std::stod(text);
        } catch (const std::exception&) {
            fail(Error::Kind::Range, "数值超出范围", offset);
        }
        return literal(Value(d), offset, text);
    }

    Typed compile(Expr& e, const Scope& scope)
    {
        switch (e.kind) {
        case ExprKind::Null: {
            Typed t;
            t.form = Typed::Form::Null;
            t.sql = "NULL";
            t.type = plain(Type::Null);
            t.key = "null";
            t.offset = e.offset;
            return t;
        }
        case ExprKind::Boolean: return literal(Value(e.flag), e.offset);
        case ExprKind::Number: return numberLiteral(e.text, e.offset);
        case ExprKind::String: return literal(Value(e.text), e.offset);
        case ExprKind::Date: return literal(Value(e.date), e.offset);
        case ExprKind::Parameter: return parameter(e);
        case ExprKind::Column: return column(e, scope);
        case ExprKind::Unary: return unary(e, scope);
        case ExprKind::Binary: return binary(e, scope);
        case ExprKind::Between: return between(e, scope);
        case ExprKind::Like: return like(e, scope);
        case ExprKind::InList: return inList(e, scope);
        case ExprKind::InSelect: return inSelect(e, scope);
        case ExprKind::IsNull: {
            Typed a = compile(*e.args[0], scope);
            Typed t = predicate("(" + as(a, plain(Type::Null)) + (e.negated ? " IS NOT NULL)" : " IS NULL)"), e.offset);
            inherit(t, a);
            t.key = "isnull(" + a.key + ")";
            return t;
        }
        case ExprKind::Exists: {
            CompiledSelect s = compileSelect(*e.select, &scope, nullptr);
            Typed t = predicate(std::string(e.negated ? "(NOT " : "(") + "EXISTS (" + s.sql + "))", e.offset);
            t.key = "exists:" + s.sql;
            return t;
        }
        case ExprKind::Subquery: {
            CompiledSelect s = compileSelect(*e.select, &scope, nullptr);
            if (s.fields.size() != 1)
                fail(Error::Kind::Syntax, "子查询只能返回一列", e.offset);
            Typed t;
            t.sql = "(" + s.sql + ")";
            t.type = s.fields[0].type;
            t.key = "sub:" + s.sql;
            t.offset = e.offset;
            return t;
        }
        case ExprKind::Function: return function(e, scope);
        }
        fail(Error::Kind::Syntax, "无法识别的表达式", e.offset);
    }

    static Typed predicate(std::string sql, size_t offset)
    {
        Typed t;
        t.sql = std::move(sql);
        t.type = plain(Type::Boolean);
        t.predicate = true;
        t.offset = offset;
        return t;
    }

    static void inherit(Typed& t, const Typed& from)
    {
        t.aggregate = t.aggregate || from.aggregate;
        t.bareColumns.insert(t.bareColumns.end(), from.bareColumns.begin(), from.bareColumns.end());
    }

    Typed parameter(const Expr& e)
    {
        if (mode_ == Mode::SavedQuery)
            fail(Error::Kind::Syntax, "保存的查询中不能有参数", e.offset);
        params_.push_back({e.text, plain(Type::Null)});
        Typed t;
        t.form = Typed::Form::Parameter;
        t.slot = static_cast<int>(params_.size() - 1);
        t.sql = "?" + std::to_string(params_.size());
        t.type = plain(Type::Text);
        t.key = "param:" + lower(e.text);
        t.offset = e.offset;
        return t;
    }

    Typed column(const Expr& e, const Scope& scope)
    {
        bool outer = false;
        for (const Scope* s = &scope; s; s = s->parent, outer = true) {
            const Source* found = nullptr;
            const CatalogColumn* col = nullptr;
            for (const Source& src : s->sources) {
                if (!e.qualifier.empty() && !sameName(src.alias, e.qualifier))
                    continue;
                for (const CatalogColumn& c : src.columns) {
                    if (!sameName(c.name, e.text))
                        continue;
                    if (found && found != &src)
                        fail(Error::Kind::Name, "列名“" + e.text + "”不明确，它属于多个表", e.offset);
                    found = &src;
                    col = &c;
                }
            }
            if (!found && !e.qualifier.empty()) {
                // The qualifier names a source of this scope: the column is missing there.
                for (const Source& src : s->sources)
                    if (sameName(src.alias, e.qualifier))
                        fail(Error::Kind::Name, "“" + e.qualifier + "”中没有列“" + e.text + "”", e.offset);
            }
            if (!found)
                continue;
            Typed t;
            t.sql = quoteIdent(found->alias) + "." + quoteIdent(col->name);
            t.type = col->type;
            t.key = "col:" + lower(found->alias) + "." + lower(col->name);
            if (!outer) {
                t.bareColumns.push_back(t.key);
                t.source = found;
                t.column = col->name;
            }
            t.offset = e.offset;
            return t;
        }
        if (!e.qualifier.empty())
            fail(Error::Kind::Name, "找不到“" + e.qualifier + "." + e.text + "”", e.offset);
        fail(Error::Kind::Name, "未知的列名“" + e.text + "”", e.offset);
    }

    Typed unary(Expr& e, const Scope& scope)
    {
        Typed a = compile(*e.args[0], scope);
        if (e.op == "not") {
            Typed t = predicate("(NOT " + condition(a) + ")", e.offset);
            inherit(t, a);
            t.key = "not(" + a.key + ")";
            return t;
        }
        if (a.form == Typed::Form::Literal && !a.numberText.empty()) {
            const std::string text = e.op == "-" ? (a.numberText[0] == '-' ? a.numberText.substr(1) : "-" + a.numberText)
                                                 : a.numberText;
            if (e.op == "+")
                return a;
            Value negated = a.value.type() == Type::Long ? Value(-a.value.asLong()) : Value(-a.value.asDouble());
            return literal(negated, e.offset, text);
        }
        Type type = a.type.type;
        if (a.form == Typed::Form::Parameter)
            type = Type::Double;
        if (!isNumeric(type))
            fail(Error::Kind::Type, "类型不匹配：负号只能用于数值", e.offset);
        Typed t;
        t.type = plain(type == Type::Boolean ? Type::Long : type);
        t.sql = "(" + e.op + as(a, t.type) + ")";
        t.key = e.op + "(" + a.key + ")";
        t.offset = e.offset;
        inherit(t, a);
        return t;
    }

    static bool adaptable(const Typed& t) { return t.form == Typed::Form::Literal || t.form == Typed::Form::Parameter; }

    // The type two operands are compared in.
    Type commonType(const Typed& a, const Typed& b, size_t offset)
    {
        if (a.form == Typed::Form::Null)
            return b.type.type;
        if (b.form == Typed::Form::Null)
            return a.type.type;
        const bool aa = adaptable(a), ab = adaptable(b);
        if (aa && !ab)
            return b.type.type;
        if (ab && !aa)
            return a.type.type;
        if (aa && ab) {
            if (a.form == Typed::Form::Parameter)
                return b.type.type;
            if (b.form == Typed::Form::Parameter)
                return a.type.type;
        }
        const Type x = a.predicate ? Type::Boolean : a.type.type, y = b.predicate ? Type::Boolean : b.type.type;
        if (x == y)
            return x;
        if (isNumeric(x) && isNumeric(y))
            return numericRank(x) >= numericRank(y) ? x : y;
        if (x == Type::Text && (isNumeric(y) || y == Type::DateTime))
            return y;
        if (y == Type::Text && (isNumeric(x) || x == Type::DateTime))
            return x;
        if ((x == Type::DateTime && isNumeric(y)) || (y == Type::DateTime && isNumeric(x)))
            return Type::Double;
        fail(Error::Kind::Type, "类型不匹配", offset);
    }

    Typed comparison(const std::string& op, Typed a, Typed b, size_t offset)
    {
        const Type common = commonType(a, b, offset);
        const std::string sa = as(a, plain(common)), sb = as(b, plain(common));
        std::string sql = "(" + sa + " " + op + " " + sb;
        if (common == Type::Text)
            sql += " COLLATE NOCASE";
        Typed t = predicate(sql + ")", offset);
        inherit(t, a);
        inherit(t, b);
        t.key = op + "(" + a.key + "," + b.key + ")";
        return t;
    }

    Typed binary(Expr& e, const Scope& scope)
    {
        Typed a = compile(*e.args[0], scope);
        Typed b = compile(*e.args[1], scope);
        const std::string& op = e.op;
        if (op == "and" || op == "or") {
            Typed t = predicate("(" + condition(a) + (op == "and" ? " AND " : " OR ") + condition(b) + ")", e.offset);
            inherit(t, a);
            inherit(t, b);
            t.key = op + "(" + a.key + "," + b.key + ")";
            return t;
        }
        if (op == "=" || op == "<>" || op == "<" || op == "<=" || op == ">" || op == ">=")
            return comparison(op, std::move(a), std::move(b), e.offset);

        Typed t;
        t.offset = e.offset;
        t.key = op + "(" + a.key + "," + b.key + ")";
        inherit(t, a);
        inherit(t, b);
        if (op == "&") {
            const std::string sa = as(a, plain(Type::Text)), sb = as(b, plain(Type::Text));
            t.type = plain(Type::Text);
            t.type.width = 255;
            t.sql = "(CASE WHEN " + sa + " IS NULL AND " + sb + " IS NULL THEN NULL ELSE coalesce(" + sa +
                    ", '') || coalesce(" + sb + ", '') END)";
            return t;
        }
        if (a.form == Typed::Form::Null || b.form == Typed::Form::Null) {
            // Arithmetic with Null is Null; keep the other side's type.
            t.type = plain(a.form == Typed::Form::Null ? b.type.type : a.type.type);
            t.sql = "NULL";
            return t;
        }
        const Type ta = a.form == Typed::Form::Parameter ? Type::Null : a.type.type;
        const Type tb = b.form == Typed::Form::Parameter ? Type::Null : b.type.type;
        if (op == "+" && (ta == Type::Text || ta == Type::Null) && (tb == Type::Text || tb == Type::Null)) {
            // Text + text joins the texts; a Null on either side makes it Null.
            t.type = plain(Type::Text);
            t.type.width = std::min(255, a.type.width + b.type.width);
            t.sql = "(" + as(a, plain(Type::Text)) + " || " + as(b, plain(Type::Text)) + ")";
            return t;
        }
        if ((op == "+" || op == "-") && (ta == Type::DateTime || tb == Type::DateTime)) {
            if (op == "-" && ta == Type::DateTime && tb == Type::DateTime) {
                t.type = plain(Type::Double);
                t.sql = "(julianday(" + a.sql + ") - julianday(" + b.sql + "))";
                return t;
            }
            const Typed& date = ta == Type::DateTime ? a : b;
            const Typed& days = ta == Type::DateTime ? b : a;
            if (op == "-" && tb == Type::DateTime)
                fail(Error::Kind::Type, "类型不匹配：不能用数值减去日期", e.offset);
            t.type = plain(Type::DateTime);
            t.sql = "datetime(julianday(" + date.sql + ") " + op + " " + as(days, plain(Type::Double)) + ")";
            return t;
        }
        auto numericOf = [&](Type x) { return x == Type::Text ? Type::Double : x == Type::Null ? Type::Null : x; };
        Type common = Type::Null;
        const Type na = numericOf(ta), nb = numericOf(tb);
        if ((na != Type::Null && !isNumeric(na)) || (nb != Type::Null && !isNumeric(nb)))
            fail(Error::Kind::Type, "类型不匹配：“" + op + "”两边应为数值", e.offset);
        if (na == Type::Null && nb == Type::Null)
            common = Type::Double;
        else if (na == Type::Null)
            common = nb;
        else if (nb == Type::Null)
            common = na;
        else if (adaptable(a) && !adaptable(b) && a.value.type() != Type::Double)
            common = nb == Type::Boolean ? Type::Long : nb;
        else if (adaptable(b) && !adaptable(a) && b.value.type() != Type::Double)
            common = na == Type::Boolean ? Type::Long : na;
        else if (adaptable(a) && !adaptable(b) && nb == Type::Currency)
            common = Type::Currency; // 12.5 + money stays exact money
        else if (adaptable(b) && !adaptable(a) && na == Type::Currency)
            common = Type::Currency;
        else
            common = numericRank(na) >= numericRank(nb) ? na : nb;
        if (common == Type::Boolean)
            common = Type::Long;

        if (op == "/") {
            const std::string sa = as(a, plain(Type::Double)), sb = as(b, plain(Type::Double));
            t.type = plain(Type::Double);
            t.sql = mode_ == Mode::Statement ? std::string(fn::divide) + "(" + sa + ", " + sb + ")" : "(" + sa + " / " + sb + ")";
            return t;
        }
        if (op == "\\" || op == "mod") {
            const std::string sa = as(a, plain(Type::Long)), sb = as(b, plain(Type::Long));
            t.type = plain(Type::Long);
            t.sql = "(" + sa + (op == "mod" ? " % " : " / ") + sb + ")";
            return t;
        }
        if (op == "*" && common == Type::Currency) {
            // money × whole number stays exact; money × money scales back once
            const bool aWhole = ta == Type::Long || ta == Type::Boolean ||
                                (a.form == Typed::Form::Literal && a.value.type() == Type::Long);
            const bool bWhole = tb == Type::Long || tb == Type::Boolean ||
                                (b.form == Typed::Form::Literal && b.value.type() == Type::Long);
            t.type = plain(Type::Currency);
            if (aWhole || bWhole) {
                const std::string sa = aWhole ? as(a, plain(Type::Long)) : as(a, plain(Type::Currency));
                const std::string sb = bWhole ? as(b, plain(Type::Long)) : as(b, plain(Type::Currency));
                t.sql = "(" + sa + " * " + sb + ")";
            } else {
                t.sql = "(" + as(a, plain(Type::Currency)) + " * " + as(b, plain(Type::Currency)) + " / 10000)";
            }
            return t;
        }
        t.type = plain(common);
        t.sql = "(" + as(a, t.type) + " " + op + " " + as(b, t.type) + ")";
        return t;
    }

    Typed between(Expr& e, const Scope& scope)
    {
        Typed v = compile(*e.args[0], scope);
        Typed lo = compile(*e.args[1], scope);
        Typed hi = compile(*e.args[2], scope);
        Type common = commonType(v, lo, e.offset);
        if (adaptable(v) && adaptable(lo) && !adaptable(hi))
            common = hi.type.type;
        const std::string sv = as(v, plain(common)), sl = as(lo, plain(common)), sh = as(hi, plain(common));
        std::string sql;
        if (common == Type::Text)
            sql = "(" + sv + " >= " + sl + " COLLATE NOCASE AND " + sv + " <= " + sh + " COLLATE NOCASE)";
        else
            sql = "(" + sv + " BETWEEN " + sl + " AND " + sh + ")";
        if (e.negated)
            sql = "(NOT " + sql + ")";
        Typed t = predicate(sql, e.offset);
        inherit(t, v);
        inherit(t, lo);
        inherit(t, hi);
        t.key = "between(" + v.key + "," + lo.key + "," + hi.key + ")";
        return t;
    }

    // Jet patterns: % and _ as in SQLite; [x] stands for the character x.
    std::string likePattern(const Typed& pattern, bool& needsEscape)
    {
        if (pattern.form != Typed::Form::Literal)
            return as(pattern, plain(Type::Text));
        const std::string p(pattern.value.convertedTo(plain(Type::Text)).asText());
        if (p.find('[') == std::string::npos && p.find('\\') == std::string::npos)
            return quoteString(p);
        std::string out;
        for (size_t i = 0; i < p.size(); ++i) {
            if (p[i] == '\\') {
                out += "\\\\";
                continue;
            }
            if (p[i] != '[') {
                out += p[i];
                continue;
            }
            const size_t close = p.find(']', i + 1);
            if (close == i + 2 || (close == i + 3 && p[i + 1] == '\0')) {
                const char c = p[i + 1];
                if (c == '%' || c == '_')
                    out += '\\';
                out += c;
                i = close;
                continue;
            }
            fail(Error::Kind::Syntax, "不支持的 LIKE 模式“" + p + "”", pattern.offset);
        }
        needsEscape = true;
        return quoteString(out);
    }

    Typed like(Expr& e, const Scope& scope)
    {
        Typed v = compile(*e.args[0], scope);
        Typed p = compile(*e.args[1], scope);
        bool escape = false;
        const std::string pattern = likePattern(p, escape);
        std::string sql = "(" + as(v, plain(Type::Text)) + (e.negated ? " NOT LIKE " : " LIKE ") + pattern;
        if (escape)
            sql += " ESCAPE '\\'";
        Typed t = predicate(sql + ")", e.offset);
        inherit(t, v);
        inherit(t, p);
        t.key = "like(" + v.key + "," + p.key + ")";
        return t;
    }

    Typed inList(Expr& e, const Scope& scope)
    {
        Typed v = compile(*e.args[0], scope);
        std::vector<Typed> items;
        for (size_t i = 1; i < e.args.size(); ++i)
            items.push_back(compile(*e.args[i], scope));
        Type common = v.type.type;
        if (adaptable(v))
            for (const Typed& item : items)
                if (!adaptable(item) && item.form != Typed::Form::Null) {
                    common = item.type.type;
                    break;
                }
        std::string sql = "(" + as(v, plain(common));
        if (common == Type::Text)
            sql += " COLLATE NOCASE";
        sql += e.negated ? " NOT IN (" : " IN (";
        Typed t = predicate({}, e.offset);
        t.key = "in(" + v.key;
        for (size_t i = 0; i < items.size(); ++i) {
            sql += (i ? ", " : "") + as(items[i], plain(common));
            inherit(t, items[i]);
            t.key += "," + items[i].key;
        }
        inherit(t, v);
        t.sql = sql + "))";
        t.key += ")";
        return t;
    }

    Typed inSelect(Expr& e, const Scope& scope)
    {
        Typed v = compile(*e.args[0], scope);
        const size_t paramMark = params_.size();
        CompiledSelect s = compileSelect(*e.select, &scope, nullptr);
        if (s.fields.size() != 1)
            fail(Error::Kind::Syntax, "IN 子查询只能返回一列", e.offset);
        Type common = adaptable(v) ? s.fields[0].type.type : v.type.type;
        if (!adaptable(v) && s.fields[0].type.type != common) {
            if (!(isNumeric(common) || common == Type::DateTime || common == Type::Text))
                fail(Error::Kind::Type, "类型不匹配", e.offset);
            params_.resize(paramMark);
            const std::vector<ColumnType> targets{plain(common)};
            s = compileSelect(*e.select, &scope, &targets);
        }
        std::string sql = "(" + as(v, plain(common));
        if (common == Type::Text)
            sql += " COLLATE NOCASE";
        sql += (e.negated ? " NOT IN (" : " IN (") + s.sql + "))";
        Typed t = predicate(sql, e.offset);
        inherit(t, v);
        t.key = "insel(" + v.key + "," + s.sql + ")";
        return t;
    }

    // ---- functions ------------------------------------------------------------
    void arity(const Expr& e, size_t least, size_t most) const
    {
        if (e.star || e.args.size() < least || e.args.size() > most)
            fail(Error::Kind::Syntax, "函数 " + e.text + " 的参数个数不对", e.offset);
    }

    Typed function(Expr& e, const Scope& scope)
    {
        static const std::set<std::string> aggregates = {"sum", "count", "avg", "min", "max"};
        const std::string& name = e.text;
        Typed t;
        t.offset = e.offset;
        if (aggregates.count(name)) {
            if (insideAggregate_)
                fail(Error::Kind::Syntax, "聚合函数不能嵌套", e.offset);
            if (name == "count" && e.star) {
                t.sql = "count(*)";
                t.type = plain(Type::Long);
                t.aggregate = true;
                t.key = "count(*)";
                return t;
            }
            arity(e, 1, 1);
            insideAggregate_ = true;
            Typed a = compile(*e.args[0], scope);
            insideAggregate_ = false;
            const std::string distinct = e.distinct ? "DISTINCT " : "";
            Type at = a.predicate ? Type::Long : a.type.type;
            if (a.form == Typed::Form::Parameter || a.form == Typed::Form::Null)
                at = Type::Double;
            const std::string arg = as(a, plain(at));
            t.aggregate = true;
            t.key = name + "(" + distinct + a.key + ")";
            if (name == "count") {
                t.sql = "count(" + distinct + arg + ")";
                t.type = plain(Type::Long);
            } else if (name == "min" || name == "max") {
                t.sql = name + "(" + distinct + arg + (at == Type::Text ? " COLLATE NOCASE" : "") + ")";
                t.type = a.type;
                t.type.autoNumber = false;
            } else {
                if (!isNumeric(at))
                    fail(Error::Kind::Type, "类型不匹配：函数 " + name + " 只能用于数值", e.offset);
                if (name == "sum") {
                    t.sql = "sum(" + distinct + arg + ")";
                    t.type = plain(at == Type::Boolean ? Type::Long : at);
                } else if (at == Type::Currency) {
                    t.sql = "CAST(round(avg(" + distinct + arg + ")) AS INTEGER)";
                    t.type = plain(Type::Currency);
                } else {
                    t.sql = "avg(" + distinct + arg + ")";
                    t.type = plain(Type::Double);
                }
            }
            return t;
        }
        if (e.star || e.distinct)
            fail(Error::Kind::Syntax, "函数 " + name + " 的参数不对", e.offset);

        std::vector<Typed> args;
        for (ExprPtr& a : e.args)
            args.push_back(compile(*a, scope));
        t.key = name + "(";
        for (const Typed& a : args) {
            inherit(t, a);
            t.key += a.key + ",";
        }
        t.key += ")";
        auto text = [&](size_t i) { return as(args[i], plain(Type::Text)); };
        auto whole = [&](size_t i) { return as(args[i], plain(Type::Long)); };
        auto setText = [&](std::string sql) {
            t.sql = std::move(sql);
            t.type = plain(Type::Text);
            t.type.width = 255;
        };

        if (name == "year" || name == "month" || name == "day" || name == "hour" || name == "minute" ||
            name == "second") {
            arity(e, 1, 1);
            static const std::pair<const char*, const char*> parts[] = {
                {"year", "%Y"}, {"month", "%m"}, {"day", "%d"}, {"hour", "%H"}, {"minute", "%M"}, {"second", "%S"}};
            const char* format = "";
            for (const auto& [n, f] : parts)
                if (name == n)
                    format = f;
            t.sql = "CAST(strftime('" + std::string(format) + "', " + as(args[0], plain(Type::DateTime)) + ") AS INTEGER)";
            t.type = plain(Type::Long);
        } else if (name == "now" || name == "date") {
            arity(e, 0, 0);
            t.sql = name == "now" ? "datetime('now', 'localtime')" : "(date('now', 'localtime') || ' 00:00:00')";
            t.type = plain(Type::DateTime);
        } else if (name == "format") {
            arity(e, 2, 2);
            if (args[1].form != Typed::Form::Literal || args[1].value.type() != Type::Text)
                fail(Error::Kind::Syntax, "函数 format 的格式应为文本常量", e.offset);
            setText("strftime(" + quoteString(strftimePattern(std::string(args[1].value.asText()), e.offset)) + ", " +
                    as(args[0], plain(Type::DateTime)) + ")");
        } else if (name == "len") {
            arity(e, 1, 1);
            t.sql = "length(" + text(0) + ")";
            t.type = plain(Type::Long);
        } else if (name == "ucase" || name == "lcase") {
            arity(e, 1, 1);
            setText(std::string(name == "ucase" ? "upper(" : "lower(") + text(0) + ")");
        } else if (name == "trim" || name == "ltrim" || name == "rtrim") {
            arity(e, 1, 1);
            setText(name + "(" + text(0) + ", ' ')");
        } else if (name == "left") {
            arity(e, 2, 2);
            setText("substr(" + text(0) + ", 1, " + whole(1) + ")");
        } else if (name == "right") {
            arity(e, 2, 2);
            const std::string s = text(0), n = whole(1);
            setText("(CASE WHEN " + n + " <= 0 THEN '' ELSE substr(" + s + ", -" + n + ") END)");
        } else if (name == "mid") {
            arity(e, 2, 3);
            setText("substr(" + text(0) + ", " + whole(1) + (args.size() == 3 ? ", " + whole(2) : "") + ")");
        } else if (name == "abs") {
            arity(e, 1, 1);
            const Type at = args[0].form == Typed::Form::Parameter ? Type::Double : args[0].type.type;
            if (!isNumeric(at))
                fail(Error::Kind::Type, "类型不匹配：函数 abs 只能用于数值", e.offset);
            t.type = plain(at == Type::Boolean ? Type::Long : at);
            t.sql = "abs(" + as(args[0], t.type) + ")";
        } else if (name == "iif") {
            arity(e, 3, 3);
            const Type common = commonType(args[1], args[2], e.offset);
            t.type = plain(common == Type::Null ? Type::Text : common);
            t.sql = "(CASE WHEN " + condition(args[0]) + " THEN " + as(args[1], t.type) + " ELSE " +
                    as(args[2], t.type) + " END)";
        } else if (name == "clng" || name == "ccur" || name == "cdbl" || name == "cstr" || name == "cdate") {
            arity(e, 1, 1);
            const Type target = name == "clng"   ? Type::Long
                                : name == "ccur" ? Type::Currency
                                : name == "cdbl" ? Type::Double
                                : name == "cstr" ? Type::Text
                                                 : Type::DateTime;
            t.type = plain(target);
            if (target == Type::Text)
                t.type.width = 255;
            t.sql = as(args[0], t.type);
        } else {
            fail(Error::Kind::Name, "未知的函数“" + name + "”", e.offset);
        }
        return t;
    }

    std::string strftimePattern(const std::string& jet, size_t offset) const
    {
        static const std::pair<const char*, const char*> tokens[] = {
            {"yyyy", "%Y"}, {"mm", "%m"}, {"dd", "%d"}, {"hh", "%H"}, {"nn", "%M"}, {"ss", "%S"}};
        std::string out;
        const std::string low = lower(jet);
        for (size_t i = 0; i < jet.size();) {
            bool matched = false;
            for (const auto& [token, replacement] : tokens) {
                const size_t n = std::char_traits<char>::length(token);
                if (low.compare(i, n, token) == 0) {
                    out += replacement;
                    i += n;
                    matched = true;
                    break;
                }
            }
            if (matched)
                continue;
            const char c = jet[i++];
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
                fail(Error::Kind::Syntax, "不支持的格式“" + jet + "”", offset);
            out += c == '%' ? std::string("%%") : std::string(1, c);
        }
        return out;
    }

    // ---- FROM ---------------------------------------------------------------
    void addSource(Scope& scope, Source source, size_t offset) const
    {
        for (const Source& s : scope.sources)
            if (sameName(s.alias, source.alias))
                fail(Error::Kind::Name, "表或别名“" + source.alias + "”出现了两次", offset);
        scope.sources.push_back(std::move(source));
    }

    std::string compileFrom(TableRef& ref, Scope& scope)
    {
        switch (ref.kind) {
        case TableRef::Kind::Named: {
            const CatalogObject* object = catalog_.find(ref.name);
            if (!object)
                fail(Error::Kind::Name, "找不到表或查询“" + ref.name + "”", ref.offset);
            Source s;
            s.alias = ref.alias.empty() ? object->name : ref.alias;
            s.columns = object->columns;
            s.object = object;
            s.baseTable = !object->savedQuery;
            addSource(scope, s, ref.offset);
            return quoteIdent(object->name) + " AS " + quoteIdent(s.alias);
        }
        case TableRef::Kind::Subquery: {
            CompiledSelect sub = compileSelect(*ref.select, scope.parent, nullptr);
            Source s;
            s.alias = ref.alias;
            for (const Field& f : sub.fields)
                s.columns.push_back({f.name, f.type});
            addSource(scope, s, ref.offset);
            return "(" + sub.sql + ") AS " + quoteIdent(s.alias);
        }
        case TableRef::Kind::Join: {
            std::string left = compileFrom(*ref.left, scope);
            std::string right = compileFrom(*ref.right, scope);
            if (ref.right->kind == TableRef::Kind::Join)
                right = "(" + right + ")";
            if (ref.join == JoinKind::Cross)
                return left + " CROSS JOIN " + right;
            const char* kind = ref.join == JoinKind::Inner  ? " INNER JOIN "
                               : ref.join == JoinKind::Left ? " LEFT JOIN "
                                                            : " RIGHT JOIN ";
            Typed on = compile(*ref.on, scope);
            if (on.aggregate)
                fail(Error::Kind::Syntax, "ON 子句中不能有聚合函数", ref.on->offset);
            return left + kind + right + " ON " + condition(on);
        }
        }
        return {};
    }

    // ---- SELECT -------------------------------------------------------------
    static bool grouped(const Typed& t, const std::set<std::string>& keys)
    {
        if (keys.count(t.key))
            return true;
        return std::all_of(t.bareColumns.begin(), t.bareColumns.end(), [&](const std::string& k) { return keys.count(k) > 0; });
    }

    CompiledSelect compileSelect(Select& s, const Scope* parent, const std::vector<ColumnType>* targets)
    {
        struct Depth {
            explicit Depth(int& d) : d_(++d) {}
            ~Depth() { --d_; }
            int& d_;
        } depth(selectDepth_);
        Scope scope;
        scope.parent = parent;
        std::string from;
        if (s.from)
            from = compileFrom(*s.from, scope);

        struct Item {
            Typed typed;
            std::string name;
            bool explicitName = false;
        };
        std::vector<Item> items;
        int exprCounter = 1000;
        for (SelectItem& item : s.items) {
            if (item.star) {
                bool any = false;
                for (const Source& src : scope.sources) {
                    if (!item.starQualifier.empty() && !sameName(src.alias, item.starQualifier))
                        continue;
                    any = true;
                    for (const CatalogColumn& c : src.columns) {
                        Expr ref;
                        ref.kind = ExprKind::Column;
                        ref.qualifier = src.alias;
                        ref.text = c.name;
                        ref.offset = item.offset;
                        items.push_back({column(ref, scope), c.name, false});
                    }
                }
                if (!any)
                    fail(Error::Kind::Name,
                         item.starQualifier.empty() ? "“*”没有可选的表" : "找不到“" + item.starQualifier + "”", item.offset);
                continue;
            }
            Item out{compile(*item.expr, scope), item.alias, !item.alias.empty()};
            if (out.name.empty())
                out.name = out.typed.source ? out.typed.column : "Expr" + std::to_string(exprCounter++);
            items.push_back(std::move(out));
        }
        if (targets && targets->size() != items.size())
            fail(Error::Kind::Syntax, "查询的列数与目标的列数不一致", s.offset);

        // A name that occurs twice is qualified by its source: ren_s.s_Xjine.
        std::vector<bool> duplicate(items.size(), false);
        for (size_t i = 0; i < items.size(); ++i)
            for (size_t j = 0; j < items.size(); ++j)
                if (j != i && sameName(items[i].name, items[j].name))
                    duplicate[i] = true;
        for (size_t i = 0; i < items.size(); ++i)
            if (duplicate[i] && !items[i].explicitName && items[i].typed.source)
                items[i].name = items[i].typed.source->alias + "." + items[i].name;

        std::string whereSql;
        if (s.where) {
            Typed w = compile(*s.where, scope);
            if (w.aggregate)
                fail(Error::Kind::Syntax, "WHERE 子句中不能有聚合函数", s.where->offset);
            whereSql = condition(w);
        }
        std::set<std::string> groupKeys;
        std::string groupSql;
        for (ExprPtr& g : s.groupBy) {
            Typed t = compile(*g, scope);
            if (t.aggregate)
                fail(Error::Kind::Syntax, "GROUP BY 子句中不能有聚合函数", g->offset);
            groupKeys.insert(t.key);
            groupSql += (groupSql.empty() ? "" : ", ") + as(t, plain(Type::Null));
        }
        std::string havingSql;
        std::optional<Typed> having;
        if (s.having) {
            having = compile(*s.having, scope);
            havingSql = condition(*having);
        }
        bool aggregateQuery = !s.groupBy.empty() || (having && having->aggregate);
        for (const Item& item : items)
            aggregateQuery = aggregateQuery || item.typed.aggregate;
        if (aggregateQuery) {
            for (size_t i = 0; i < items.size(); ++i)
                if (!grouped(items[i].typed, groupKeys))
                    fail(Error::Kind::Syntax,
                         "“" + items[i].name + "”既不在 GROUP BY 子句中，也不在聚合函数中", items[i].typed.offset);
            if (having && !grouped(*having, groupKeys))
                fail(Error::Kind::Syntax, "HAVING 子句引用了不在 GROUP BY 子句中的列", s.having->offset);
        }

        std::string orderSql;
        for (OrderItem& o : s.orderBy) {
            std::string sql;
            // An ordinal or a result name picks a result column.
            if (o.expr->kind == ExprKind::Number && o.expr->text.find_first_not_of("0123456789") == std::string::npos) {
                const size_t n = o.expr->text.size() > 6 ? 0 : std::stoul(o.expr->text);
                if (n < 1 || n > items.size())
                    fail(Error::Kind::Syntax, "ORDER BY 的列号超出范围", o.expr->offset);
                sql = std::to_string(n);
            } else {
                if (o.expr->kind == ExprKind::Column && o.expr->qualifier.empty())
                    for (size_t i = 0; i < items.size() && sql.empty(); ++i)
                        if (items[i].explicitName && sameName(items[i].name, o.expr->text))
                            sql = std::to_string(i + 1);
                if (sql.empty()) {
                    Typed t = compile(*o.expr, scope);
                    if (aggregateQuery && !grouped(t, groupKeys))
                        fail(Error::Kind::Syntax, "ORDER BY 子句引用了不在 GROUP BY 子句中的列", o.expr->offset);
                    sql = as(t, plain(Type::Null));
                    if (t.type.type == Type::Text)
                        sql += " COLLATE NOCASE";
                }
            }
            orderSql += (orderSql.empty() ? "" : ", ") + sql + (o.descending ? " DESC" : "");
        }

        CompiledSelect out;
        std::string sql = s.distinct ? "SELECT DISTINCT " : "SELECT ";
        for (size_t i = 0; i < items.size(); ++i) {
            const Typed& t = items[i].typed;
            ColumnType type = targets ? (*targets)[i] : t.type;
            if (!targets && t.predicate)
                type = plain(Type::Boolean);
            if (!targets && t.form == Typed::Form::Parameter)
                type = plain(Type::Text);
            sql += (i ? ", " : "") + as(t, targets ? type : plain(Type::Null)) + " AS " + quoteIdent(items[i].name);
            Field f;
            f.name = items[i].name;
            f.type = type;
            if (t.predicate && !targets)
                f.type = plain(Type::Boolean);
            if (t.source && t.source->baseTable && !aggregateQuery && !s.distinct && !targets) {
                f.baseTable = t.source->object->name;
                f.baseColumn = t.column;
                f.readOnly = t.type.autoNumber;
            } else {
                f.type.autoNumber = false;
            }
            out.fields.push_back(std::move(f));
        }
        if (!from.empty())
            sql += " FROM " + from;
        if (!whereSql.empty())
            sql += " WHERE " + whereSql;
        if (!groupSql.empty())
            sql += " GROUP BY " + groupSql;
        if (!havingSql.empty())
            sql += " HAVING " + havingSql;
        // Rows of one table come in the order they were added, whatever
        // index SQLite picks, as the program's lists expect.
        if (orderSql.empty() && selectDepth_ == 1 && !aggregateQuery && !s.distinct && scope.sources.size() == 1 &&
            scope.sources[0].baseTable)
            orderSql = quoteIdent(scope.sources[0].alias) + ".rowid";
        if (!orderSql.empty())
            sql += " ORDER BY " + orderSql;
        if (s.top)
            sql += " LIMIT " + std::to_string(*s.top);
        out.sql = std::move(sql);
        return out;
    }

    // ---- changes ------------------------------------------------------------
    const CatalogObject& table(const std::string& name, size_t offset) const
    {
        const CatalogObject* object = catalog_.find(name);
        if (!object)
            fail(Error::Kind::Name, "找不到表“" + name + "”", offset);
        if (object->savedQuery)
            fail(Error::Kind::Syntax, "不能修改保存的查询“" + object->name + "”的数据", offset);
        return *object;
    }

    std::string compileInsert(Insert& ins, std::string& tableName)
    {
        const CatalogObject& t = table(ins.table, ins.tableOffset);
        tableName = t.name;
        std::vector<const CatalogColumn*> columns;
        if (ins.columns.empty()) {
            for (const CatalogColumn& c : t.columns)
                columns.push_back(&c);
        } else {
            for (const auto& [name, offset] : ins.columns) {
                const CatalogColumn* c = t.column(name);
                if (!c)
                    fail(Error::Kind::Name, "表“" + t.name + "”中没有列“" + name + "”", offset);
                if (std::find(columns.begin(), columns.end(), c) != columns.end())
                    fail(Error::Kind::Syntax, "列“" + name + "”出现了两次", offset);
                columns.push_back(c);
            }
        }
        std::string sql = "INSERT INTO " + quoteIdent(t.name) + " (";
        for (size_t i = 0; i < columns.size(); ++i)
            sql += (i ? ", " : "") + quoteIdent(columns[i]->name);
        sql += ") ";
        if (ins.select) {
            std::vector<ColumnType> targets;
            for (const CatalogColumn* c : columns)
                targets.push_back(c->type);
            sql += compileSelect(*ins.select, nullptr, &targets).sql;
            return sql;
        }
        if (ins.values.size() != columns.size())
            fail(Error::Kind::Syntax, "值的个数与列的个数不一致", ins.tableOffset);
        Scope empty;
        sql += "VALUES (";
        for (size_t i = 0; i < columns.size(); ++i) {
            Typed v = compile(*ins.values[i], empty);
            sql += (i ? ", " : "") + assigned(v, *columns[i]);
        }
        return sql + ")";
    }

    // A value stored into a column: converted to the column's type, texts
    // checked against its width.
    std::string assigned(const Typed& v, const CatalogColumn& column)
    {
        try {
            return as(v, column.type);
        } catch (const Error& e) {
            throw Error(e.kind(), "列“" + column.name + "”：" + e.what());
        }
    }

    std::string compileUpdate(Update& up, std::string& tableName)
    {
        Scope scope;
        std::vector<std::string> fromParts;
        std::vector<std::string> onConditions;
        collectUpdateSources(*up.target, scope, fromParts, onConditions);

        // The table whose columns are set is the one changed.
        const Source* target = nullptr;
        std::vector<std::pair<const CatalogColumn*, Typed>> sets;
        for (Assignment& a : up.assignments) {
            Typed c = column(*a.column, scope);
            if (!c.source || !c.source->baseTable)
                fail(Error::Kind::Syntax, "只能修改表中的列", a.column->offset);
            if (target && target != c.source)
                fail(Error::Kind::Syntax, "一条 UPDATE 语句只能修改一张表", a.column->offset);
            target = c.source;
            sets.emplace_back(c.source->object->column(c.column), compile(*a.value, scope));
            if (sets.back().second.aggregate)
                fail(Error::Kind::Syntax, "SET 子句中不能有聚合函数", a.value->offset);
        }
        tableName = target->object->name;
        std::string sql = "UPDATE " + quoteIdent(target->object->name);
        if (!sameName(target->alias, target->object->name))
            sql += " AS " + quoteIdent(target->alias);
        sql += " SET ";
        for (size_t i = 0; i < sets.size(); ++i)
            sql += (i ? ", " : "") + quoteIdent(sets[i].first->name) + " = " + assigned(sets[i].second, *sets[i].first);

        std::string others;
        for (size_t i = 0; i < scope.sources.size(); ++i)
            if (&scope.sources[i] != target)
                others += (others.empty() ? "" : ", ") + fromParts[i];
        if (!others.empty())
            sql += " FROM " + others;
        std::vector<std::string> conditions = onConditions;
        if (up.where) {
            Typed w = compile(*up.where, scope);
            if (w.aggregate)
                fail(Error::Kind::Syntax, "WHERE 子句中不能有聚合函数", up.where->offset);
            conditions.push_back(condition(w));
        }
        for (size_t i = 0; i < conditions.size(); ++i)
            sql += (i ? " AND " : " WHERE ") + conditions[i];
        return sql;
    }

    // Joined tables of an UPDATE become the FROM list and their ON
    // conditions part of the WHERE clause; only inner joins can do that.
    void collectUpdateSources(TableRef& ref, Scope& scope, std::vector<std::string>& parts, std::vector<std::string>& on)
    {
        if (ref.kind == TableRef::Kind::Join) {
            if (ref.join != JoinKind::Inner && ref.join != JoinKind::Cross)
                fail(Error::Kind::Syntax, "UPDATE 只支持 INNER JOIN", ref.offset);
            collectUpdateSources(*ref.left, scope, parts, on);
            collectUpdateSources(*ref.right, scope, parts, on);
            if (ref.on)
                on.push_back(condition(compile(*ref.on, scope)));
            return;
        }
        parts.push_back(compileFrom(ref, scope));
    }

    std::string compileDelete(Delete& d, std::string& tableName)
    {
        const CatalogObject& t = table(d.table, d.tableOffset);
        tableName = t.name;
        Scope scope;
        Source s;
        s.alias = t.name;
        s.columns = t.columns;
        s.object = &t;
        s.baseTable = true;
        scope.sources.push_back(s);
        std::string sql = "DELETE FROM " + quoteIdent(t.name);
        if (d.where) {
            Typed w = compile(*d.where, scope);
            if (w.aggregate)
                fail(Error::Kind::Syntax, "WHERE 子句中不能有聚合函数", d.where->offset);
            sql += " WHERE " + condition(w);
        }
        return sql;
    }

    const std::string& text_;
    const Catalog& catalog_;
    Mode mode_;
    std::vector<ParamSlot> params_;
    bool insideAggregate_ = false;
    int selectDepth_ = 0;
};

} // namespace

Translation translate(const std::string& statement, const Catalog& catalog, Mode mode)
{
    return Compiler(statement, catalog, mode).run();
}

} // namespace ledger::jet
