#include "binder.h"

#include "functions.h"
#include "types.h"

#include <algorithm>

namespace ledger::jet {

namespace {

// Columns of this SELECT outside aggregates.
void bareColumns(const Bound& b, std::vector<const Bound*>& out)
{
    if (b.node == Node::Column) {
        if (!b.outer)
            out.push_back(&b);
        return;
    }
    if (b.node == Node::Call && b.fn->aggregate)
        return;
    for (const BoundPtr& a : b.args)
        bareColumns(*a, out);
}

bool grouped(const Bound& b, const std::vector<BoundPtr>& keys)
{
    auto isKey = [&](const Bound& x) {
        return std::any_of(keys.begin(), keys.end(), [&](const BoundPtr& k) { return sameTree(*k, x); });
    };
    if (isKey(b))
        return true;
    std::vector<const Bound*> columns;
    bareColumns(b, columns);
    return std::all_of(columns.begin(), columns.end(), [&](const Bound* c) { return isKey(*c); });
}

} // namespace

BoundPtr Binder::noAggregate(BoundPtr b, const char* clause, size_t offset) const
{
    if (b->aggregate)
        fail(Error::Kind::Syntax, std::string(clause) + " 子句中不能有聚合函数", offset);
    return b;
}

const Source* Binder::addSource(Scope& scope, std::unique_ptr<Source> source, std::vector<std::unique_ptr<Source>>& owner,
                                size_t offset) const
{
    for (const Source* s : scope.sources)
        if (sameName(s->alias, source->alias))
            fail(Error::Kind::Name, "表或别名“" + source->alias + "”出现了两次", offset);
    owner.push_back(std::move(source));
    scope.sources.push_back(owner.back().get());
    return owner.back().get();
}

std::unique_ptr<FromItem> Binder::from(const TableRef& ref, Scope& scope, std::vector<std::unique_ptr<Source>>& owner)
{
    auto item = std::make_unique<FromItem>();
    switch (ref.kind) {
    case TableRef::Kind::Named: {
        const CatalogObject* object = catalog_.find(ref.name);
        if (!object)
            fail(Error::Kind::Name, "找不到表或查询“" + ref.name + "”", ref.offset);
        auto s = std::make_unique<Source>();
        s->alias = ref.alias.empty() ? object->name : ref.alias;
        s->columns = object->columns;
        s->object = object;
        s->baseTable = !object->savedQuery;
        item->source = addSource(scope, std::move(s), owner, ref.offset);
        break;
    }
    case TableRef::Kind::Subquery: {
        auto s = std::make_unique<Source>();
        s->alias = ref.alias;
        s->select = select(*ref.select, scope.parent, nullptr);
        for (const Field& f : s->select->fields)
            s->columns.push_back({f.name, f.type});
        item->source = addSource(scope, std::move(s), owner, ref.offset);
        break;
    }
    case TableRef::Kind::Join:
        item->join = ref.join;
        item->left = from(*ref.left, scope, owner);
        item->right = from(*ref.right, scope, owner);
        if (ref.join != JoinKind::Cross)
            item->on = condition(noAggregate(expr(*ref.on, scope), "ON", ref.on->offset));
        break;
    }
    return item;
}

std::unique_ptr<BoundSelect> Binder::select(const Select& s, const Scope* parent, const std::vector<ColumnType>* targets)
{
    struct Depth {
        explicit Depth(int& d) : d_(++d) {}
        ~Depth() { --d_; }
        int& d_;
    } depth(selectDepth_);
    auto out = std::make_unique<BoundSelect>();
    out->distinct = s.distinct;
    out->top = s.top;
    Scope scope;
    scope.parent = parent;
    if (s.from)
        out->from = from(*s.from, scope, out->sources);

    struct Item {
        BoundPtr expr;
        std::string name;
        bool explicitName = false;
    };
    std::vector<Item> items;
    int exprCounter = 1000;
    for (const SelectItem& item : s.items) {
        if (item.star) {
            bool any = false;
            for (const Source* src : scope.sources) {
                if (!item.starQualifier.empty() && !sameName(src->alias, item.starQualifier))
                    continue;
                any = true;
                for (const CatalogColumn& c : src->columns)
                    items.push_back({columnOf(*src, c, false, item.offset), c.name, false});
            }
            if (!any)
                fail(Error::Kind::Name, item.starQualifier.empty() ? "“*”没有可选的表" : "找不到“" + item.starQualifier + "”",
                     item.offset);
            continue;
        }
        Item out{expr(*item.expr, scope), item.alias, !item.alias.empty()};
        if (out.name.empty())
            out.name =
                out.expr->node == Node::Column && !out.expr->outer ? out.expr->text : "Expr" + std::to_string(exprCounter++);
        items.push_back(std::move(out));
    }
    if (targets && targets->size() != items.size())
        fail(Error::Kind::Syntax, "查询的列数与目标的列数不一致", s.offset);
    if (items.size() > kMaxTerms) // stars of sub-selects' columns
        fail(Error::Kind::Syntax, "查询的列太多（最多 " + std::to_string(kMaxTerms) + " 列）", s.offset);

    auto ownColumn = [](const Bound& b) { return b.node == Node::Column && !b.outer; };
    // A name that occurs twice is qualified by its source: ren_s.s_Xjine.
    std::vector<bool> duplicate(items.size(), false);
    for (size_t i = 0; i < items.size(); ++i)
        for (size_t j = 0; j < items.size(); ++j)
            if (j != i && sameName(items[i].name, items[j].name))
                duplicate[i] = true;
    for (size_t i = 0; i < items.size(); ++i)
        if (duplicate[i] && !items[i].explicitName && ownColumn(*items[i].expr))
            items[i].name = items[i].expr->source->alias + "." + items[i].name;

    if (s.where)
        out->where = condition(noAggregate(expr(*s.where, scope), "WHERE", s.where->offset));
    std::vector<BoundPtr> keys;
    for (const ExprPtr& g : s.groupBy)
        keys.push_back(noAggregate(expr(*g, scope), "GROUP BY", g->offset));
    BoundPtr having = s.having ? expr(*s.having, scope) : nullptr;
    bool aggregateQuery = !s.groupBy.empty() || (having && having->aggregate);
    for (const Item& item : items)
        aggregateQuery = aggregateQuery || item.expr->aggregate;
    if (aggregateQuery) {
        for (const Item& item : items)
            if (!grouped(*item.expr, keys))
                fail(Error::Kind::Syntax, "“" + item.name + "”既不在 GROUP BY 子句中，也不在聚合函数中", item.expr->offset);
        if (having && !grouped(*having, keys))
            fail(Error::Kind::Syntax, "HAVING 子句引用了不在 GROUP BY 子句中的列", s.having->offset);
    }

    for (const OrderItem& o : s.orderBy) {
        OrderTerm term;
        term.descending = o.descending;
        // An ordinal or a result name picks a result column.
        if (o.expr->kind == ExprKind::Number && o.expr->text.find_first_not_of("0123456789") == std::string::npos) {
            term.ordinal = o.expr->text.size() > 6 ? 0 : std::stoul(o.expr->text);
            if (term.ordinal < 1 || term.ordinal > items.size())
                fail(Error::Kind::Syntax, "ORDER BY 的列号超出范围", o.expr->offset);
        } else {
            if (o.expr->kind == ExprKind::Column && o.expr->qualifier.empty())
                for (size_t i = 0; i < items.size() && !term.ordinal; ++i)
                    if (items[i].explicitName && sameName(items[i].name, o.expr->text))
                        term.ordinal = i + 1;
            if (!term.ordinal) {
                BoundPtr t = expr(*o.expr, scope);
                if (aggregateQuery && !grouped(*t, keys))
                    fail(Error::Kind::Syntax, "ORDER BY 子句引用了不在 GROUP BY 子句中的列", o.expr->offset);
                term.expr = coerce(std::move(t), plain(Type::Null));
            }
        }
        out->orderBy.push_back(std::move(term));
    }
    for (BoundPtr& k : keys)
        out->groupBy.push_back(coerce(std::move(k), plain(Type::Null)));
    if (having)
        out->having = condition(std::move(having));

    for (size_t i = 0; i < items.size(); ++i) {
        BoundPtr& t = items[i].expr;
        Field f;
        f.name = items[i].name;
        f.type = targets ? (*targets)[i] : t->type;
        if (!targets && t->predicate)
            f.type = plain(Type::Boolean);
        if (!targets && t->node == Node::Parameter)
            f.type = plain(Type::Text);
        if (ownColumn(*t) && t->source->baseTable && !aggregateQuery && !s.distinct && !targets) {
            f.baseTable = t->source->object->name;
            f.baseColumn = t->text;
            f.readOnly = t->type.autoNumber;
        } else {
            f.type.autoNumber = false;
        }
        out->fields.push_back(std::move(f));
        out->items.push_back(coerce(std::move(t), targets ? (*targets)[i] : plain(Type::Null)));
    }
    // Rows of one table come in the order they were added, whatever
    // index SQLite picks, as the program's lists expect.
    if (out->orderBy.empty() && selectDepth_ == 1 && !aggregateQuery && !s.distinct && scope.sources.size() == 1 &&
        scope.sources[0]->baseTable)
        out->rowidOrder = scope.sources[0];
    return out;
}

// A sub-select whose column meets a value of another type delivers it in that type.
void Binder::retarget(BoundSelect& s, const std::vector<ColumnType>& targets)
{
    for (size_t i = 0; i < targets.size(); ++i) {
        s.items[i] = coerce(std::move(s.items[i]), targets[i]);
        Field& f = s.fields[i];
        f.type = targets[i];
        f.baseTable.clear();
        f.baseColumn.clear();
        f.readOnly = true;
    }
}

// ---- changes ----------------------------------------------------------------------
const CatalogObject& Binder::table(const std::string& name, size_t offset) const
{
    const CatalogObject* object = catalog_.find(name);
    if (!object)
        fail(Error::Kind::Name, "找不到表“" + name + "”", offset);
    if (object->savedQuery)
        fail(Error::Kind::Syntax, "不能修改保存的查询“" + object->name + "”的数据", offset);
    return *object;
}

void Binder::insert(const Insert& ins, BoundStatement& out)
{
    const CatalogObject& t = table(ins.table, ins.tableOffset);
    out.table = &t;
    if (ins.columns.empty()) {
        for (const CatalogColumn& c : t.columns)
            out.columns.push_back(&c);
    } else {
        for (const auto& [name, offset] : ins.columns) {
            const CatalogColumn* c = t.column(name);
            if (!c)
                fail(Error::Kind::Name, "表“" + t.name + "”中没有列“" + name + "”", offset);
            if (std::find(out.columns.begin(), out.columns.end(), c) != out.columns.end())
                fail(Error::Kind::Syntax, "列“" + name + "”出现了两次", offset);
            out.columns.push_back(c);
        }
    }
    if (ins.select) {
        std::vector<ColumnType> targets;
        for (const CatalogColumn* c : out.columns)
            targets.push_back(c->type);
        out.select = select(*ins.select, nullptr, &targets);
        return;
    }
    if (ins.values.size() != out.columns.size())
        fail(Error::Kind::Syntax, "值的个数与列的个数不一致", ins.tableOffset);
    const Scope empty;
    for (size_t i = 0; i < out.columns.size(); ++i)
        out.values.push_back(assigned(expr(*ins.values[i], empty), *out.columns[i]));
}

void Binder::update(const Update& up, BoundStatement& out)
{
    Scope scope;
    updateSources(*up.target, scope, out);
    // The table whose columns are set is the one changed.
    for (const Assignment& a : up.assignments) {
        BoundPtr c = column(*a.column, scope);
        if (c->outer || !c->source->baseTable)
            fail(Error::Kind::Syntax, "只能修改表中的列", a.column->offset);
        if (out.target && out.target != c->source)
            fail(Error::Kind::Syntax, "一条 UPDATE 语句只能修改一张表", a.column->offset);
        out.target = c->source;
        const CatalogColumn* target = c->source->object->column(c->text);
        BoundPtr value = noAggregate(expr(*a.value, scope), "SET", a.value->offset);
        out.assignments.push_back({target, assigned(std::move(value), *target)});
    }
    out.table = out.target->object;
    if (up.where)
        out.conditions.push_back(condition(noAggregate(expr(*up.where, scope), "WHERE", up.where->offset)));
}

// Joined tables of an UPDATE become the FROM list and their ON conditions
// part of the WHERE clause; only inner joins can do that.
void Binder::updateSources(const TableRef& ref, Scope& scope, BoundStatement& out)
{
    if (ref.kind != TableRef::Kind::Join) {
        from(ref, scope, out.sources);
        return;
    }
    if (ref.join != JoinKind::Inner && ref.join != JoinKind::Cross)
        fail(Error::Kind::Syntax, "UPDATE 只支持 INNER JOIN", ref.offset);
    updateSources(*ref.left, scope, out);
    updateSources(*ref.right, scope, out);
    if (ref.on)
        out.conditions.push_back(condition(expr(*ref.on, scope)));
}

void Binder::del(const Delete& d, BoundStatement& out)
{
    const CatalogObject& t = table(d.table, d.tableOffset);
    out.table = &t;
    Scope scope;
    auto s = std::make_unique<Source>();
    s->alias = t.name;
    s->columns = t.columns;
    s->object = &t;
    s->baseTable = true;
    addSource(scope, std::move(s), out.sources, d.tableOffset);
    if (d.where)
        out.conditions.push_back(condition(noAggregate(expr(*d.where, scope), "WHERE", d.where->offset)));
}

BoundStatement Binder::statement(const Statement& st)
{
    BoundStatement out;
    out.mode = mode_;
    switch (st.kind) {
    case Statement::Kind::Select:
        out.kind = Translation::Kind::Select;
        out.select = select(*st.select, nullptr, nullptr);
        break;
    case Statement::Kind::Insert:
        out.kind = Translation::Kind::Insert;
        insert(*st.insert, out);
        break;
    case Statement::Kind::Update:
        out.kind = Translation::Kind::Update;
        update(*st.update, out);
        break;
    case Statement::Kind::Delete:
        out.kind = Translation::Kind::Delete;
        del(*st.del, out);
        break;
    }
    if (mode_ == Mode::SavedQuery && out.kind != Translation::Kind::Select)
        throw Error(Error::Kind::Syntax, "保存的查询只能是 SELECT 语句");
    for (ParamSlot& p : params_)
        if (p.type.type == Type::Null)
            p.type = plain(Type::Text);
    out.params = std::move(params_);
    return out;
}

} // namespace ledger::jet
