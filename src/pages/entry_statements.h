#pragma once

#include "ledger/datetime.h"

#include <optional>
#include <string>

namespace mainwindow::entry {

// The statements of the income and expenditure page and its budget panel,
// exactly as the page issues them; every spliced text goes through the
// shared escaping, every spliced number is checked first.

// One day's records of a class (the date in the short date form).
std::string dayList(const std::string& klass, const ledger::DateTime& day);
// Items of the class whose name and quick code contain the text.
std::string itemSearch(const std::string& klass, const std::string& text);
// All items of the class.
std::string itemList(const std::string& klass);
// An item's id by its exact name, among the items of the record's class.
std::string itemIdByName(const std::string& name, const std::string& klass);

struct RecordValues {
    std::string itemId;
    std::string amount; // as typed, already checked by validAmount
    int64_t payer = 0;
    std::string note;
    int64_t account = 0;
    ledger::DateTime date;
};
std::string updateRecord(const RecordValues& v, const std::string& recordId);
std::string insertRecord(const RecordValues& v, const std::string& klass);
std::string deleteRecord(const std::string& recordId);

// The budget panel's look-ups (dates written YYYY-MM-DD).
std::string categoryName(const std::string& categoryId);
std::string categoryBudget(const std::string& categoryId);
// The month's expenditure of one category, first to last day.
std::string categorySpending(const std::string& categoryId, const ledger::DateTime& first, const ledger::DateTime& last);
std::string incomeBetween(const std::string& klass, const ledger::DateTime& first, const ledger::DateTime& last,
                          bool lastMonth);
// The daily totals of the class for the chart: the seven latest dates.
std::string chartTotals();

// An amount as the page accepts it: digits with at most one point and at
// most two decimals, blanks around it trimmed; nothing when it is not one.
std::optional<std::string> validAmount(const std::string& typed);
// Whether a text is a whole number that may be spliced as an id.
bool isWholeNumber(const std::string& text);

} // namespace mainwindow::entry
