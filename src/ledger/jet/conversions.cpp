#include "conversions.h"

#include "../sql_text.h"

#include <cstdio>
#include <cstring>

namespace ledger::jet {

namespace {

// 2415018.5 is the Julian day of 1899-12-30, day zero of the dialect's dates.
const Conversion kConversions[] = {
    {Type::Text, Type::Boolean, nullptr, "(jet_to_long($) <> 0)"},
    {Type::DateTime, Type::Boolean, "(julianday($) <> 2415018.5)", nullptr},
    {Type::Long, Type::Boolean, "($ <> 0)", nullptr},
    {Type::Currency, Type::Boolean, "($ <> 0)", nullptr},
    {Type::Double, Type::Boolean, "($ <> 0)", nullptr},

    {Type::Boolean, Type::Long, "$", nullptr},
    {Type::Currency, Type::Long, "CAST(round($ / 10000.0) AS INTEGER)", nullptr},
    {Type::Double, Type::Long, "CAST(round($) AS INTEGER)", nullptr},
    {Type::DateTime, Type::Long, "CAST(julianday($) - 2415018.5 AS INTEGER)", nullptr},
    {Type::Text, Type::Long, nullptr, "jet_to_long($)"},

    {Type::Boolean, Type::Currency, "($ * 10000)", nullptr},
    {Type::Long, Type::Currency, "($ * 10000)", nullptr},
    {Type::Double, Type::Currency, "CAST(round($ * 10000) AS INTEGER)", nullptr},
    {Type::DateTime, Type::Currency, "CAST(round((julianday($) - 2415018.5) * 10000) AS INTEGER)", nullptr},
    {Type::Text, Type::Currency, nullptr, "jet_to_currency($)"},

    {Type::Boolean, Type::Double, "CAST($ AS REAL)", nullptr},
    {Type::Long, Type::Double, "CAST($ AS REAL)", nullptr},
    {Type::Currency, Type::Double, "($ / 10000.0)", nullptr},
    {Type::DateTime, Type::Double, "(julianday($) - 2415018.5)", nullptr},
    {Type::Text, Type::Double, nullptr, "jet_to_double($)"},

    {Type::Boolean, Type::DateTime, "datetime($ + 2415018.5)", nullptr},
    {Type::Long, Type::DateTime, "datetime($ + 2415018.5)", nullptr},
    {Type::Double, Type::DateTime, "datetime($ + 2415018.5)", nullptr},
    {Type::Currency, Type::DateTime, "datetime($ / 10000.0 + 2415018.5)", nullptr},
    {Type::Text, Type::DateTime, nullptr, "jet_to_date($)"},

    {Type::Boolean, Type::Text, "(CASE WHEN $ THEN 'True' ELSE 'False' END)", nullptr},
    {Type::Long, Type::Text, "CAST($ AS TEXT)", nullptr},
    {Type::Double, Type::Text, "CAST($ AS TEXT)", nullptr},
    {Type::Currency, Type::Text,
     "(CASE WHEN $ < 0 THEN '-' ELSE '' END || rtrim(rtrim(printf('%d.%04d', abs($) / 10000, abs($) % 10000), '0'), '.'))",
     "jet_currency_text($)"},
    {Type::DateTime, Type::Text, nullptr, "jet_date_text($)"},
};

std::string renderReal(double d)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", d);
    std::string s(buffer);
    if (s.find_first_of(".eEn") == std::string::npos)
        s += ".0";
    return s;
}

} // namespace

const Conversion* findConversion(Type from, Type to)
{
    for (const Conversion& c : kConversions)
        if (c.from == from && c.to == to)
            return &c;
    return nullptr;
}

bool repeats(const char* form)
{
    const char* first = std::strchr(form, '$');
    return first && std::strchr(first + 1, '$');
}

std::string fill(const char* form, const std::string& value)
{
    std::string out;
    for (const char* p = form; *p; ++p) {
        if (*p == '$')
            out += value;
        else
            out += *p;
    }
    return out;
}

std::string literalSql(const Value& v)
{
    switch (v.type()) {
    case Type::Null: return "NULL";
    case Type::Boolean: return v.asBool() ? "-1" : "0";
    case Type::Long: return std::to_string(v.asLong());
    case Type::Currency: return std::to_string(v.asCurrency().raw());
    case Type::Double: return renderReal(v.asDouble());
    case Type::Text: return quoteText(v.asText());
    case Type::DateTime: return quoteText(v.asDateTime().canonical());
    }
    return "NULL";
}

} // namespace ledger::jet
