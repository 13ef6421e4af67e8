// The tokens a statement splits into, and what the lexer refuses.

#include "ledger/error.h"
#include "ledger/jet/token.h"

#include <gtest/gtest.h>

using ledger::jet::TokenKind;

namespace {

// Each token as kind:text, joined by blanks.
std::string tokens(const std::string& statement)
{
    std::string out;
    for (const ledger::jet::Token& t : ledger::jet::tokenize(statement)) {
        static const char* const kinds[] = {"end", "word", "name", "num", "str", "date", "param", "sym"};
        out += (out.empty() ? "" : " ") + std::string(kinds[static_cast<int>(t.kind)]);
        if (t.kind != TokenKind::End)
            out += ":" + t.text;
    }
    return out;
}

TEST(Lexer, SplitsEachKindOfToken)
{
    const std::pair<std::string, std::string> cases[] = {
        {"select * from s_user", "word:select sym:* word:from word:s_user end"},
        {"[收入 合计] , 金额", "name:收入 合计 sym:, word:金额 end"},
        {"12 12.50 .5 1e3 2.5E-3", "num:12 num:12.50 num:.5 num:1e3 num:2.5E-3 end"},
        {"'it''s' \"a\"\"b\" ''", "str:it's str:a\"b str: end"},
        {"#2024/3/5# #2024-03-05 13:04:05#", "date:2024/3/5 date:2024-03-05 13:04:05 end"},
        {":s_date=:T1", "param:s_date sym:= param:T1 end"},
        {"a<>b<=c>=d<e>f", "word:a sym:<> word:b sym:<= word:c sym:>= word:d sym:< word:e sym:> word:f end"},
        {"x\\y&z;", "word:x sym:\\ word:y sym:& word:z sym:; end"},
        {"  \t\n", "end"},
    };
    for (const auto& [statement, expected] : cases)
        EXPECT_EQ(tokens(statement), expected) << statement;
}

TEST(Lexer, OffsetsPointIntoTheStatement)
{
    const auto t = ledger::jet::tokenize("select\n  金额 from");
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[1].offset, 9u);
    EXPECT_EQ(t[1].length, 6u);
    EXPECT_EQ(ledger::jet::describePosition("select\n  金额 from", t[2].offset), "第 2 行第 6 列");
}

TEST(Lexer, RefusesWhatIsNoPartOfTheDialect)
{
    const std::string cases[] = {"'open",
                                 "\"open",
                                 "#2024-01-01",
                                 "[open",
                                 "a -- note",
                                 "a /* b */",
                                 "a ? b",
                                 std::string("a\0b", 3),
                                 "'\xff'",
                                 "x $ y",
                                 std::string(ledger::jet::kMaxStatementBytes + 1, ' ')};
    for (const std::string& statement : cases) {
        try {
            ledger::jet::tokenize(statement);
            ADD_FAILURE() << "accepted: " << statement.substr(0, 40);
        } catch (const ledger::Error& e) {
            EXPECT_EQ(e.kind(), ledger::Error::Kind::Syntax) << statement.substr(0, 40);
        }
    }
}

} // namespace
