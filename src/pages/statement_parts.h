#pragma once

#include "ledger/currency.h"
#include "ledger/datetime.h"
#include "ledger/value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What every statement of the pages is built from. Each value that can be
// spliced has a type that only validation can make, so no text a user types
// can change what a statement means.
namespace pages {

// The class of a record, category, item or loan: income or money borrowed
// ("S"), expenditure or money lent ("Z").
enum class ClassCode { Income, Expenditure };

// "S" or "Z".
std::string_view codeOf(ClassCode klass);
// The class of a stored code; nothing for any other text.
std::optional<ClassCode> classOfCode(std::string_view code);

// A row's id as a statement may splice it: a whole number, written in
// decimal without sign or leading blanks.
class RowId {
public:
    explicit RowId(int64_t value);
    // Digits only (at most 10, as ids are long integers); nothing otherwise.
    static std::optional<RowId> parse(std::string_view text);
    // The key a look-up box stands for. A box without a choice has none:
    // converting its empty key to a number is an error.
    static RowId fromKey(const ledger::Value& key);
    int64_t value() const { return value_; }
    std::string text() const { return std::to_string(value_); }
    friend bool operator==(RowId a, RowId b) { return a.value_ == b.value_; }

private:
    int64_t value_;
};

// An amount as the user typed it, once validation has accepted it: digits
// with at most one point and two decimals, blanks around it trimmed. It is
// spliced as typed ("12.", ".5", "0.00") and reads as an exact amount.
class TypedAmount {
public:
    static std::optional<TypedAmount> parse(std::string_view typed);
    const std::string& text() const { return text_; }
    ledger::Currency value() const { return value_; }

private:
    TypedAmount(std::string text, ledger::Currency value) : text_(std::move(text)), value_(value) {}
    std::string text_;
    ledger::Currency value_;
};

// A typed text inside the pattern '%…%' of a LIKE: the quote doubled, and
// the pattern's own characters bracketed so that they match only themselves.
std::string likeContains(std::string_view text);

// Dates as the statements write them: "YYYY-MM-DD", and the short date form
// of the program ("2024/3/5").
std::string isoDate(const ledger::DateTime& day);
std::string shortDate(const ledger::DateTime& day);

} // namespace pages
