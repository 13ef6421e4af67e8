#include "functions.h"

#include "types.h"

#include "../error.h"
#include "../sql_text.h"

#include <cstring>

namespace ledger::jet {

namespace {

[[noreturn]] void mismatch(const Bound& call, const char* what)
{
    throw Error(Error::Kind::Type, std::string("类型不匹配：函数 ") + call.fn->name + " " + what);
}

const ColumnType kText = {Type::Text, 255, false};

// ---- type rules -------------------------------------------------------------
void aggregateType(Bound& call, Signature& s)
{
    const std::string name = call.fn->name;
    if (call.star) {
        s.result = plain(Type::Long);
        return;
    }
    const Bound& a = *call.args[0];
    Type at = a.predicate ? Type::Long : a.type.type;
    if (a.node == Node::Parameter || a.node == Node::Null)
        at = Type::Double;
    s.args = {plain(at)};
    if (name == "count") {
        s.result = plain(Type::Long);
    } else if (name == "min" || name == "max") {
        s.result = a.type;
        s.result.autoNumber = false;
    } else {
        if (!isNumeric(at))
            mismatch(call, "只能用于数值");
        if (name == "sum")
            s.result = plain(at == Type::Boolean ? Type::Long : at);
        else
            s.result = plain(at == Type::Currency ? Type::Currency : Type::Double);
    }
}

void datePartType(Bound&, Signature& s)
{
    s.args = {plain(Type::DateTime)};
    s.result = plain(Type::Long);
}

void clockType(Bound&, Signature& s)
{
    s.result = plain(Type::DateTime);
}

// Jet's date format letters as strftime's.
std::string strftimePattern(const std::string& jet)
{
    static const std::pair<const char*, const char*> tokens[] = {{"yyyy", "%Y"}, {"mm", "%m"}, {"dd", "%d"},
                                                                 {"hh", "%H"},   {"nn", "%M"}, {"ss", "%S"}};
    std::string out;
    const std::string low = lower(jet);
    for (size_t i = 0; i < jet.size();) {
        bool matched = false;
        for (const auto& [token, replacement] : tokens) {
            const size_t n = std::strlen(token);
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
            throw Error(Error::Kind::Syntax, "不支持的格式“" + jet + "”");
        out += c == '%' ? std::string("%%") : std::string(1, c);
    }
    return out;
}

void formatType(Bound& call, Signature& s)
{
    const Bound& pattern = *call.args[1];
    if (pattern.node != Node::Literal || pattern.value.type() != Type::Text)
        throw Error(Error::Kind::Syntax, "函数 format 的格式应为文本常量");
    call.text = strftimePattern(std::string(pattern.value.asText()));
    s.args = {plain(Type::DateTime), plain(Type::Null)};
    s.result = kText;
}

void lengthType(Bound&, Signature& s)
{
    s.args = {plain(Type::Text)};
    s.result = plain(Type::Long);
}

void textType(Bound&, Signature& s)
{
    s.args = {plain(Type::Text)};
    s.result = kText;
}

// Left, Right, Mid: a text, then whole numbers.
void pieceType(Bound& call, Signature& s)
{
    s.args.assign(call.args.size(), plain(Type::Long));
    s.args[0] = plain(Type::Text);
    s.result = kText;
}

void absType(Bound& call, Signature& s)
{
    const Bound& a = *call.args[0];
    const Type at = a.node == Node::Parameter ? Type::Double : a.type.type;
    if (!isNumeric(at))
        mismatch(call, "只能用于数值");
    s.result = plain(at == Type::Boolean ? Type::Long : at);
    s.args = {s.result};
}

void iifType(Bound& call, Signature& s)
{
    const std::optional<Type> common = comparedAs(*call.args[1], *call.args[2]);
    if (!common)
        throw Error(Error::Kind::Type, "类型不匹配");
    s.result = plain(*common == Type::Null ? Type::Text : *common);
    s.args = {plain(Type::Boolean), s.result, s.result};
    s.tested = 1;
}

template <Type T>
void castType(Bound&, Signature& s)
{
    s.result = T == Type::Text ? kText : plain(T);
    s.args = {s.result};
}

// ---- emission -----------------------------------------------------------------
std::string distinctArg(const CallSql& c)
{
    return (c.call.distinct ? "DISTINCT " : "") + c.args[0];
}

std::string emitAggregate(const CallSql& c)
{
    const std::string name = c.call.fn->name;
    if (c.call.star)
        return "count(*)";
    const Type at = c.call.args[0]->type.type;
    if ((name == "min" || name == "max") && at == Type::Text)
        return name + "(" + distinctArg(c) + " COLLATE NOCASE)";
    if (name == "avg" && at == Type::Currency)
        return "CAST(round(avg(" + distinctArg(c) + ")) AS INTEGER)";
    return name + "(" + distinctArg(c) + ")";
}

std::string emitDatePart(const CallSql& c)
{
    static const std::pair<const char*, const char*> parts[] = {{"year", "%Y"}, {"month", "%m"},  {"day", "%d"},
                                                                {"hour", "%H"}, {"minute", "%M"}, {"second", "%S"}};
    const char* format = "";
    for (const auto& [n, f] : parts)
        if (std::strcmp(c.call.fn->name, n) == 0)
            format = f;
    return "CAST(strftime('" + std::string(format) + "', " + c.args[0] + ") AS INTEGER)";
}

std::string emitNow(const CallSql&)
{
    return "datetime('now', 'localtime')";
}
std::string emitDate(const CallSql&)
{
    return "(date('now', 'localtime') || ' 00:00:00')";
}
std::string emitFormat(const CallSql& c)
{
    return "strftime(" + quoteText(c.call.text) + ", " + c.args[0] + ")";
}
std::string emitLength(const CallSql& c)
{
    return "length(" + c.args[0] + ")";
}
std::string emitUpper(const CallSql& c)
{
    return "upper(" + c.args[0] + ")";
}
std::string emitLower(const CallSql& c)
{
    return "lower(" + c.args[0] + ")";
}
std::string emitTrim(const CallSql& c)
{
    return std::string(c.call.fn->name) + "(" + c.args[0] + ", ' ')";
}
std::string emitLeft(const CallSql& c)
{
    return "substr(" + c.args[0] + ", 1, " + c.args[1] + ")";
}

// The count is needed twice: written out when it is a plain value, else
// handed once to the program's function.
std::string emitRight(const CallSql& c)
{
    if (!atomic(*c.call.args[1]))
        return std::string(fn::right) + "(" + c.args[0] + ", " + c.args[1] + ")";
    return "(CASE WHEN " + c.args[1] + " <= 0 THEN '' ELSE substr(" + c.args[0] + ", -(" + c.args[1] + ")) END)";
}

std::string emitMid(const CallSql& c)
{
    return "substr(" + c.args[0] + ", " + c.args[1] + (c.args.size() == 3 ? ", " + c.args[2] : "") + ")";
}

std::string emitAbs(const CallSql& c)
{
    return "abs(" + c.args[0] + ")";
}
std::string emitIif(const CallSql& c)
{
    return "(CASE WHEN " + c.args[0] + " THEN " + c.args[1] + " ELSE " + c.args[2] + " END)";
}
std::string emitCast(const CallSql& c)
{
    return c.args[0];
}

const FunctionDef kFunctions[] = {
    {"sum", 1, 1, true, aggregateType, emitAggregate},
    {"count", 1, 1, true, aggregateType, emitAggregate},
    {"avg", 1, 1, true, aggregateType, emitAggregate},
    {"min", 1, 1, true, aggregateType, emitAggregate},
    {"max", 1, 1, true, aggregateType, emitAggregate},
    {"year", 1, 1, false, datePartType, emitDatePart},
    {"month", 1, 1, false, datePartType, emitDatePart},
    {"day", 1, 1, false, datePartType, emitDatePart},
    {"hour", 1, 1, false, datePartType, emitDatePart},
    {"minute", 1, 1, false, datePartType, emitDatePart},
    {"second", 1, 1, false, datePartType, emitDatePart},
    {"now", 0, 0, false, clockType, emitNow},
    {"date", 0, 0, false, clockType, emitDate},
    {"format", 2, 2, false, formatType, emitFormat},
    {"len", 1, 1, false, lengthType, emitLength},
    {"ucase", 1, 1, false, textType, emitUpper},
    {"lcase", 1, 1, false, textType, emitLower},
    {"trim", 1, 1, false, textType, emitTrim},
    {"ltrim", 1, 1, false, textType, emitTrim},
    {"rtrim", 1, 1, false, textType, emitTrim},
    {"left", 2, 2, false, pieceType, emitLeft},
    {"right", 2, 2, false, pieceType, emitRight},
    {"mid", 2, 3, false, pieceType, emitMid},
    {"abs", 1, 1, false, absType, emitAbs},
    {"iif", 3, 3, false, iifType, emitIif},
    {"clng", 1, 1, false, castType<Type::Long>, emitCast},
    {"ccur", 1, 1, false, castType<Type::Currency>, emitCast},
    {"cdbl", 1, 1, false, castType<Type::Double>, emitCast},
    {"cstr", 1, 1, false, castType<Type::Text>, emitCast},
    {"cdate", 1, 1, false, castType<Type::DateTime>, emitCast},
};

} // namespace

const FunctionDef* findFunction(const std::string& name)
{
    for (const FunctionDef& f : kFunctions)
        if (name == f.name)
            return &f;
    return nullptr;
}

bool callWritable(const Bound& call, Mode mode)
{
    return mode == Mode::Statement || call.fn->emit != emitRight || atomic(*call.args[1]);
}

} // namespace ledger::jet
