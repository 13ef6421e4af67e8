#pragma once

#include <string>
#include <vector>

namespace ledger::jet {

enum class TokenKind {
    End,
    Word, // a name or keyword, unquoted
    Bracketed, // [a name]
    Number, // 12, 12.50, .5, 1e3 (text kept exactly)
    String, // 'text' or "text", value with doubled delimiters undone
    Date, // #...#, the text between the signs
    Parameter, // :name, the name
    Symbol, // ( ) , . ; * + - / \ & = <> < > <= >=
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;
    size_t offset = 0; // byte offset in the statement
    size_t length = 0;
};

// Splits a statement into tokens. Throws Error(Syntax) for anything that is
// not part of the dialect: unterminated literals, stray characters, comments,
// NUL bytes, invalid UTF-8, an over-long statement.
std::vector<Token> tokenize(const std::string& statement);

// "第 2 行第 5 列" for a byte offset; columns count characters.
std::string describePosition(const std::string& statement, size_t offset);

constexpr size_t kMaxStatementBytes = 65536;

} // namespace ledger::jet
