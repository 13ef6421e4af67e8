#pragma once

#include "ledger/connection.h"

#include <string>
#include <vector>

namespace testsupport {

// Seeds a household into a ledger, through the dialect; each call returns
// the new row's id. The starting database already holds the default user
// 1, the accounts 1..3 (现金 银行卡 信用卡), the categories 1 餐饮美食 and
// 11 交通出行 with their items (2 早餐, 3 午餐, 13 打车 …), the income
// categories 4 and 40 (5 工资, 6 奖金 …) and a budget row per expenditure
// category.
class Household {
public:
    explicit Household(ledger::Connection& connection) : db_(connection) {}

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
    // The budget of a top-level expenditure category.
    void setBudget(int64_t category, const std::string& amount, const std::string& note = "");

    // One value of a one-row statement, as text ("" for Null or no row).
    std::string scalar(const std::string& statement);
    // Every row of a statement, as rowTexts gives them.
    std::vector<std::string> rows(const std::string& statement);

private:
    ledger::Connection& db_;
};

// A cell as tests compare it: money and numbers as plain decimals, dates
// as YYYY-MM-DD (with the time when there is one), Null as empty.
std::string cellText(const ledger::Value& value);
// Each row as its cells joined by "|".
std::vector<std::string> rowTexts(const std::vector<ledger::Row>& rows);
std::vector<std::string> fieldNames(const std::vector<ledger::Field>& fields);

} // namespace testsupport
