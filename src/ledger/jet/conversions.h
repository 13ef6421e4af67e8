#pragma once

// How SQLite text turns a value of one type into another. Values keep
// their natural SQLite form per type: Long as INTEGER, Currency as an
// INTEGER count of 1/10000, Double as REAL, Text as TEXT, DateTime as the
// canonical TEXT "YYYY-MM-DD HH:MM:SS", Boolean as -1 or 0.

#include "../value.h"

#include <string>

namespace ledger::jet {

// "$" in a form stands for the value.
struct Conversion {
    Type from, to;
    const char* builtin; // SQLite's own functions; may use the value more than once; null when there is none
    const char* function; // the program's functions, the value once; null when the builtin form does
};

// Null when a value of `from` cannot become a `to`.
const Conversion* findConversion(Type from, Type to);

// Whether a form uses the value more than once.
bool repeats(const char* form);

// The form with the value in place of each "$".
std::string fill(const char* form, const std::string& value);

// A value in its type's natural form as an SQLite literal.
std::string literalSql(const Value& v);

} // namespace ledger::jet
