// A value a conversion needs twice is written out when it is plain and
// handed once to the program's functions otherwise: both spellings give the
// same results, Nulls, signs and Chinese text included.

#include "ledger_fixture.h"

#include <gtest/gtest.h>

using testsupport::rowTexts;

namespace {

class WrittenOnce : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* amount : {"0", "12.5", "-0.5", "-1234.0001", "1000000", "0.0001"})
            f.addRecord("Z", 2, amount, "2024-03-05", 2, 1, "汉字ab");
        f.db().execute("update s_shouru set s_other = Null where s_jine = 0");
    }
    std::vector<std::string> rows(const std::string& statement) { return rowTexts(f.db().select(statement).rows); }
    testsupport::LedgerFixture f;
};

TEST_F(WrittenOnce, MoneyAsText)
{
    EXPECT_EQ(rows("select cstr(s_jine) from s_shouru"), rows("select cstr(s_jine + 0) from s_shouru"));
    EXPECT_EQ(rows("select cstr(s_jine + 0) from s_shouru"),
              (std::vector<std::string>{"0", "12.5", "-0.5", "-1234.0001", "1000000", "0.0001"}));
    EXPECT_EQ(rows("select cstr(ccur(Null) + 1) as x"), std::vector<std::string>{""});
}

TEST_F(WrittenOnce, ConcatenationIsNullOnlyWhenBothSidesAre)
{
    EXPECT_EQ(rows("select (s_other & '') & (s_other & '') from s_shouru where id <= 2"),
              (std::vector<std::string>{"", "汉字ab汉字ab"}));
    EXPECT_EQ(rows("select s_other & s_other from s_shouru where id <= 2"),
              rows("select (s_other & '') & (s_other & '') from s_shouru where id <= 2"));
    EXPECT_TRUE(f.db().select("select (s_other + 'x') & (s_other + 'y') from s_shouru where id = 1").rows[0][0].isNull());
}

TEST_F(WrittenOnce, RightCountsCharacters)
{
    for (int n : {-1, 0, 1, 3, 10})
        EXPECT_EQ(rows("select right(s_other, " + std::to_string(n) + ") from s_shouru"),
                  rows("select right(s_other, len('" + std::string(n > 0 ? n : 0, 'x') + "') + " + std::to_string(n > 0 ? 0 : n) +
                       ") from s_shouru"))
            << n;
    EXPECT_EQ(rows("select right(s_other, len(s_other) - 1) from s_shouru where id = 2"), std::vector<std::string>{"字ab"});
    EXPECT_EQ(rows("select right(s_other, id - 2) from s_shouru where id <= 3"), (std::vector<std::string>{"", "", "b"}));
}

// True is -1: a comparison's truth compared with True, or stored as a value.
TEST_F(WrittenOnce, TruthsAreMinusOneAndZero)
{
    EXPECT_EQ(rows("select count(*) from s_shouru where (s_jine > 0) = true"), std::vector<std::string>{"3"});
    EXPECT_EQ(rows("select count(*) from s_shouru where (s_jine > 0) = (id > 0)"), std::vector<std::string>{"3"});
    EXPECT_EQ(rows("select s_jine > 0, clng(s_jine > 0) from s_shouru where id = 2"), std::vector<std::string>{"True|-1"});
}

} // namespace
