#include "token.h"

#include "../error.h"

#include <cstdint>

namespace ledger::jet {

namespace {

bool isWordStart(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}
bool isWordChar(unsigned char c)
{
    return isWordStart(c) || (c >= '0' && c <= '9');
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Length of the UTF-8 sequence at i, or 0 when it is not a valid one.
size_t utf8Length(const std::string& s, size_t i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    size_t n;
    uint32_t cp;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2, cp = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3, cp = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4, cp = c & 0x07;
    else
        return 0;
    if (i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        const auto cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (cc & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

class Lexer {
public:
    explicit Lexer(const std::string& s) : s_(s) {}

    std::vector<Token> run()
    {
        if (s_.size() > kMaxStatementBytes)
            throw Error(Error::Kind::Syntax, "语句太长（最多 " + std::to_string(kMaxStatementBytes) + " 字节）");
        for (size_t i = 0; i < s_.size();) {
            if (s_[i] == '\0')
                fail(i, "语句含有空字符");
            const size_t n = utf8Length(s_, i);
            if (n == 0)
                fail(i, "语句含有无效的 UTF-8 字符");
            i += n;
        }
        std::vector<Token> tokens;
        tokens.reserve(s_.size() / 3 + 2);
        while (true) {
            while (pos_ < s_.size() && isSpace(s_[pos_]))
                ++pos_;
            if (pos_ >= s_.size()) {
                tokens.push_back({TokenKind::End, {}, s_.size(), 0});
                return tokens;
            }
            tokens.push_back(next());
        }
    }

private:
    [[noreturn]] void fail(size_t at, const std::string& what)
    {
        throw Error(Error::Kind::Syntax, "语法错误：" + what + "（" + describePosition(s_, at) + "）");
    }

    Token make(TokenKind kind, std::string text, size_t start) { return {kind, std::move(text), start, pos_ - start}; }

    Token next()
    {
        const size_t start = pos_;
        const char c = s_[pos_];
        if (isWordStart(static_cast<unsigned char>(c))) {
            while (pos_ < s_.size() && isWordChar(static_cast<unsigned char>(s_[pos_])))
                ++pos_;
            return make(TokenKind::Word, s_.substr(start, pos_ - start), start);
        }
        if (isDigit(c) || (c == '.' && pos_ + 1 < s_.size() && isDigit(s_[pos_ + 1])))
            return number(start);
        switch (c) {
        case '\'':
        case '"': return quoted(start, c);
        case '#': {
            const size_t end = s_.find('#', pos_ + 1);
            if (end == std::string::npos)
                fail(start, "日期常量缺少结尾的“#”");
            pos_ = end + 1;
            return make(TokenKind::Date, s_.substr(start + 1, end - start - 1), start);
        }
        case '[': {
            const size_t end = s_.find(']', pos_ + 1);
            if (end == std::string::npos)
                fail(start, "名称缺少结尾的“]”");
            if (end == start + 1)
                fail(start, "名称不能为空");
            pos_ = end + 1;
            return make(TokenKind::Bracketed, s_.substr(start + 1, end - start - 1), start);
        }
        case ':': {
            ++pos_;
            while (pos_ < s_.size() && isWordChar(static_cast<unsigned char>(s_[pos_])))
                ++pos_;
            if (pos_ == start + 1)
                fail(start, "参数缺少名称");
            return make(TokenKind::Parameter, s_.substr(start + 1, pos_ - start - 1), start);
        }
        case '-':
            if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '-')
                fail(start, "不支持注释");
            break;
        case '/':
            if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '*')
                fail(start, "不支持注释");
            break;
        case '<':
            if (pos_ + 1 < s_.size() && (s_[pos_ + 1] == '>' || s_[pos_ + 1] == '=')) {
                pos_ += 2;
                return make(TokenKind::Symbol, s_.substr(start, 2), start);
            }
            break;
        case '>':
            if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '=') {
                pos_ += 2;
                return make(TokenKind::Symbol, ">=", start);
            }
            break;
        default: break;
        }
        static const std::string symbols = "(),.;*+-/\\&=<>";
        if (symbols.find(c) == std::string::npos) {
            const size_t n = utf8Length(s_, pos_);
            fail(start, "无法识别的字符“" + s_.substr(pos_, n) + "”");
        }
        ++pos_;
        return make(TokenKind::Symbol, std::string(1, c), start);
    }

    Token number(size_t start)
    {
        while (pos_ < s_.size() && isDigit(s_[pos_]))
            ++pos_;
        if (pos_ < s_.size() && s_[pos_] == '.') {
            ++pos_;
            while (pos_ < s_.size() && isDigit(s_[pos_]))
                ++pos_;
        }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            size_t p = pos_ + 1;
            if (p < s_.size() && (s_[p] == '+' || s_[p] == '-'))
                ++p;
            if (p < s_.size() && isDigit(s_[p])) {
                while (p < s_.size() && isDigit(s_[p]))
                    ++p;
                pos_ = p;
            }
        }
        if (pos_ < s_.size() && (isWordChar(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '.'))
            fail(start, "数字格式不对");
        return make(TokenKind::Number, s_.substr(start, pos_ - start), start);
    }

    Token quoted(size_t start, char delimiter)
    {
        std::string value;
        ++pos_;
        while (true) {
            if (pos_ >= s_.size())
                fail(start, std::string("文本常量缺少结尾的“") + delimiter + "”");
            const char c = s_[pos_++];
            if (c == delimiter) {
                if (pos_ < s_.size() && s_[pos_] == delimiter) {
                    value += delimiter;
                    ++pos_;
                    continue;
                }
                break;
            }
            value += c;
        }
        return make(TokenKind::String, std::move(value), start);
    }

    const std::string& s_;
    size_t pos_ = 0;
};

} // namespace

std::vector<Token> tokenize(const std::string& statement)
{
    return Lexer(statement).run();
}

std::string describePosition(const std::string& statement, size_t offset)
{
    size_t line = 1, column = 1;
    for (size_t i = 0; i < offset && i < statement.size(); ++i) {
        const auto c = static_cast<unsigned char>(statement[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "第 " + std::to_string(line) + " 行第 " + std::to_string(column) + " 列";
}

} // namespace ledger::jet
