#pragma once

// The dialect's functions, one row each: name, how many arguments, the
// rule that types the call, and how the call is written for SQLite.

#include "bound.h"

#include <string>
#include <vector>

namespace ledger::jet {

// The types a call's arguments are taken as and the type of its result.
struct Signature {
    std::vector<ColumnType> args;
    ColumnType result;
    size_t tested = 0; // the first arguments are truths to test, not values
};

// A call written out: the arguments' SQL in order and the bound call.
struct CallSql {
    const Bound& call;
    std::vector<std::string> args;
    Mode mode;
};

struct FunctionDef {
    const char* name;
    size_t minArgs, maxArgs;
    bool aggregate;
    // Reads the bound arguments and fills the signature; throws Error(Type)
    // or Error(Syntax) without a position when the arguments do not fit.
    void (*type)(Bound& call, Signature& signature);
    std::string (*emit)(const CallSql& c);
};

// Null for a name the dialect does not know. Names are lower case.
const FunctionDef* findFunction(const std::string& name);

// Whether a call can be written in the mode; a saved query may use only
// SQLite's own functions, so it cannot bind a value once through ours.
bool callWritable(const Bound& call, Mode mode);

} // namespace ledger::jet
