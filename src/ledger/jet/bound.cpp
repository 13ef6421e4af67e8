#include "bound.h"

namespace ledger::jet {

BoundPtr makeNode(Node node, ColumnType type, size_t offset)
{
    auto b = std::make_unique<Bound>();
    b->node = node;
    b->type = type;
    b->offset = offset;
    return b;
}

BoundPtr makePredicate(Node node, size_t offset)
{
    BoundPtr b = makeNode(node, ColumnType{Type::Boolean, 0, false}, offset);
    b->predicate = true;
    return b;
}

void adopt(Bound& parent, BoundPtr child)
{
    parent.aggregate = parent.aggregate || child->aggregate;
    parent.args.push_back(std::move(child));
}

bool atomic(const Bound& b)
{
    return b.node == Node::Null || b.node == Node::Literal || b.node == Node::Parameter || b.node == Node::Column;
}

namespace {

bool sameSelect(const BoundSelect& a, const BoundSelect& b);

bool sameOptional(const Bound* a, const Bound* b)
{
    return (!a && !b) || (a && b && sameTree(*a, *b));
}

bool sameList(const std::vector<BoundPtr>& a, const std::vector<BoundPtr>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!sameTree(*a[i], *b[i]))
            return false;
    return true;
}

bool sameSource(const Source* a, const Source* b)
{
    if (a == b)
        return true;
    if (!a || !b || !sameName(a->alias, b->alias) || a->object != b->object || !a->select != !b->select)
        return false;
    return !a->select || sameSelect(*a->select, *b->select);
}

bool sameFrom(const FromItem* a, const FromItem* b)
{
    if (!a || !b)
        return a == b;
    return sameSource(a->source, b->source) && a->join == b->join && sameFrom(a->left.get(), b->left.get()) &&
           sameFrom(a->right.get(), b->right.get()) && sameOptional(a->on.get(), b->on.get());
}

bool sameSelect(const BoundSelect& a, const BoundSelect& b)
{
    if (a.distinct != b.distinct || a.top != b.top || a.orderBy.size() != b.orderBy.size())
        return false;
    for (size_t i = 0; i < a.orderBy.size(); ++i)
        if (a.orderBy[i].ordinal != b.orderBy[i].ordinal || a.orderBy[i].descending != b.orderBy[i].descending ||
            !sameOptional(a.orderBy[i].expr.get(), b.orderBy[i].expr.get()))
            return false;
    return sameList(a.items, b.items) && sameFrom(a.from.get(), b.from.get()) && sameOptional(a.where.get(), b.where.get()) &&
           sameList(a.groupBy, b.groupBy) && sameOptional(a.having.get(), b.having.get());
}

} // namespace

bool sameTree(const Bound& a, const Bound& b)
{
    if (a.node != b.node || a.type.type != b.type.type || a.op != b.op || a.negated != b.negated || a.distinct != b.distinct ||
        a.star != b.star || a.fn != b.fn || a.from != b.from)
        return false;
    switch (a.node) {
    case Node::Literal:
        if (!(a.value == b.value))
            return false;
        break;
    case Node::Parameter: // each occurrence has its own slot; the name says which value
        return sameName(a.text, b.text);
    case Node::Column: return sameSource(a.source, b.source) && sameName(a.text, b.text);
    case Node::Call:
        if (a.text != b.text)
            return false;
        break;
    default: break;
    }
    if (!a.select != !b.select || (a.select && !sameSelect(*a.select, *b.select)))
        return false;
    return sameList(a.args, b.args);
}

} // namespace ledger::jet
