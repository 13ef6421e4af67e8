#include "types.h"

namespace ledger::jet {

namespace {

int numericRank(Type t)
{
    switch (t) {
    case Type::Boolean: return 0;
    case Type::Long: return 1;
    case Type::Currency: return 2;
    case Type::Double: return 3;
    default: return -1;
    }
}

Type wider(Type a, Type b)
{
    return numericRank(a) >= numericRank(b) ? a : b;
}

bool isWhole(const Bound& b, Type t)
{
    return t == Type::Long || t == Type::Boolean || (b.node == Node::Literal && b.value.type() == Type::Long);
}

} // namespace

bool isNumeric(Type t)
{
    return numericRank(t) >= 0;
}

bool adaptable(const Bound& b)
{
    return b.node == Node::Literal || b.node == Node::Parameter;
}

std::optional<Type> comparedAs(const Bound& a, const Bound& b)
{
    if (a.node == Node::Null)
        return b.type.type;
    if (b.node == Node::Null)
        return a.type.type;
    const bool aa = adaptable(a), ab = adaptable(b);
    if (aa && !ab)
        return b.type.type;
    if (ab && !aa)
        return a.type.type;
    if (aa && ab) {
        if (a.node == Node::Parameter)
            return b.type.type;
        if (b.node == Node::Parameter)
            return a.type.type;
    }
    const Type x = a.predicate ? Type::Boolean : a.type.type, y = b.predicate ? Type::Boolean : b.type.type;
    if (x == y)
        return x;
    if (isNumeric(x) && isNumeric(y))
        return wider(x, y);
    if (x == Type::Text && (isNumeric(y) || y == Type::DateTime))
        return y;
    if (y == Type::Text && (isNumeric(x) || x == Type::DateTime))
        return x;
    if ((x == Type::DateTime && isNumeric(y)) || (y == Type::DateTime && isNumeric(x)))
        return Type::Double;
    return std::nullopt;
}

std::optional<Type> negated(const Bound& a)
{
    const Type type = a.node == Node::Parameter ? Type::Double : a.type.type;
    if (!isNumeric(type))
        return std::nullopt;
    return type == Type::Boolean ? Type::Long : type;
}

ArithmeticRule arithmetic(const std::string& op, const Bound& a, const Bound& b)
{
    ArithmeticRule r;
    const ColumnType text = plain(Type::Text);
    if (op == "&") {
        r.node = Node::Concat;
        r.type = {Type::Text, 255, false};
        r.left = r.right = text;
        return r;
    }
    if (a.node == Node::Null || b.node == Node::Null) {
        // Arithmetic with Null is Null; keep the other side's type.
        r.node = Node::Null;
        r.type = plain(a.node == Node::Null ? b.type.type : a.type.type);
        return r;
    }
    // A parameter has no type of its own yet.
    const Type ta = a.node == Node::Parameter ? Type::Null : a.type.type;
    const Type tb = b.node == Node::Parameter ? Type::Null : b.type.type;
    if (op == "+" && (ta == Type::Text || ta == Type::Null) && (tb == Type::Text || tb == Type::Null)) {
        r.node = Node::Join;
        r.type = {Type::Text, std::min(255, a.type.width + b.type.width), false};
        r.left = r.right = text;
        return r;
    }
    if ((op == "+" || op == "-") && (ta == Type::DateTime || tb == Type::DateTime)) {
        if (op == "-" && ta == Type::DateTime && tb == Type::DateTime) {
            r.node = Node::DateDiff;
            r.type = plain(Type::Double);
            return r;
        }
        if (op == "-" && tb == Type::DateTime) {
            r.error = "类型不匹配：不能用数值减去日期";
            return r;
        }
        r.node = Node::DateShift;
        r.type = plain(Type::DateTime);
        (ta == Type::DateTime ? r.right : r.left) = plain(Type::Double);
        return r;
    }
    auto numericOf = [](Type x) { return x == Type::Text ? Type::Double : x; };
    const Type na = numericOf(ta), nb = numericOf(tb);
    if ((na != Type::Null && !isNumeric(na)) || (nb != Type::Null && !isNumeric(nb))) {
        r.error = "类型不匹配：“" + op + "”两边应为数值";
        return r;
    }
    Type common;
    if (na == Type::Null && nb == Type::Null)
        common = Type::Double;
    else if (na == Type::Null)
        common = nb;
    else if (nb == Type::Null)
        common = na;
    else if (adaptable(a) && !adaptable(b) && a.value.type() != Type::Double)
        common = nb;
    else if (adaptable(b) && !adaptable(a) && b.value.type() != Type::Double)
        common = na;
    else if ((adaptable(a) && !adaptable(b) && nb == Type::Currency) || (adaptable(b) && !adaptable(a) && na == Type::Currency))
        common = Type::Currency; // 12.5 + money stays exact money
    else
        common = wider(na, nb);
    if (common == Type::Boolean)
        common = Type::Long;

    if (op == "/") {
        r.node = Node::Divide;
        r.type = r.left = r.right = plain(Type::Double);
    } else if (op == "\\" || op == "mod") {
        r.node = op == "mod" ? Node::Modulo : Node::IntDivide;
        r.type = r.left = r.right = plain(Type::Long);
    } else if (op == "*" && common == Type::Currency) {
        // money × whole number stays exact; money × money scales back once
        const bool aWhole = isWhole(a, ta), bWhole = isWhole(b, tb);
        r.type = plain(Type::Currency);
        r.node = aWhole || bWhole ? Node::Arith : Node::MoneyProduct;
        r.left = plain(aWhole ? Type::Long : Type::Currency);
        r.right = plain(bWhole ? Type::Long : Type::Currency);
    } else {
        r.type = r.left = r.right = plain(common);
    }
    return r;
}

} // namespace ledger::jet
