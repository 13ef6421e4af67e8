// Money is exact to the last of its four decimals and never silently leaves
// its range.

#include "ledger_fixture.h"

#include "ledger/error.h"
#include "ledger/number_format.h"

#include <gtest/gtest.h>

using ledger::Currency;
using ledger::Error;
using testsupport::LedgerFixture;

namespace {

Currency money(const char* text)
{
    auto c = Currency::parse(text);
    EXPECT_TRUE(c.has_value()) << text;
    return c.value_or(Currency());
}

TEST(Money, ParsesDecimalTextExactly)
{
    EXPECT_EQ(money("12.5").raw(), 125000);
    EXPECT_EQ(money(" -0.01 ").raw(), -100);
    EXPECT_EQ(money(".5").raw(), 5000);
    EXPECT_EQ(money("1e3").raw(), 10000000);
    EXPECT_EQ(money("922337203685477.5807").raw(), INT64_MAX);
    EXPECT_EQ(money("-922337203685477.5808").raw(), INT64_MIN);
    // Beyond four decimals: half to even.
    EXPECT_EQ(money("0.00005").raw(), 0);
    EXPECT_EQ(money("0.00015").raw(), 2);
    EXPECT_EQ(money("0.000151").raw(), 2);
    for (const char* bad : {"", ".", "1 2", "1.2.3", "abc", "12a", "922337203685477.5808", "1e20", "--1", "+"})
        EXPECT_FALSE(Currency::parse(bad).has_value()) << bad;
}

TEST(Money, PrintsPlainDecimalsWithoutTrailingZeros)
{
    EXPECT_EQ(money("12.50").toString(), "12.5");
    EXPECT_EQ(money("30").toString(), "30");
    EXPECT_EQ(money("0.3").toString(), "0.3");
    EXPECT_EQ(money("-80").toString(), "-80");
    EXPECT_EQ(money("-0.5").toString(), "-0.5");
    EXPECT_EQ(Currency::fromRaw(INT64_MIN).toString(), "-922337203685477.5808");
}

TEST(Money, YuanFormatAlwaysShowsTwoDecimalsAndNoLeadingZero)
{
    EXPECT_EQ(ledger::formatYuan(money("0.5")), "￥.50");
    EXPECT_EQ(ledger::formatYuan(money("12.5")), "￥12.50");
    EXPECT_EQ(ledger::formatYuan(money("1000.25")), "￥1000.25");
    EXPECT_EQ(ledger::formatYuan(money("-80")), "-￥80.00");
    EXPECT_EQ(ledger::formatYuan(money("0")), "￥.00");
    EXPECT_EQ(ledger::formatYuan(money("0.125")), "￥.13");
    EXPECT_EQ(ledger::formatYuan(money("0.004")), "￥.00");
}

TEST(Money, GeneralNumberFormatHasFifteenSignificantDigits)
{
    EXPECT_EQ(ledger::formatGeneral(0.5), "0.5");
    EXPECT_EQ(ledger::formatGeneral(12.5), "12.5");
    EXPECT_EQ(ledger::formatGeneral(1000.25), "1000.25");
    EXPECT_EQ(ledger::formatGeneral(-80.0), "-80");
    EXPECT_EQ(ledger::formatGeneral(0.0), "0");
    EXPECT_EQ(ledger::formatGeneral(0.1 + 0.2), "0.3");
    EXPECT_EQ(ledger::formatGeneral(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(ledger::formatGeneral(0.00001), "0.00001");
    EXPECT_EQ(ledger::formatGeneral(0.0000015), "1.5E-6");
    EXPECT_EQ(ledger::formatGeneral(999999999999999.0), "999999999999999");
    EXPECT_EQ(ledger::formatGeneral(1e15), "1E15");
    EXPECT_EQ(ledger::formatGeneral(-1.23456789012345678e20), "-1.23456789012346E20");
}

TEST(Money, ArithmeticRefusesToLeaveTheRange)
{
    const Currency max = Currency::fromRaw(INT64_MAX);
    EXPECT_THROW(max + money("0.0001"), Error);
    EXPECT_THROW(-Currency::fromRaw(INT64_MIN), Error);
    EXPECT_THROW(max * money("2"), Error);
    EXPECT_EQ((money("1.5") * money("2.25")).toString(), "3.375");
    EXPECT_THROW(Currency::fromDouble(1e300), Error);
}

TEST(MoneyInTheLedger, OneMillionCentsSumToExactlyTenThousand)
{
    LedgerFixture f;
    f.db().executeNative("INSERT INTO s_shouru (s_jine, f_class, s_date) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                         "FROM n WHERE i < 1000000) SELECT 100, 'Z', '2024-01-01 00:00:00' FROM n");
    const ledger::ResultSet r = f.db().select("Select sum(s_jine) as a from s_shouru where f_class='Z'");
    ASSERT_EQ(r.fields[0].type.type, ledger::Type::Currency);
    EXPECT_EQ(r.rows[0][0].asCurrency(), money("10000"));
    EXPECT_EQ(f.scalar("select avg(s_jine) from s_shouru"), "0.01");
}

TEST(MoneyInTheLedger, LiteralsAndSumsBeyondTheRangeAreErrors)
{
    LedgerFixture f;
    f.addRecord("Z", 2, "922337203685477.5807", "2024-01-01");
    EXPECT_EQ(f.scalar("select s_jine from s_shouru"), "922337203685477.5807");
    f.addRecord("Z", 2, "0.0001", "2024-01-01");
    try {
        f.db().select("select sum(s_jine) from s_shouru");
        FAIL() << "a sum beyond the range must fail";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::Range);
    }
    EXPECT_THROW(f.db().execute("insert into s_shouru (s_jine) values (922337203685477.5808)"), Error);
    EXPECT_THROW(f.db().execute("update s_shouru set s_jine = s_jine + 1"), Error);
    EXPECT_EQ(f.scalar("select max(s_jine) from s_shouru"), "922337203685477.5807");
}

TEST(MoneyInTheLedger, ComparisonsAndArithmeticStayExact)
{
    LedgerFixture f;
    f.addRecord("Z", 2, "0.1", "2024-01-01");
    f.addRecord("Z", 2, "0.2", "2024-01-01");
    EXPECT_EQ(f.scalar("select count(*) from s_shouru where s_jine = 0.1"), "1");
    EXPECT_EQ(f.scalar("select sum(s_jine) from s_shouru"), "0.3");
    EXPECT_EQ(f.scalar("select count(*) from s_shouru where s_jine + 0.2 = 0.3"), "1");
    EXPECT_EQ(f.scalar("select sum(s_jine * 3) from s_shouru"), "0.9");
    EXPECT_EQ(f.scalar("select s_jine - 0.3 from s_shouru where id=1"), "-0.2");
}

} // namespace
