#include "loans_statements.h"

#include "ledger/error.h"

namespace pages {

ledger::Params loansOf(ClassCode klass)
{
    return {{"j_ZorS", ledger::Value(std::string(codeOf(klass)))}};
}

std::string deleteLoan(RowId loan)
{
    return "delete from s_jie where id=" + loan.text();
}

namespace {

std::optional<ledger::Currency> amountOf(const ledger::Value& v)
{
    if (v.isNull() || (v.type() == ledger::Type::Text && v.toText().empty()))
        return ledger::Currency();
    try {
        return v.convertedTo(ledger::ColumnType{ledger::Type::Currency}).asCurrency();
    } catch (const ledger::Error&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<ledger::Currency> loanBalance(const ledger::Value& lent, const ledger::Value& repaid)
{
    const auto a = amountOf(lent), b = amountOf(repaid);
    if (!a || !b)
        return std::nullopt;
    try {
        return *a - *b;
    } catch (const ledger::Error&) {
        return std::nullopt; // beyond the range of money
    }
}

} // namespace pages
