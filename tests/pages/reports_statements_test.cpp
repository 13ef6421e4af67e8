// The parameters of the budget comparison and the reports: the dates and
// months a family picks become the texts the statements compare with.

#include "pages/budgets_statements.h"
#include "pages/reports_statements.h"

#include <gtest/gtest.h>

using namespace pages;

namespace {

ledger::DateTime day(int y, int m, int d)
{
    return *ledger::DateTime::make(y, m, d);
}

std::vector<std::string> texts(const ledger::Params& params)
{
    std::vector<std::string> out;
    for (const ledger::Param& p : params)
        out.push_back(p.name + "=" + p.value.toText());
    return out;
}

using Texts = std::vector<std::string>;

TEST(ReportParameters, PeriodsAreWholeDaysInIsoForm)
{
    EXPECT_EQ(texts(flowPeriod(day(2024, 3, 1), day(2024, 3, 7))), (Texts{"s1=2024-03-01", "s2=2024-03-07"}));
    EXPECT_EQ(texts(reportPeriod(day(2005, 1, 1), day(2024, 12, 31))), (Texts{"t1=2005-01-01", "t2=2024-12-31"}));
    EXPECT_EQ(texts(flowDay(day(2024, 3, 5))), (Texts{"s_date=2024/3/5"})) << "the day as the short date form shows it";
}

TEST(ReportParameters, TheBudgetComparisonTakesTheDaysOfTheMonth)
{
    EXPECT_EQ(texts(budgetMonth(2025, 3)), (Texts{"xfirst=2025-03-01", "xafter=2025-04-01"}));
    EXPECT_EQ(texts(budgetMonth(2024, 12)), (Texts{"xfirst=2024-12-01", "xafter=2025-01-01"}));
    EXPECT_EQ(texts(budgetMonth(2024, 2)), (Texts{"xfirst=2024-02-01", "xafter=2024-03-01"}));
    EXPECT_EQ(texts(budgetMonth(2100, 13)), (Texts{"xfirst=1899-12-30", "xafter=1899-12-30"})) << "no such month: nothing";
}

TEST(ReportParameters, ThePersonReportTakesWholeMonthsThatOverlapThePeriod)
{
    EXPECT_EQ(texts(personMonths(day(2024, 2, 15), day(2024, 3, 10))), (Texts{"t1=2024-02-01", "t2=2024-04-01"}));
    EXPECT_EQ(texts(personMonths(day(2024, 12, 31), day(2025, 1, 1))), (Texts{"t1=2024-12-01", "t2=2025-02-01"}))
        << "across the turn of a year";
    EXPECT_EQ(texts(personMonths(day(2024, 2, 29), day(2024, 2, 29))), (Texts{"t1=2024-02-01", "t2=2024-03-01"}))
        << "a leap February";
    EXPECT_EQ(texts(personMonths(day(2024, 3, 20), day(2024, 3, 5))), (Texts{"t1=2024-03-01", "t2=2024-03-01"}))
        << "a reversed period within one month has no month";
    EXPECT_EQ(texts(personMonths(day(2024, 5, 1), day(2024, 3, 31))), (Texts{"t1=2024-05-01", "t2=2024-05-01"}));
}

} // namespace
