#pragma once

#include "statement_parts.h"

#include <string>

namespace pages {

// The income and expenditure page and its budget panel.

// One day's records of a class.
std::string dayList(ClassCode klass, const ledger::DateTime& day);
// Items of the class whose name followed by its quick code contains the text.
std::string itemSearch(ClassCode klass, const std::string& text);
// All items of the class.
std::string itemList(ClassCode klass);
// An item's id by its exact name, among the items of the record's class.
std::string itemIdByName(const std::string& name, ClassCode klass);
// The payer and account lists.
inline constexpr const char* kPayers = "select * from s_user";
inline constexpr const char* kAccounts = "select * from z_zhanghu";

// What a record is saved with.
struct RecordValues {
    RowId item;
    TypedAmount amount;
    RowId payer;
    std::string note;
    RowId account;
    ledger::DateTime date;
};
std::string updateRecord(const RecordValues& v, RowId record);
std::string insertRecord(const RecordValues& v, ClassCode klass);
std::string deleteRecord(RowId record);

// The budget panel's look-ups; the dates are written YYYY-MM-DD.
std::string categoryName(RowId category);
std::string categoryBudget(RowId category);
// The category's own expenditure from the first to the last day.
std::string categorySpending(RowId category, const ledger::DateTime& first, const ledger::DateTime& last);
// The class's total over a month before, and over this month up to a day.
std::string lastMonthIncome(ClassCode klass, const ledger::DateTime& first, const ledger::DateTime& last);
std::string monthIncomeToDate(ClassCode klass, const ledger::DateTime& first, const ledger::DateTime& day);
// The daily totals of the class (":fenlei") for the chart: the seven latest dates, newest first.
inline constexpr const char* kChartTotals =
    "select top 7 sum(s_jine) as aaa ,s_date from s_z_all where f_class =:fenlei group by s_date order by s_date desc";

} // namespace pages
