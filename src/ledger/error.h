#pragma once

#include <stdexcept>
#include <string>

namespace ledger {

// Every failure of the data layer is one of these. The text is what the user
// sees in the standard error box, so it is short, Chinese and exact.
class Error : public std::runtime_error {
public:
    enum class Kind {
        Syntax, // the statement cannot be read
        Name, // an unknown table, column or saved query
        Type, // a value of the wrong type (type mismatch)
        Range, // a number outside its type's range, division by zero
        Constraint, // a value a column cannot take
        Conflict, // a row changed or deleted by another writer
        Open, // the database cannot be opened
        Database, // anything else SQLite reports
        Usage, // the program used the layer wrongly (no row, no transaction)
        File, // a file beside the ledger cannot be written (a backup, an export)
    };

    Error(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

} // namespace ledger
