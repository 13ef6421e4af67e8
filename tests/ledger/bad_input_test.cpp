// Statements that are not the dialect never crash, never run anything else
// and always say what is wrong.

#include "ledger_fixture.h"

#include "ledger/error.h"
#include "ledger/jet/token.h"

#include <gtest/gtest.h>

using ledger::Error;
using testsupport::LedgerFixture;

namespace {

struct BadStatement {
    const char* what;
    std::string text;
    Error::Kind kind;
};

// Test names show the case's name, not its bytes.
void PrintTo(const BadStatement& c, std::ostream* os)
{
    *os << c.what;
}

std::vector<BadStatement> badStatements()
{
    return {
        {"unterminated single quote", "select * from s_user where sys_name='abc", Error::Kind::Syntax},
        {"unterminated double quote", "select * from s_user where sys_name=\"abc", Error::Kind::Syntax},
        {"stray quote after literal", "select * from s_user where sys_name='a'b'", Error::Kind::Syntax},
        {"unterminated date", "select * from s_shouru where s_date=#2024-01-01", Error::Kind::Syntax},
        {"unterminated bracket", "select [sys_name from s_user", Error::Kind::Syntax},
        {"second statement", "delete from s_fenlei where id=2; delete from s_user", Error::Kind::Syntax},
        {"second statement after blank", "select * from s_user ;  select 1", Error::Kind::Syntax},
        {"line comment", "select * from s_user -- where id=1", Error::Kind::Syntax},
        {"block comment", "select * /* x */ from s_user", Error::Kind::Syntax},
        {"nul byte", std::string("select * from s_user where sys_name='a\0b'", 41), Error::Kind::Syntax},
        {"invalid utf-8", "select * from s_user where sys_name='\xff\xfe'", Error::Kind::Syntax},
        {"truncated utf-8", "select * from s_user where sys_name='\xe5\xad'", Error::Kind::Syntax},
        {"overlong utf-8", "select * from s_user where sys_name='\xc0\xaf'", Error::Kind::Syntax},
        {"unknown table", "select * from s_nothing", Error::Kind::Name},
        {"unknown column", "select nothing from s_user", Error::Kind::Name},
        {"unknown qualifier", "select x.id from s_user", Error::Kind::Name},
        {"ambiguous column", "select id from s_user inner join s_shouru on s_user.id=s_shouru.s_userid", Error::Kind::Name},
        {"unknown function", "select shell('rm') from s_user", Error::Kind::Name},
        {"amount with a blank", "insert into s_shouru (s_jine) values (1 2)", Error::Kind::Syntax},
        {"amount a lone point", "insert into s_shouru (s_jine) values (.)", Error::Kind::Syntax},
        {"empty statement", "", Error::Kind::Syntax},
        {"only a semicolon", ";", Error::Kind::Syntax},
        {"sqlite only syntax", "select * from s_user limit 1", Error::Kind::Syntax},
        {"pragma", "pragma table_info(s_user)", Error::Kind::Syntax},
        {"attach", "attach database 'x' as y", Error::Kind::Syntax},
        {"drop", "drop table s_user", Error::Kind::Syntax},
        {"question mark", "select * from s_user where id=?", Error::Kind::Syntax},
        {"union", "select id from s_user union select id from s_fenlei", Error::Kind::Syntax},
        {"deep nesting", "select " + std::string(5000, '(') + "1" + std::string(5000, ')'), Error::Kind::Syntax},
        {"huge statement", "select '" + std::string(1 << 20, 'x') + "'", Error::Kind::Syntax},
        {"huge number", "select * from s_user where id=" + std::string(400, '9') + "e999", Error::Kind::Range},
    };
}

class BadInput : public testing::TestWithParam<BadStatement> {};

TEST_P(BadInput, IsAClearErrorAndChangesNothing)
{
    LedgerFixture f;
    const std::string before = f.scalar("select count(*) from s_fenlei") + "/" + f.scalar("select count(*) from s_user");
    const BadStatement& bad = GetParam();
    try {
        f.db().execute(bad.text);
        FAIL() << bad.what << ": no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), bad.kind) << bad.what << ": " << e.what();
        EXPECT_GT(std::string(e.what()).size(), 6u) << bad.what;
    }
    EXPECT_EQ(f.scalar("select count(*) from s_fenlei") + "/" + f.scalar("select count(*) from s_user"), before);
}

INSTANTIATE_TEST_SUITE_P(Statements, BadInput, testing::ValuesIn(badStatements()),
                         [](const testing::TestParamInfo<BadStatement>& info) {
                             std::string name = info.param.what;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(SyntaxErrors, SayWhereAndWhat)
{
    LedgerFixture f;
    try {
        f.db().select("select id,\nsys_name frm s_user");
        FAIL();
    } catch (const Error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("第 2 行"), std::string::npos) << message;
        EXPECT_NE(message.find("frm"), std::string::npos) << message;
    }
}

TEST(SyntaxErrors, TrailingSemicolonAndBlanksAreFine)
{
    LedgerFixture f;
    EXPECT_EQ(f.db().execute("delete from xtablex;  \n"), 0);
    EXPECT_EQ(f.db().execute("delete from xtablex "), 0);
}

} // namespace
