// Literals and the conversions a value undergoes to meet its context.

#include "binder.h"

#include "conversions.h"
#include "token.h"
#include "types.h"

namespace ledger::jet {

namespace {

Value literalAs(const Bound& t, const ColumnType& target)
{
    if (target.type == Type::Currency && !t.numberText.empty()) {
        auto exact = Currency::parse(t.numberText);
        if (!exact)
            throw Error(Error::Kind::Range, "金额超出货币类型的范围");
        return Value(*exact);
    }
    return t.value.convertedTo(target);
}

} // namespace

BoundPtr Binder::literal(const Value& v, size_t offset, std::string numberText)
{
    BoundPtr t = makeNode(Node::Literal, plain(v.type()), offset);
    if (v.type() == Type::Text)
        t->type.width = static_cast<int>(characterCount(v.asText()));
    t->value = v;
    t->numberText = std::move(numberText);
    return t;
}

BoundPtr Binder::number(const std::string& text, size_t offset)
{
    const bool integral = text.find_first_of(".eE") == std::string::npos;
    if (integral && text.size() <= 10) {
        const long long n = std::stoll(text);
        if (n <= 2147483647LL)
            return literal(Value(static_cast<int64_t>(n)), offset, text);
    }
    double d = 0;
    try {
        d = std::stod(text);
    } catch (const std::exception&) {
        fail(Error::Kind::Range, "数值超出范围", offset);
    }
    return literal(Value(d), offset, text);
}

BoundPtr Binder::coerce(BoundPtr t, const ColumnType& target)
{
    switch (t->node) {
    case Node::Null: return t;
    case Node::Parameter:
        if (target.type != Type::Null) {
            params_[static_cast<size_t>(t->slot)].type = target;
            t->type = target;
        }
        return t;
    case Node::Literal:
        if (target.type == Type::Null || target.type == t->type.type) {
            if (target.type == Type::Text && target.width > 0 &&
                characterCount(t->value.asText()) > static_cast<size_t>(target.width))
                fail(Error::Kind::Constraint, "文本太长，最多 " + std::to_string(target.width) + " 个字符", t->offset);
            return t;
        }
        try {
            return literal(literalAs(*t, target), t->offset);
        } catch (const Error& e) {
            throw Error(e.kind(), e.what() + where(t->offset));
        }
    default:
        if (target.type == Type::Null)
            return t->predicate ? convert(std::move(t), Type::Long) : std::move(t);
        if (target.type != Type::Boolean)
            return convert(std::move(t), target.type);
        // A truth as a value is -1 or 0, as True and False are.
        if (!t->predicate)
            t = convert(std::move(t), Type::Boolean);
        return t->predicate ? truth(std::move(t)) : std::move(t);
    }
}

BoundPtr Binder::condition(BoundPtr t)
{
    if (t->node == Node::Parameter) {
        BoundPtr test = makePredicate(Node::Compare, t->offset);
        test->op = "<>";
        adopt(*test, coerce(std::move(t), plain(Type::Boolean)));
        adopt(*test, literal(Value(int64_t{0}), test->offset));
        return test;
    }
    if (t->predicate || t->node == Node::Null)
        return t;
    if (t->node == Node::Literal)
        return coerce(std::move(t), plain(Type::Boolean));
    return convert(std::move(t), Type::Boolean);
}

BoundPtr Binder::truth(BoundPtr t)
{
    BoundPtr value = makeNode(Node::Truth, plain(Type::Boolean), t->offset);
    adopt(*value, std::move(t));
    return value;
}

BoundPtr Binder::convert(BoundPtr t, Type to)
{
    if (t->predicate && to != Type::Boolean)
        t = truth(std::move(t));
    const Type from = t->type.type;
    if (from == to || from == Type::Null || to == Type::Null)
        return t;
    const Conversion* c = findConversion(from, to);
    if (!c)
        fail(Error::Kind::Type, "类型不匹配", t->offset);
    if (mode_ == Mode::SavedQuery && (!c->builtin || (repeats(c->builtin) && !atomic(*t))))
        fail(Error::Kind::Syntax, "保存的查询中不能使用这种类型转换或运算", t->offset);
    BoundPtr out = makeNode(Node::Convert, plain(to), t->offset);
    out->from = from;
    out->predicate = to == Type::Boolean; // SQLite's 1 or 0
    adopt(*out, std::move(t));
    return out;
}

BoundPtr Binder::assigned(BoundPtr value, const CatalogColumn& column)
{
    try {
        return coerce(std::move(value), column.type);
    } catch (const Error& e) {
        throw Error(e.kind(), "列“" + column.name + "”：" + e.what());
    }
}

} // namespace ledger::jet
