#include "ast.h"
#include "catalog.h"
#include "token.h"

#include "../error.h"

#include <algorithm>

namespace ledger::jet {

namespace {

// Words that cannot serve as a name or alias unless bracketed.
bool isReserved(const std::string& word)
{
    static const char* const words[] = {"select", "from", "where",  "group",   "by",       "having",      "order",
                                        "asc",    "desc", "as",     "and",     "or",       "not",         "in",
                                        "is",     "null", "like",   "between", "inner",    "left",        "right",
                                        "outer",  "join", "on",     "union",   "insert",   "into",        "values",
                                        "update", "set",  "delete", "top",     "distinct", "distinctrow", "exists",
                                        "mod",    "true", "false",  "xor",     "percent",  "all"};
    return std::any_of(std::begin(words), std::end(words), [&](const char* r) { return sameName(word, r); });
}

constexpr int kMaxDepth = 200;

class Parser {
public:
    explicit Parser(const std::string& text) : text_(text), tokens_(tokenize(text)) {}

    Statement statement()
    {
        Statement st;
        if (isWord("select")) {
            st.kind = Statement::Kind::Select;
            st.select = select();
        } else if (isWord("insert")) {
            st.kind = Statement::Kind::Insert;
            st.insert = insert();
        } else if (isWord("update")) {
            st.kind = Statement::Kind::Update;
            st.update = update();
        } else if (isWord("delete")) {
            st.kind = Statement::Kind::Delete;
            st.del = del();
        } else {
            fail("应为 SELECT、INSERT、UPDATE 或 DELETE");
        }
        if (isSymbol(";"))
            advance();
        if (peek().kind != TokenKind::End) {
            if (tokens_[pos_ - 1].kind == TokenKind::Symbol && tokens_[pos_ - 1].text == ";")
                fail("一次只能执行一条语句");
            fail("语句结尾有多余的内容");
        }
        return st;
    }

private:
    // ---- tokens -----------------------------------------------------------
    const Token& peek(size_t ahead = 0) const { return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)]; }
    const Token& advance()
    {
        const Token& t = tokens_[pos_];
        if (pos_ + 1 < tokens_.size())
            ++pos_;
        return t;
    }
    bool isWord(const char* word, size_t ahead = 0) const
    {
        const Token& t = peek(ahead);
        return t.kind == TokenKind::Word && sameName(t.text, word);
    }
    bool isSymbol(const char* symbol) const
    {
        const Token& t = peek();
        return t.kind == TokenKind::Symbol && t.text == symbol;
    }
    bool acceptWord(const char* word)
    {
        if (!isWord(word))
            return false;
        advance();
        return true;
    }
    bool acceptSymbol(const char* symbol)
    {
        if (!isSymbol(symbol))
            return false;
        advance();
        return true;
    }
    void expectWord(const char* word, const char* what)
    {
        if (!acceptWord(word))
            fail(std::string("应为 ") + what);
    }
    void expectSymbol(const char* symbol)
    {
        if (!acceptSymbol(symbol))
            fail(std::string("应为“") + symbol + "”");
    }

    [[noreturn]] void fail(const std::string& what) const
    {
        const Token& t = peek();
        std::string near =
            t.kind == TokenKind::End ? "语句结尾" : "“" + text_.substr(t.offset, std::min<size_t>(t.length, 40)) + "”附近";
        throw Error(Error::Kind::Syntax, "语法错误：" + near + "（" + describePosition(text_, t.offset) + "）：" + what);
    }

    // A name: a plain word that is not reserved, or a bracketed name.
    bool atName() const
    {
        const Token& t = peek();
        return t.kind == TokenKind::Bracketed || (t.kind == TokenKind::Word && !isReserved(t.text));
    }
    std::string name(const char* what)
    {
        if (!atName())
            fail(std::string("应为") + what);
        return advance().text;
    }

    struct DepthGuard {
        explicit DepthGuard(Parser& p) : p_(p)
        {
            if (++p_.depth_ > kMaxDepth)
                p_.fail("语句嵌套太深");
        }
        ~DepthGuard() { --p_.depth_; }
        Parser& p_;
    };

    // A chain such as 1+1+1+… is built in a loop, not by recursion, so the
    // tree's levels are counted as it grows.
    void grow(int& depth, int childDepth)
    {
        depth = std::max(depth, childDepth + 1);
        if (depth > kMaxTreeDepth)
            fail("语句嵌套太深");
    }
    ExprPtr adopt(ExprPtr parent, ExprPtr child)
    {
        grow(parent->depth, child->depth);
        parent->args.push_back(std::move(child));
        return parent;
    }
    void adoptSelect(Expr& parent, SelectPtr select)
    {
        grow(parent.depth, select->depth);
        parent.select = std::move(select);
    }
    void measure(Select& s, const TableRef* ref)
    {
        if (!ref)
            return;
        if (ref->select)
            grow(s.depth, ref->select->depth);
        if (ref->on)
            grow(s.depth, ref->on->depth);
        measure(s, ref->left.get());
        measure(s, ref->right.get());
    }
    void measure(Select& s)
    {
        for (const SelectItem& item : s.items)
            if (item.expr)
                grow(s.depth, item.expr->depth);
        for (const Expr* e : {s.where.get(), s.having.get()})
            if (e)
                grow(s.depth, e->depth);
        for (const ExprPtr& g : s.groupBy)
            grow(s.depth, g->depth);
        for (const OrderItem& o : s.orderBy)
            grow(s.depth, o.expr->depth);
        measure(s, s.from.get());
    }

    void countTerms(size_t n)
    {
        if (n > kMaxTerms)
            fail("列表太长（最多 " + std::to_string(kMaxTerms) + " 项）");
    }

    // ---- statements ---------------------------------------------------------
    SelectPtr select()
    {
        DepthGuard guard(*this);
        auto s = std::make_unique<Select>();
        s->offset = peek().offset;
        expectWord("select", "SELECT");
        if (acceptWord("distinct") || acceptWord("distinctrow"))
            s->distinct = true;
        else
            acceptWord("all");
        if (acceptWord("top")) {
            const Token& n = peek();
            if (n.kind != TokenKind::Number || n.text.find_first_not_of("0123456789") != std::string::npos)
                fail("TOP 后应为整数");
            if (n.text.size() > 12)
                fail("TOP 的数值太大");
            s->top = std::stoll(n.text);
            advance();
            if (isWord("percent"))
                fail("不支持 TOP … PERCENT");
        }
        do {
            s->items.push_back(selectItem());
            countTerms(s->items.size());
        } while (acceptSymbol(","));
        if (acceptWord("from")) {
            const int outerTables = tables_;
            tables_ = 0;
            s->from = fromList();
            tables_ = outerTables;
        }
        if (acceptWord("where"))
            s->where = expression();
        if (acceptWord("group")) {
            expectWord("by", "BY");
            do {
                s->groupBy.push_back(expression());
                countTerms(s->groupBy.size());
            } while (acceptSymbol(","));
        }
        if (acceptWord("having"))
            s->having = expression();
        if (acceptWord("order")) {
            expectWord("by", "BY");
            do {
                OrderItem item;
                item.expr = expression();
                if (acceptWord("desc"))
                    item.descending = true;
                else
                    acceptWord("asc");
                s->orderBy.push_back(std::move(item));
                countTerms(s->orderBy.size());
            } while (acceptSymbol(","));
        }
        if (isWord("union"))
            fail("不支持 UNION");
        measure(*s);
        return s;
    }

    SelectItem selectItem()
    {
        SelectItem item;
        item.offset = peek().offset;
        if (acceptSymbol("*")) {
            item.star = true;
            return item;
        }
        // name.* selects every column of one source
        if (atName() && peek(1).kind == TokenKind::Symbol && peek(1).text == "." && peek(2).kind == TokenKind::Symbol &&
            peek(2).text == "*") {
            item.star = true;
            item.starQualifier = advance().text;
            advance();
            advance();
            return item;
        }
        item.expr = expression();
        if (acceptWord("as"))
            item.alias = aliasName();
        return item;
    }

    std::string aliasName()
    {
        const Token& t = peek();
        if (t.kind == TokenKind::String || atName())
            return advance().text;
        fail("应为别名");
    }

    TableRefPtr fromList()
    {
        TableRefPtr left = joined();
        while (acceptSymbol(",")) {
            auto cross = std::make_unique<TableRef>();
            cross->kind = TableRef::Kind::Join;
            cross->join = JoinKind::Cross;
            cross->offset = left->offset;
            cross->left = std::move(left);
            cross->right = joined();
            left = std::move(cross);
        }
        return left;
    }

    TableRefPtr joined()
    {
        DepthGuard guard(*this);
        TableRefPtr left = tablePrimary();
        while (true) {
            JoinKind kind;
            if (acceptWord("inner"))
                kind = JoinKind::Inner;
            else if (acceptWord("left"))
                kind = JoinKind::Left, acceptWord("outer");
            else if (acceptWord("right"))
                kind = JoinKind::Right, acceptWord("outer");
            else if (isWord("join"))
                fail("JOIN 前应为 INNER、LEFT 或 RIGHT");
            else
                return left;
            expectWord("join", "JOIN");
            auto join = std::make_unique<TableRef>();
            join->kind = TableRef::Kind::Join;
            join->join = kind;
            join->offset = left->offset;
            join->left = std::move(left);
            join->right = tablePrimary();
            expectWord("on", "ON");
            join->on = expression();
            left = std::move(join);
        }
    }

    TableRefPtr tablePrimary()
    {
        DepthGuard guard(*this);
        auto ref = std::make_unique<TableRef>();
        ref->offset = peek().offset;
        if (acceptSymbol("(")) {
            if (isWord("select")) {
                if (++tables_ > 64)
                    fail("一个查询最多使用 64 个表或查询");
                ref->kind = TableRef::Kind::Subquery;
                ref->select = select();
                expectSymbol(")");
                acceptWord("as");
                if (!atName())
                    fail("子查询后应为别名");
                ref->alias = advance().text;
                return ref;
            }
            TableRefPtr inner = joined();
            expectSymbol(")");
            return inner;
        }
        // SQLite joins at most 64 tables in one SELECT.
        if (++tables_ > 64)
            fail("一个查询最多使用 64 个表或查询");
        ref->name = name("表名或查询名");
        if (acceptWord("as"))
            ref->alias = name("别名");
        else if (atName())
            ref->alias = advance().text;
        return ref;
    }

    std::unique_ptr<Insert> insert()
    {
        expectWord("insert", "INSERT");
        expectWord("into", "INTO");
        auto ins = std::make_unique<Insert>();
        ins->tableOffset = peek().offset;
        ins->table = name("表名");
        if (acceptSymbol("(")) {
            do {
                const size_t at = peek().offset;
                std::string column = name("列名");
                // t.col is allowed; the table part must be the target
                if (acceptSymbol("."))
                    column = name("列名");
                ins->columns.emplace_back(column, at);
            } while (acceptSymbol(","));
            expectSymbol(")");
        }
        if (acceptWord("values")) {
            expectSymbol("(");
            do {
                ins->values.push_back(expression());
            } while (acceptSymbol(","));
            expectSymbol(")");
        } else if (isWord("select")) {
            ins->select = select();
        } else if (isSymbol("(") && isWord("select", 1)) {
            advance();
            ins->select = select();
            expectSymbol(")");
        } else {
            fail("应为 VALUES 或 SELECT");
        }
        return ins;
    }

    std::unique_ptr<Update> update()
    {
        expectWord("update", "UPDATE");
        auto up = std::make_unique<Update>();
        up->target = joined();
        expectWord("set", "SET");
        do {
            Assignment a;
            a.column = primary();
            if (a.column->kind != ExprKind::Column)
                fail("SET 后应为列名");
            expectSymbol("=");
            a.value = expression();
            up->assignments.push_back(std::move(a));
            countTerms(up->assignments.size());
        } while (acceptSymbol(","));
        if (acceptWord("where"))
            up->where = expression();
        return up;
    }

    std::unique_ptr<Delete> del()
    {
        expectWord("delete", "DELETE");
        auto d = std::make_unique<Delete>();
        if (acceptSymbol("*")) {
        } else if (atName() && peek(1).kind == TokenKind::Symbol && peek(1).text == ".") {
            advance();
            advance();
            expectSymbol("*");
        }
        expectWord("from", "FROM");
        d->tableOffset = peek().offset;
        d->table = name("表名");
        if (atName())
            advance(); // an alias; the statement names one table only
        if (isWord("inner") || isWord("left") || isWord("right"))
            fail("DELETE 不支持连接");
        if (acceptWord("where"))
            d->where = expression();
        return d;
    }

    // ---- expressions --------------------------------------------------------
    ExprPtr node(ExprKind kind, size_t offset)
    {
        auto e = std::make_unique<Expr>();
        e->kind = kind;
        e->offset = offset;
        return e;
    }

    ExprPtr binary(std::string op, ExprPtr l, ExprPtr r)
    {
        auto e = node(ExprKind::Binary, l->offset);
        e->op = std::move(op);
        e = adopt(std::move(e), std::move(l));
        return adopt(std::move(e), std::move(r));
    }

    ExprPtr expression()
    {
        DepthGuard guard(*this);
        ExprPtr left = conjunction();
        while (isWord("or") || isWord("xor")) {
            if (isWord("xor"))
                fail("不支持 XOR");
            advance();
            left = binary("or", std::move(left), conjunction());
        }
        return left;
    }

    ExprPtr conjunction()
    {
        ExprPtr left = negation();
        while (acceptWord("and"))
            left = binary("and", std::move(left), negation());
        return left;
    }

    ExprPtr negation()
    {
        DepthGuard guard(*this);
        if (isWord("not")) {
            const size_t at = advance().offset;
            auto e = node(ExprKind::Unary, at);
            e->op = "not";
            return adopt(std::move(e), negation());
        }
        return predicate();
    }

    ExprPtr predicate()
    {
        ExprPtr left = concatenation();
        while (true) {
            const Token& t = peek();
            if (t.kind == TokenKind::Symbol &&
                (t.text == "=" || t.text == "<>" || t.text == "<" || t.text == "<=" || t.text == ">" || t.text == ">=")) {
                std::string op = advance().text;
                left = binary(op, std::move(left), concatenation());
                continue;
            }
            if (isWord("is")) {
                advance();
                auto e = node(ExprKind::IsNull, left->offset);
                e->negated = acceptWord("not");
                expectWord("null", "NULL");
                left = adopt(std::move(e), std::move(left));
                continue;
            }
            bool negated = false;
            if (isWord("not") && (isWord("between", 1) || isWord("like", 1) || isWord("in", 1))) {
                advance();
                negated = true;
            }
            if (acceptWord("between")) {
                auto e = node(ExprKind::Between, left->offset);
                e->negated = negated;
                e = adopt(std::move(e), std::move(left));
                e = adopt(std::move(e), concatenation());
                expectWord("and", "AND");
                left = adopt(std::move(e), concatenation());
            } else if (acceptWord("like")) {
                auto e = node(ExprKind::Like, left->offset);
                e->negated = negated;
                e = adopt(std::move(e), std::move(left));
                left = adopt(std::move(e), concatenation());
            } else if (acceptWord("in")) {
                expectSymbol("(");
                ExprPtr e;
                if (isWord("select")) {
                    e = node(ExprKind::InSelect, left->offset);
                    adoptSelect(*e, select());
                    e = adopt(std::move(e), std::move(left));
                } else {
                    e = node(ExprKind::InList, left->offset);
                    e = adopt(std::move(e), std::move(left));
                    do {
                        e = adopt(std::move(e), expression());
                    } while (acceptSymbol(","));
                }
                expectSymbol(")");
                e->negated = negated;
                left = std::move(e);
            } else {
                return left;
            }
        }
    }

    ExprPtr concatenation()
    {
        ExprPtr left = additive();
        while (acceptSymbol("&"))
            left = binary("&", std::move(left), additive());
        return left;
    }

    ExprPtr additive()
    {
        ExprPtr left = modulo();
        while (isSymbol("+") || isSymbol("-")) {
            std::string op = advance().text;
            left = binary(op, std::move(left), modulo());
        }
        return left;
    }

    ExprPtr modulo()
    {
        ExprPtr left = integerDivision();
        while (acceptWord("mod"))
            left = binary("mod", std::move(left), integerDivision());
        return left;
    }

    ExprPtr integerDivision()
    {
        ExprPtr left = multiplicative();
        while (acceptSymbol("\\"))
            left = binary("\\", std::move(left), multiplicative());
        return left;
    }

    ExprPtr multiplicative()
    {
        ExprPtr left = unary();
        while (isSymbol("*") || isSymbol("/")) {
            std::string op = advance().text;
            left = binary(op, std::move(left), unary());
        }
        return left;
    }

    ExprPtr unary()
    {
        DepthGuard guard(*this);
        if (isSymbol("-") || isSymbol("+")) {
            const Token& t = advance();
            auto e = node(ExprKind::Unary, t.offset);
            e->op = t.text;
            return adopt(std::move(e), unary());
        }
        return primary();
    }

    ExprPtr primary()
    {
        DepthGuard guard(*this);
        const Token& t = peek();
        switch (t.kind) {
        case TokenKind::Number: {
            auto e = node(ExprKind::Number, t.offset);
            e->text = advance().text;
            return e;
        }
        case TokenKind::String: {
            auto e = node(ExprKind::String, t.offset);
            e->text = advance().text;
            return e;
        }
        case TokenKind::Date: {
            auto parsed = parseDateText(t.text);
            if (!parsed)
                fail("日期常量格式不对");
            auto e = node(ExprKind::Date, t.offset);
            e->date = *parsed;
            advance();
            return e;
        }
        case TokenKind::Parameter: {
            auto e = node(ExprKind::Parameter, t.offset);
            e->text = advance().text;
            return e;
        }
        case TokenKind::Symbol:
            if (t.text == "(") {
                advance();
                ExprPtr e;
                if (isWord("select")) {
                    e = node(ExprKind::Subquery, t.offset);
                    adoptSelect(*e, select());
                } else {
                    e = expression();
                }
                expectSymbol(")");
                return e;
            }
            break;
        case TokenKind::Word:
            if (acceptWord("null"))
                return node(ExprKind::Null, t.offset);
            if (isWord("true") || isWord("false")) {
                auto e = node(ExprKind::Boolean, t.offset);
                e->flag = isWord("true");
                advance();
                return e;
            }
            if (isWord("exists")) {
                auto e = node(ExprKind::Exists, advance().offset);
                expectSymbol("(");
                adoptSelect(*e, select());
                expectSymbol(")");
                return e;
            }
            // Left( and Right( are the text functions, not the joins.
            if ((!isReserved(t.text) || isWord("left") || isWord("right")) && peek(1).kind == TokenKind::Symbol &&
                peek(1).text == "(")
                return functionCall();
            [[fallthrough]];
        case TokenKind::Bracketed:
            if (atName())
                return columnRef();
            break;
        case TokenKind::End: break;
        }
        fail("应为表达式");
    }

    ExprPtr columnRef()
    {
        auto e = node(ExprKind::Column, peek().offset);
        e->text = advance().text;
        if (acceptSymbol(".")) {
            e->qualifier = e->text;
            e->text = name("列名");
        }
        return e;
    }

    ExprPtr functionCall()
    {
        auto e = node(ExprKind::Function, peek().offset);
        e->text = lower(advance().text);
        expectSymbol("(");
        if (acceptSymbol("*")) {
            e->star = true;
        } else if (!isSymbol(")")) {
            if (acceptWord("distinct"))
                e->distinct = true;
            do {
                e = adopt(std::move(e), expression());
            } while (acceptSymbol(","));
        }
        expectSymbol(")");
        return e;
    }

    const std::string& text_;
    std::vector<Token> tokens_;
    size_t pos_ = 0;
    int depth_ = 0;
    int tables_ = 0; // in the FROM clause being read
};

} // namespace

Statement parse(const std::string& statement)
{
    return Parser(statement).statement();
}

} // namespace ledger::jet
