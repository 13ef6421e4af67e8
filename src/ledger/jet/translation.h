#pragma once

#include "../value.h"
#include "catalog.h"

#include <string>
#include <vector>

namespace ledger::jet {

// A result column: its name as the dialect gives it (the alias, the column
// name, "Expr1000" for an unnamed expression, "t.col" for a name that occurs
// twice), its type, and the base table column behind it where there is one.
struct Field {
    std::string name;
    ColumnType type;
    std::string baseTable;
    std::string baseColumn;
    bool readOnly = true;
};

// A ":name" in the statement; each occurrence has its own slot, typed by
// what it is compared with or stored into (Text when nothing says otherwise).
struct ParamSlot {
    std::string name;
    ColumnType type;
};

struct Translation {
    enum class Kind { Select, Insert, Update, Delete } kind = Kind::Select;
    std::string sql; // SQLite text; slots are ?1, ?2, …
    std::vector<ParamSlot> params;
    std::vector<Field> fields;
    std::string table; // Insert, Update, Delete: the table changed
};

enum class Mode {
    Statement, // run on the program's connection: may use its own functions
    SavedQuery, // stored in the file: SQLite's built-in functions only, no parameters
};

// Parses, resolves and types a statement of the dialect against the catalog
// and writes the equivalent SQLite statement. Throws ledger::Error.
Translation translate(const std::string& statement, const Catalog& catalog, Mode mode = Mode::Statement);

// The result columns of a SELECT with their names and types (money, date,
// whole number, text with its width, …), from resolving the statement
// against the catalog alone: nothing is written or run. Throws
// ledger::Error as translate() does, Error(Usage) for a statement that is
// no SELECT.
std::vector<Field> resultColumns(const std::string& statement, const Catalog& catalog);

// Names of the functions a Statement-mode translation may call; the
// connection registers them.
namespace fn {
inline constexpr const char* toLong = "jet_to_long";
inline constexpr const char* toDouble = "jet_to_double";
inline constexpr const char* toCurrency = "jet_to_currency";
inline constexpr const char* toDate = "jet_to_date";
inline constexpr const char* dateText = "jet_date_text";
inline constexpr const char* divide = "jet_divide";
// These take a value once that SQLite's own spelling would need twice.
inline constexpr const char* currencyText = "jet_currency_text";
inline constexpr const char* concat = "jet_concat"; // Null only when both texts are
inline constexpr const char* right = "jet_right"; // the last n characters
} // namespace fn

} // namespace ledger::jet
