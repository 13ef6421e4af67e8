#include "binder.h"

#include "conversions.h"
#include "functions.h"
#include "token.h"
#include "types.h"

namespace ledger::jet {

std::string Binder::where(size_t offset) const
{
    return "（" + describePosition(text_, offset) + "）";
}

void Binder::fail(Error::Kind kind, const std::string& message, size_t offset) const
{
    throw Error(kind, message + where(offset));
}

BoundPtr Binder::parameter(const Expr& e)
{
    if (mode_ == Mode::SavedQuery)
        fail(Error::Kind::Syntax, "保存的查询中不能有参数", e.offset);
    params_.push_back({e.text, plain(Type::Null)});
    BoundPtr t = makeNode(Node::Parameter, plain(Type::Text), e.offset);
    t->slot = static_cast<int>(params_.size() - 1);
    t->text = e.text;
    return t;
}

BoundPtr Binder::columnOf(const Source& source, const CatalogColumn& c, bool outer, size_t offset)
{
    BoundPtr t = makeNode(Node::Column, c.type, offset);
    t->source = &source;
    t->text = c.name;
    t->outer = outer;
    return t;
}

BoundPtr Binder::column(const Expr& e, const Scope& scope)
{
    bool outer = false;
    for (const Scope* s = &scope; s; s = s->parent, outer = true) {
        const Source* found = nullptr;
        const CatalogColumn* col = nullptr;
        for (const Source* src : s->sources) {
            if (!e.qualifier.empty() && !sameName(src->alias, e.qualifier))
                continue;
            for (const CatalogColumn& c : src->columns) {
                if (!sameName(c.name, e.text))
                    continue;
                if (found && found != src)
                    fail(Error::Kind::Name, "列名“" + e.text + "”不明确，它属于多个表", e.offset);
                found = src;
                col = &c;
            }
        }
        if (!found && !e.qualifier.empty()) {
            // The qualifier names a source of this scope: the column is missing there.
            for (const Source* src : s->sources)
                if (sameName(src->alias, e.qualifier))
                    fail(Error::Kind::Name, "“" + e.qualifier + "”中没有列“" + e.text + "”", e.offset);
        }
        if (found)
            return columnOf(*found, *col, outer, e.offset);
    }
    if (!e.qualifier.empty())
        fail(Error::Kind::Name, "找不到“" + e.qualifier + "." + e.text + "”", e.offset);
    fail(Error::Kind::Name, "未知的列名“" + e.text + "”", e.offset);
}

// ---- expressions ----------------------------------------------------------------
BoundPtr Binder::expr(const Expr& e, const Scope& scope)
{
    switch (e.kind) {
    case ExprKind::Null: return makeNode(Node::Null, plain(Type::Null), e.offset);
    case ExprKind::Boolean: return literal(Value(e.flag), e.offset);
    case ExprKind::Number: return number(e.text, e.offset);
    case ExprKind::String: return literal(Value(e.text), e.offset);
    case ExprKind::Date: return literal(Value(e.date), e.offset);
    case ExprKind::Parameter: return parameter(e);
    case ExprKind::Column: return column(e, scope);
    case ExprKind::Unary: return unary(e, scope);
    case ExprKind::Binary: return binary(e, scope);
    case ExprKind::Between: return between(e, scope);
    case ExprKind::Like: return like(e, scope);
    case ExprKind::InList: return inList(e, scope);
    case ExprKind::InSelect: return inSelect(e, scope);
    case ExprKind::IsNull: {
        BoundPtr t = makePredicate(Node::IsNull, e.offset);
        t->negated = e.negated;
        adopt(*t, coerce(expr(*e.args[0], scope), plain(Type::Null)));
        return t;
    }
    case ExprKind::Exists: {
        BoundPtr t = makePredicate(Node::Exists, e.offset);
        t->negated = e.negated;
        t->select = select(*e.select, &scope, nullptr);
        return t;
    }
    case ExprKind::Subquery: {
        auto s = select(*e.select, &scope, nullptr);
        if (s->fields.size() != 1)
            fail(Error::Kind::Syntax, "子查询只能返回一列", e.offset);
        BoundPtr t = makeNode(Node::Subquery, s->fields[0].type, e.offset);
        t->select = std::move(s);
        return t;
    }
    case ExprKind::Function: return call(e, scope);
    }
    fail(Error::Kind::Syntax, "无法识别的表达式", e.offset);
}

BoundPtr Binder::unary(const Expr& e, const Scope& scope)
{
    BoundPtr a = expr(*e.args[0], scope);
    if (e.op == "not") {
        BoundPtr t = makePredicate(Node::Not, e.offset);
        adopt(*t, condition(std::move(a)));
        return t;
    }
    if (a->node == Node::Literal && !a->numberText.empty()) {
        if (e.op == "+")
            return a;
        const std::string& n = a->numberText;
        const Value value = a->value.type() == Type::Long ? Value(-a->value.asLong()) : Value(-a->value.asDouble());
        return literal(value, e.offset, n[0] == '-' ? n.substr(1) : "-" + n);
    }
    const std::optional<Type> type = negated(*a);
    if (!type)
        fail(Error::Kind::Type, "类型不匹配：负号只能用于数值", e.offset);
    BoundPtr t = makeNode(Node::Negate, plain(*type), e.offset);
    t->op = e.op;
    adopt(*t, coerce(std::move(a), t->type));
    return t;
}

BoundPtr Binder::binary(const Expr& e, const Scope& scope)
{
    BoundPtr a = expr(*e.args[0], scope);
    BoundPtr b = expr(*e.args[1], scope);
    const std::string& op = e.op;
    if (op == "and" || op == "or") {
        BoundPtr t = makePredicate(op == "and" ? Node::And : Node::Or, e.offset);
        adopt(*t, condition(std::move(a)));
        adopt(*t, condition(std::move(b)));
        return t;
    }
    if (op == "=" || op == "<>" || op == "<" || op == "<=" || op == ">" || op == ">=")
        return comparison(op, std::move(a), std::move(b), e.offset);

    const ArithmeticRule rule = arithmetic(op, *a, *b);
    if (!rule.error.empty())
        fail(Error::Kind::Type, rule.error, e.offset);
    BoundPtr t = makeNode(rule.node, rule.type, e.offset);
    t->op = op;
    if (rule.node == Node::Null) { // kept for the grouping rules; written as Null
        adopt(*t, std::move(a));
        adopt(*t, std::move(b));
        return t;
    }
    adopt(*t, coerce(std::move(a), rule.left));
    adopt(*t, coerce(std::move(b), rule.right));
    if (rule.node == Node::Concat && mode_ == Mode::SavedQuery && !atomic(*t->args[0]) && !atomic(*t->args[1]))
        fail(Error::Kind::Syntax, "保存的查询中不能使用这种类型转换或运算", e.offset);
    return t;
}

BoundPtr Binder::comparison(const std::string& op, BoundPtr a, BoundPtr b, size_t offset)
{
    const std::optional<Type> common = comparedAs(*a, *b);
    if (!common)
        fail(Error::Kind::Type, "类型不匹配", offset);
    BoundPtr t = makePredicate(Node::Compare, offset);
    t->op = op;
    t->nocase = *common == Type::Text;
    adopt(*t, coerce(std::move(a), plain(*common)));
    adopt(*t, coerce(std::move(b), plain(*common)));
    return t;
}

BoundPtr Binder::between(const Expr& e, const Scope& scope)
{
    BoundPtr v = expr(*e.args[0], scope);
    BoundPtr lo = expr(*e.args[1], scope);
    BoundPtr hi = expr(*e.args[2], scope);
    std::optional<Type> common = comparedAs(*v, *lo);
    if (!common)
        fail(Error::Kind::Type, "类型不匹配", e.offset);
    if (adaptable(*v) && adaptable(*lo) && !adaptable(*hi))
        common = hi->type.type;
    BoundPtr t = makePredicate(Node::Between, e.offset);
    t->negated = e.negated;
    t->nocase = *common == Type::Text;
    for (BoundPtr* part : {&v, &lo, &hi})
        adopt(*t, coerce(std::move(*part), plain(*common)));
    return t;
}

// Jet patterns: % and _ as in SQLite; [x] stands for the character x.
BoundPtr Binder::likePattern(BoundPtr pattern, bool& escape)
{
    if (pattern->node != Node::Literal)
        return coerce(std::move(pattern), plain(Type::Text));
    const std::string p(pattern->value.convertedTo(plain(Type::Text)).asText());
    if (p.find('[') == std::string::npos && p.find('\\') == std::string::npos)
        return literal(Value(p), pattern->offset);
    std::string out;
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] == '\\') {
            out += "\\\\";
            continue;
        }
        if (p[i] != '[') {
            out += p[i];
            continue;
        }
        const size_t close = p.find(']', i + 1);
        if (close == i + 2) {
            const char c = p[i + 1];
            if (c == '%' || c == '_')
                out += '\\';
            out += c;
            i = close;
            continue;
        }
        fail(Error::Kind::Syntax, "不支持的 LIKE 模式“" + p + "”", pattern->offset);
    }
    escape = true;
    return literal(Value(out), pattern->offset);
}

BoundPtr Binder::like(const Expr& e, const Scope& scope)
{
    BoundPtr v = expr(*e.args[0], scope);
    BoundPtr p = expr(*e.args[1], scope);
    BoundPtr t = makePredicate(Node::Like, e.offset);
    t->negated = e.negated;
    adopt(*t, coerce(std::move(v), plain(Type::Text)));
    adopt(*t, likePattern(std::move(p), t->escape));
    return t;
}

BoundPtr Binder::inList(const Expr& e, const Scope& scope)
{
    BoundPtr v = expr(*e.args[0], scope);
    std::vector<BoundPtr> items;
    for (size_t i = 1; i < e.args.size(); ++i)
        items.push_back(expr(*e.args[i], scope));
    Type common = v->type.type;
    if (adaptable(*v))
        for (const BoundPtr& item : items)
            if (!adaptable(*item) && item->node != Node::Null) {
                common = item->type.type;
                break;
            }
    BoundPtr t = makePredicate(Node::InList, e.offset);
    t->negated = e.negated;
    t->nocase = common == Type::Text;
    adopt(*t, coerce(std::move(v), plain(common)));
    for (BoundPtr& item : items)
        adopt(*t, coerce(std::move(item), plain(common)));
    return t;
}

BoundPtr Binder::inSelect(const Expr& e, const Scope& scope)
{
    BoundPtr v = expr(*e.args[0], scope);
    auto s = select(*e.select, &scope, nullptr);
    if (s->fields.size() != 1)
        fail(Error::Kind::Syntax, "IN 子查询只能返回一列", e.offset);
    const Type field = s->fields[0].type.type;
    const Type common = adaptable(*v) ? field : v->type.type;
    if (!adaptable(*v) && field != common) {
        if (!(isNumeric(common) || common == Type::DateTime || common == Type::Text))
            fail(Error::Kind::Type, "类型不匹配", e.offset);
        retarget(*s, {plain(common)});
    }
    BoundPtr t = makePredicate(Node::InSelect, e.offset);
    t->negated = e.negated;
    t->nocase = common == Type::Text;
    adopt(*t, coerce(std::move(v), plain(common)));
    t->select = std::move(s);
    return t;
}

namespace {

void columnsIn(const Bound& b, bool& own, bool& outer)
{
    if (b.node == Node::Column)
        (b.outer ? outer : own) = true;
    for (const BoundPtr& a : b.args)
        columnsIn(*a, own, outer);
}

bool readsOnlyOuterColumns(const Bound& b)
{
    bool own = false, outer = false;
    columnsIn(b, own, outer);
    return outer && !own;
}

} // namespace

BoundPtr Binder::call(const Expr& e, const Scope& scope)
{
    const FunctionDef* def = findFunction(e.text);
    const bool aggregate = def && def->aggregate;
    if (!aggregate && (e.star || e.distinct))
        fail(Error::Kind::Syntax, "函数 " + e.text + " 的参数不对", e.offset);
    if (aggregate && insideAggregate_)
        fail(Error::Kind::Syntax, "聚合函数不能嵌套", e.offset);
    const bool countAll = aggregate && e.text == "count" && e.star;
    if (def && !countAll && (e.star || e.args.size() < def->minArgs || e.args.size() > def->maxArgs))
        fail(Error::Kind::Syntax, "函数 " + e.text + " 的参数个数不对", e.offset);

    BoundPtr t = makeNode(Node::Call, plain(Type::Null), e.offset);
    t->fn = def;
    t->star = countAll;
    t->distinct = e.distinct;
    insideAggregate_ = insideAggregate_ || aggregate;
    for (const ExprPtr& a : e.args)
        t->args.push_back(expr(*a, scope));
    if (aggregate) {
        insideAggregate_ = false;
        // SQLite counts such an aggregate to the enclosing SELECT, where it
        // cannot stand in a WHERE clause and would group that SELECT's rows.
        if (!t->args.empty() && readsOnlyOuterColumns(*t->args[0]))
            fail(Error::Kind::Syntax, "聚合函数 " + e.text + " 只引用了外层查询的列", e.offset);
    }
    if (!def)
        fail(Error::Kind::Name, "未知的函数“" + e.text + "”", e.offset);

    Signature signature;
    try {
        def->type(*t, signature);
    } catch (const Error& err) {
        throw Error(err.kind(), err.what() + where(e.offset));
    }
    std::vector<BoundPtr> args = std::move(t->args);
    t->args.clear();
    for (size_t i = 0; i < args.size(); ++i) {
        if (i < signature.tested)
            adopt(*t, condition(std::move(args[i])));
        else
            adopt(*t, coerce(std::move(args[i]), i < signature.args.size() ? signature.args[i] : plain(Type::Null)));
    }
    t->type = signature.result;
    t->aggregate = t->aggregate || aggregate;
    if (mode_ == Mode::SavedQuery && !callWritable(*t, mode_))
        fail(Error::Kind::Syntax, "保存的查询中不能使用这种类型转换或运算", e.offset);
    return t;
}

} // namespace ledger::jet
