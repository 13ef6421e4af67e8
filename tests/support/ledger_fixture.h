#pragma once

#include "temp_dir.h"

#include "ledger/connection.h"

#include <string>
#include <vector>

namespace testsupport {

// A starting database in a temporary folder and a connection to it.
class LedgerFixture {
public:
    LedgerFixture();
    ledger::Connection& db() { return connection_; }
    const std::string& path() const { return path_; }
    const TempDir& dir() const { return dir_; }

    // Seeding, through the dialect; each returns the new row's id.
    int64_t addUser(const std::string& name, const std::string& password = "");
    int64_t addCategory(const std::string& klass, const std::string& name);
    int64_t addItem(int64_t category, const std::string& klass, const std::string& name, const std::string& quickCode);
    int64_t addAccount(const std::string& name, const std::string& opening = "0");
    // date as YYYY-MM-DD; amount as decimal text
    int64_t addRecord(const std::string& klass, int64_t item, const std::string& amount, const std::string& date,
                      int64_t user = 1, int64_t account = 1, const std::string& note = "");
    int64_t addLoan(const std::string& klass, int64_t account, const std::string& lent, const std::string& repaid,
                    const std::string& date = "2024-01-01");
    int64_t addTransfer(int64_t from, int64_t to, const std::string& amount, const std::string& date);

    // One value of a one-row statement, as text ("" for Null or no row).
    std::string scalar(const std::string& statement);

private:
    TempDir dir_;
    std::string path_;
    ledger::Connection connection_;
};

} // namespace testsupport

namespace testsupport {

// A cell as tests compare it: money and numbers as plain decimals, dates
// as YYYY-MM-DD (with the time when there is one), Null as empty.
std::string cellText(const ledger::Value& value);
// Each row as its cells joined by "|".
std::vector<std::string> rowTexts(const std::vector<ledger::Row>& rows);
std::vector<std::string> fieldNames(const std::vector<ledger::Field>& fields);

} // namespace testsupport
