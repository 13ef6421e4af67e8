#pragma once

#include "entry_statements.h"

#include "ledger/query.h"

#include <optional>
#include <string>

namespace pages {

// A record as the editor holds it, its item still a name.
struct RecordEntry {
    std::string item;
    TypedAmount amount;
    RowId payer;
    RowId account;
    std::string note;
    ledger::DateTime date;
};

enum class SaveOutcome {
    Saved,
    ItemUnknown, // no item of that exact name in the record's class
    RecordGone, // the record to change is no more
};

// Books a new record of the class, or changes the record being edited,
// together with its account's totals: both or neither. Statements go
// through the command object.
SaveOutcome saveRecord(ledger::Query& command, ClassCode klass, const RecordEntry& entry, std::optional<RowId> editing);

// Deletes a record and takes it out of its account's totals.
void deleteRecord(ledger::Query& command, RowId record);

// The budget panel's figures for an item of the category, on the editor's
// date: expenditure compares the month's budget with the category's
// spending; income compares this month to date with last month.
struct BudgetFigures {
    std::optional<std::string> category; // income keeps its line as it is
    std::string first; // row 1, "0" when empty
    std::string second; // row 2, "0" when empty
    std::string difference; // row 1 − row 2
};
BudgetFigures budgetFigures(ledger::Query& lookup, ClassCode klass, RowId category, const ledger::DateTime& day);

} // namespace pages
