#pragma once

// Resolves a parsed statement against the catalog: every name to its
// table, saved query, sub-select or column (enclosing SELECTs included),
// every expression to its type, every literal and parameter to the type of
// what it meets. Throws ledger::Error with the position of the fault.

#include "bound.h"

#include "../error.h"

#include <string>
#include <vector>

namespace ledger::jet {

class Binder {
public:
    Binder(const std::string& text, const Catalog& catalog, Mode mode) : text_(text), catalog_(catalog), mode_(mode) {}

    BoundStatement statement(const Statement& st);

private:
    struct Scope {
        std::vector<const Source*> sources;
        const Scope* parent = nullptr;
    };

    [[noreturn]] void fail(Error::Kind kind, const std::string& message, size_t offset) const;
    std::string where(size_t offset) const;

    // ---- expressions (binder.cpp) ----
    BoundPtr expr(const Expr& e, const Scope& scope);
    BoundPtr literal(const Value& v, size_t offset, std::string numberText = {});
    BoundPtr number(const std::string& text, size_t offset);
    BoundPtr parameter(const Expr& e);
    BoundPtr column(const Expr& e, const Scope& scope);
    BoundPtr columnOf(const Source& source, const CatalogColumn& c, bool outer, size_t offset);
    BoundPtr unary(const Expr& e, const Scope& scope);
    BoundPtr binary(const Expr& e, const Scope& scope);
    BoundPtr comparison(const std::string& op, BoundPtr a, BoundPtr b, size_t offset);
    BoundPtr between(const Expr& e, const Scope& scope);
    BoundPtr like(const Expr& e, const Scope& scope);
    BoundPtr likePattern(BoundPtr pattern, bool& escape);
    BoundPtr inList(const Expr& e, const Scope& scope);
    BoundPtr inSelect(const Expr& e, const Scope& scope);
    BoundPtr call(const Expr& e, const Scope& scope);

    // The expression as a value of the target type (Null: as it is, a
    // truth value as a number); literals convert now, parameters take the
    // type for their binding.
    BoundPtr coerce(BoundPtr b, const ColumnType& target);
    // The expression as a truth to test (WHERE, AND, …): SQLite's 1, 0 or
    // Null, or any value that is true unless zero.
    BoundPtr condition(BoundPtr b);
    BoundPtr convert(BoundPtr b, Type to);
    BoundPtr truth(BoundPtr predicate);
    BoundPtr assigned(BoundPtr value, const CatalogColumn& column);

    // ---- SELECT and changes (bind_select.cpp) ----
    std::unique_ptr<BoundSelect> select(const Select& s, const Scope* parent, const std::vector<ColumnType>* targets);
    std::unique_ptr<FromItem> from(const TableRef& ref, Scope& scope, std::vector<std::unique_ptr<Source>>& owner);
    const Source* addSource(Scope& scope, std::unique_ptr<Source> source, std::vector<std::unique_ptr<Source>>& owner,
                            size_t offset) const;
    void retarget(BoundSelect& s, const std::vector<ColumnType>& targets);
    const CatalogObject& table(const std::string& name, size_t offset) const;
    void insert(const Insert& ins, BoundStatement& out);
    void update(const Update& up, BoundStatement& out);
    void updateSources(const TableRef& ref, Scope& scope, BoundStatement& out);
    void del(const Delete& d, BoundStatement& out);
    BoundPtr noAggregate(BoundPtr b, const char* clause, size_t offset) const;

    const std::string& text_;
    const Catalog& catalog_;
    Mode mode_;
    std::vector<ParamSlot> params_;
    bool insideAggregate_ = false;
    int selectDepth_ = 0;
};

} // namespace ledger::jet
