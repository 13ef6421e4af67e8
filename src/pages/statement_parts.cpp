#include "statement_parts.h"

#include "ledger/error.h"
#include "ledger/sql_text.h"

namespace pages {

std::string_view codeOf(ClassCode klass)
{
    return klass == ClassCode::Income ? "S" : "Z";
}

std::optional<ClassCode> classOfCode(std::string_view code)
{
    if (code == "S")
        return ClassCode::Income;
    if (code == "Z")
        return ClassCode::Expenditure;
    return std::nullopt;
}

RowId::RowId(int64_t value) : value_(value) {}

std::optional<RowId> RowId::parse(std::string_view text)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    return RowId(std::stoll(std::string(text)));
}

RowId RowId::fromKey(const ledger::Value& key)
{
    if (key.isNull())
        throw ledger::Error(ledger::Error::Kind::Type, "“”不是有效的整数值");
    if (key.type() == ledger::Type::Long)
        return RowId(key.asLong());
    const auto id = parse(key.toText());
    if (!id)
        throw ledger::Error(ledger::Error::Kind::Type, "“" + key.toText() + "”不是有效的整数值");
    return *id;
}

std::optional<TypedAmount> TypedAmount::parse(std::string_view typed)
{
    const size_t first = typed.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::string_view t = typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
    const size_t point = t.find('.');
    const std::string_view whole = t.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? std::string_view() : t.substr(point + 1);
    const bool digitsOnly = whole.find_first_not_of("0123456789") == std::string_view::npos &&
                            decimals.find_first_not_of("0123456789") == std::string_view::npos;
    if (!digitsOnly || whole.size() + decimals.size() == 0 || decimals.size() > 2 || whole.size() > 15)
        return std::nullopt;
    const auto value = ledger::Currency::parse(std::string(whole.empty() ? "0" : whole) + "." + std::string(decimals) + "0");
    if (!value)
        return std::nullopt;
    return TypedAmount(std::string(t), *value);
}

std::string likeContains(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '%' || c == '_' || c == '[')
            out += std::string("[") + c + "]";
        else
            out += c;
    }
    return ledger::escapeText(out);
}

std::string isoDate(const ledger::DateTime& day)
{
    return day.isoDate();
}

std::string shortDate(const ledger::DateTime& day)
{
    return ledger::formatShortDate(day);
}

} // namespace pages
