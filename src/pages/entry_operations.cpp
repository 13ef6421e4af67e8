#include "entry_operations.h"

#include "list_operations.h"

#include "ledger/account_totals.h"
#include "ledger/number_format.h"

namespace pages {

SaveOutcome saveRecord(ledger::Query& command, ClassCode klass, const RecordEntry& entry, std::optional<RowId> editing)
{
    const std::string item = lookUp(command, itemIdByName(entry.item, klass), "id");
    if (item.empty())
        return SaveOutcome::ItemUnknown;
    const RecordValues values{*RowId::parse(item), entry.amount, entry.payer, entry.note, entry.account, entry.date};
    ledger::Connection& db = command.connection();
    ledger::Transaction work(db);
    if (editing) {
        const auto before = ledger::readRecordEffect(db, editing->value());
        command.setText(updateRecord(values, *editing));
        if (command.execSql() == 0)
            return SaveOutcome::RecordGone;
        ledger::ApplyRecordChange(db, before, ledger::readRecordEffect(db, editing->value()));
    } else {
        command.setText(insertRecord(values, klass));
        command.execSql();
        ledger::ApplyRecordChange(db, std::nullopt, ledger::readRecordEffect(db, db.lastInsertId()));
    }
    work.commit();
    return SaveOutcome::Saved;
}

void deleteRecord(ledger::Query& command, RowId record)
{
    ledger::Connection& db = command.connection();
    ledger::Transaction work(db);
    const auto before = ledger::readRecordEffect(db, record.value());
    command.setText(pages::deleteRecord(record));
    if (command.execSql() > 0)
        ledger::ApplyRecordChange(db, before, std::nullopt);
    work.commit();
}

BudgetFigures budgetFigures(ledger::Query& lookup, ClassCode klass, RowId category, const ledger::DateTime& day)
{
    const ledger::DateTime first = *ledger::DateTime::make(day.year, day.month, 1);
    const ledger::DateTime last = *ledger::DateTime::make(day.year, day.month, ledger::daysInMonth(day.year, day.month));
    const ledger::DateTime previousLast = first.addDays(-1);
    const ledger::DateTime previousFirst = *ledger::DateTime::make(previousLast.year, previousLast.month, 1);
    BudgetFigures f;
    if (klass == ClassCode::Expenditure) {
        f.category = lookUp(lookup, categoryName(category), "f_name");
        f.first = lookUp(lookup, categoryBudget(category), "y_money");
        f.second = lookUp(lookup, categorySpending(category, first, last), "a");
    } else {
        f.second = lookUp(lookup, lastMonthIncome(klass, previousFirst, previousLast), "a");
        f.first = lookUp(lookup, monthIncomeToDate(klass, first, day), "a");
    }
    if (f.first.empty())
        f.first = "0";
    if (f.second.empty())
        f.second = "0";
    const auto a = ledger::Currency::parse(f.first).value_or(ledger::Currency());
    const auto b = ledger::Currency::parse(f.second).value_or(ledger::Currency());
    f.difference = (a - b).toString();
    return f;
}

} // namespace pages
