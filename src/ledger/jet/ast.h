#pragma once

#include "../datetime.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ledger::jet {

struct Select;
struct Expr;
using ExprPtr = std::unique_ptr<Expr>;
using SelectPtr = std::unique_ptr<Select>;

enum class ExprKind {
    Null,
    Boolean, // True / False
    Number, // text: the literal exactly as written
    String, // text: the value
    Date, // date
    Column, // qualifier (may be empty) and text: the name
    Parameter, // text: the name
    Unary, // op: "-", "+", "not"; args[0]
    Binary, // op: "or", "and", "=", "<>", "<", "<=", ">", ">=", "+", "-", "*", "/", "\\", "mod", "&"; args[0], args[1]
    Between, // args: value, low, high; negated
    Like, // args: value, pattern; negated
    InList, // args[0] value, args[1..] list; negated
    InSelect, // args[0] value; select; negated
    IsNull, // args[0]; negated
    Exists, // select; negated
    Subquery, // select: a scalar sub-query
    Function, // text: the name (lower case); args; star for count(*); distinct
};

struct Expr {
    ExprKind kind = ExprKind::Null;
    size_t offset = 0;
    std::string text;
    std::string qualifier;
    std::string op;
    bool flag = false; // Boolean: the value
    bool negated = false; // not between / not like / not in / is not null / not exists
    bool star = false; // count(*)
    bool distinct = false;
    DateTime date;
    std::vector<ExprPtr> args;
    SelectPtr select;
    int depth = 1; // levels of this tree, sub-selects included
};

struct SelectItem {
    ExprPtr expr; // null for a star
    std::string alias; // empty when none was written
    bool star = false;
    std::string starQualifier;
    size_t offset = 0;
};

enum class JoinKind { Inner, Left, Right, Cross };

struct TableRef {
    enum class Kind { Named, Subquery, Join } kind = Kind::Named;
    size_t offset = 0;
    std::string name; // Named: the table or saved query
    std::string alias; // Named, Subquery: the alias (empty when none)
    SelectPtr select; // Subquery
    JoinKind join = JoinKind::Inner;
    std::unique_ptr<TableRef> left, right;
    ExprPtr on;
};
using TableRefPtr = std::unique_ptr<TableRef>;

struct OrderItem {
    ExprPtr expr;
    bool descending = false;
};

struct Select {
    size_t offset = 0;
    bool distinct = false;
    std::optional<int64_t> top;
    std::vector<SelectItem> items;
    TableRefPtr from;
    ExprPtr where;
    std::vector<ExprPtr> groupBy;
    ExprPtr having;
    std::vector<OrderItem> orderBy;
    int depth = 1; // levels of its deepest expression or sub-select, plus one
};

struct Insert {
    std::string table;
    size_t tableOffset = 0;
    std::vector<std::pair<std::string, size_t>> columns; // name, offset
    std::vector<ExprPtr> values; // VALUES (...)
    SelectPtr select; // or INSERT ... SELECT
};

struct Assignment {
    ExprPtr column; // a Column expression
    ExprPtr value;
};

struct Update {
    TableRefPtr target; // a table, or tables joined
    std::vector<Assignment> assignments;
    ExprPtr where;
};

struct Delete {
    std::string table;
    size_t tableOffset = 0;
    ExprPtr where;
};

struct Statement {
    enum class Kind { Select, Insert, Update, Delete } kind = Kind::Select;
    SelectPtr select;
    std::unique_ptr<Insert> insert;
    std::unique_ptr<Update> update;
    std::unique_ptr<Delete> del;
};

// How many levels an expression tree may have, sub-selects included: deeper
// statements are refused while parsing, before anything else is done.
constexpr int kMaxTreeDepth = 40;

// SQLite takes at most this many result columns, GROUP BY, ORDER BY or SET
// terms; longer lists are refused as they are read.
constexpr size_t kMaxTerms = 2000;

// Parses one statement of the dialect. Throws Error(Syntax) with the
// position and the offending token. A statement may end with ";" and blanks;
// anything after that is an error (one statement per call, always).
Statement parse(const std::string& statement);

} // namespace ledger::jet
