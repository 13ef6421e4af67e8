#pragma once

// The bound tree: a statement after its names are resolved against the
// catalog and every expression has its type. It says what to compute, not
// how SQLite spells it; the emitter decides that.

#include "ast.h"
#include "catalog.h"
#include "translation.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ledger::jet {

struct FunctionDef;
struct BoundSelect;

// A table, saved query or sub-select of a FROM clause, under its alias.
struct Source {
    std::string alias;
    std::vector<CatalogColumn> columns;
    const CatalogObject* object = nullptr; // table or saved query
    bool baseTable = false;
    std::unique_ptr<BoundSelect> select; // a sub-select
};

enum class Node {
    Null,
    Literal, // value, in the type it is used as
    Parameter, // slot
    Column, // source, name
    Convert, // args[0] as `type`; `from` is what it was
    Truth, // a predicate's outcome as a Boolean value: -1, 0 or Null
    Not, // args[0] a condition
    And,
    Or,
    Compare, // op: = <> < <= > >=; nocase when compared as texts
    Between, // value, low, high; nocase; negated
    Like, // value, pattern; escape when the pattern uses it; negated
    InList, // value, items…; nocase; negated
    InSelect, // value; select; nocase; negated
    IsNull, // negated
    Exists, // select; negated
    Subquery, // select of one column
    Negate, // -args[0]
    Arith, // op: + - * on numbers of `type`
    MoneyProduct, // money × money, scaled back once
    Divide, // args as Double
    IntDivide, // args as Long
    Modulo, // args as Long
    Join, // text + text: Null when either side is
    Concat, // text & text: Null only when both sides are
    DateShift, // date op days; op: + or -
    DateDiff, // date - date, in days
    Call, // fn, args; distinct; star for count(*); text: a format pattern
};

struct Bound;
using BoundPtr = std::unique_ptr<Bound>;

struct Bound {
    Node node = Node::Null;
    ColumnType type;
    Type from = Type::Null; // Convert: the type of args[0]
    bool predicate = false; // a truth value: comparison, AND, LIKE, …
    bool aggregate = false; // contains an aggregate of its own SELECT
    std::string op; // Compare, Arith, DateShift
    Value value; // Literal
    std::string numberText; // a number literal as written, for exact money
    std::string text; // Parameter, Column: the name; Call: a format pattern
    int slot = -1; // Parameter
    const Source* source = nullptr;
    bool outer = false; // Column: of an enclosing SELECT
    bool negated = false;
    bool nocase = false;
    bool escape = false;
    bool distinct = false;
    bool star = false;
    const FunctionDef* fn = nullptr;
    std::vector<BoundPtr> args;
    std::unique_ptr<BoundSelect> select;
    size_t offset = 0;
};

BoundPtr makeNode(Node node, ColumnType type, size_t offset);
BoundPtr makePredicate(Node node, size_t offset); // a Boolean truth
// Appends an argument; an aggregate inside makes the parent one too.
void adopt(Bound& parent, BoundPtr child);

// Literals, parameters and column references cost nothing to write twice;
// anything else a conversion needs twice must be bound once.
bool atomic(const Bound& b);

// The same computation: what GROUP BY and HAVING compare.
bool sameTree(const Bound& a, const Bound& b);

struct FromItem {
    const Source* source = nullptr; // a leaf; else a join of left and right
    JoinKind join = JoinKind::Inner;
    std::unique_ptr<FromItem> left, right;
    BoundPtr on;
};

struct OrderTerm {
    BoundPtr expr; // or
    size_t ordinal = 0; // a result column, from 1
    bool descending = false;
};

struct BoundSelect {
    bool distinct = false;
    std::optional<int64_t> top;
    std::vector<std::unique_ptr<Source>> sources;
    std::unique_ptr<FromItem> from;
    std::vector<BoundPtr> items;
    std::vector<Field> fields; // one per item
    BoundPtr where;
    std::vector<BoundPtr> groupBy;
    BoundPtr having;
    std::vector<OrderTerm> orderBy;
    const Source* rowidOrder = nullptr; // rows in the order they were added
};

struct BoundAssignment {
    const CatalogColumn* column = nullptr;
    BoundPtr value;
};

struct BoundStatement {
    Translation::Kind kind = Translation::Kind::Select;
    Mode mode = Mode::Statement;
    std::unique_ptr<BoundSelect> select; // Select; Insert … SELECT
    const CatalogObject* table = nullptr; // Insert, Update, Delete
    std::vector<const CatalogColumn*> columns; // Insert
    std::vector<BoundPtr> values; // Insert … VALUES
    const Source* target = nullptr; // Update: the table whose columns are set
    std::vector<std::unique_ptr<Source>> sources; // Update, Delete
    std::vector<BoundAssignment> assignments; // Update
    std::vector<BoundPtr> conditions; // Update, Delete: joined by AND
    std::vector<ParamSlot> params;
};

} // namespace ledger::jet
