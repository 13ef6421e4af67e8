#pragma once

#include "value.h"

#include <string>
#include <vector>

namespace ledger {

class Connection;

// The database file of the program, in its working directory, and the
// password it is protected with.
inline constexpr const char* kDatabaseFileName = "fmy.dll";
inline constexpr const char* kDatabasePassword = "qtr508172wkv";
// The skin the starting database names.
inline constexpr const char* kDefaultSkinName = "晴空";

// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<file>;Persist Security
// Info=False;Jet OLEDB:Database Password=<password>"
std::string connectionStringFor(const std::string& file, const std::string& password = kDatabasePassword);

struct ColumnDefinition {
    std::string name;
    ColumnType type;
};

struct TableDefinition {
    std::string name;
    std::vector<ColumnDefinition> columns;
};

struct SavedQueryDefinition {
    std::string name;
    std::string statement; // in the dialect
};

const std::vector<TableDefinition>& ledgerTables();
const std::vector<SavedQueryDefinition>& ledgerSavedQueries();

// Creates the nine tables, their indexes and the five saved queries on a
// freshly created connection.
void createSchema(Connection& connection);

// Whether the ledger lacks an index that a newer program version made
// (read only), and making those it lacks (the one time a ledger of an
// older version is used; a few hundred milliseconds on a big one).
bool lacksIndexes(Connection& connection);
void addMissingIndexes(Connection& connection);

// The rows a new household starts with: the default user (id 1), the
// settings row (id 1), the default categories (ids 1 and 4) with typical
// items and quick codes, a few accounts and an empty budget per
// expenditure category.
void insertStartingRows(Connection& connection);

// Writes a new starting database file; fails if the file exists.
void createStartingDatabase(const std::string& path, const std::string& password = kDatabasePassword);

} // namespace ledger
