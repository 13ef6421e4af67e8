#pragma once

// The dialect's typing rules: which type two operands meet in, and what an
// operator makes of its operands. They read bound operands and say nothing
// about how the result is written.

#include "bound.h"

#include <optional>
#include <string>

namespace ledger::jet {

inline ColumnType plain(Type t)
{
    return ColumnType{t, 0, false};
}

bool isNumeric(Type t);

// Literals and parameters take the type of what they meet.
bool adaptable(const Bound& b);

// The type two operands are compared in; none when they cannot be compared.
std::optional<Type> comparedAs(const Bound& a, const Bound& b);

// An arithmetic operator (+ - * / \ mod) on two operands: the node it
// becomes, its type and the types its operands are taken as (Null: as they
// are). An empty error means the operands fit.
struct ArithmeticRule {
    Node node = Node::Arith;
    ColumnType type;
    ColumnType left, right;
    std::string error;
};
ArithmeticRule arithmetic(const std::string& op, const Bound& a, const Bound& b);

// Unary minus: the type of the result, none when the operand is no number.
std::optional<Type> negated(const Bound& a);

} // namespace ledger::jet
