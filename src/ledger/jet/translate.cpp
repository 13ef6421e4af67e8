// The dialect engine's entry points: parse, bind, emit.

#include "binder.h"
#include "emitter.h"
#include "translation.h"

#include "../error.h"

namespace ledger::jet {

Translation translate(const std::string& statement, const Catalog& catalog, Mode mode)
{
    const Statement parsed = parse(statement);
    BoundStatement bound = Binder(statement, catalog, mode).statement(parsed);
    Translation out;
    out.kind = bound.kind;
    out.sql = emit(bound);
    if (bound.select && bound.kind == Translation::Kind::Select)
        out.fields = std::move(bound.select->fields);
    if (bound.table)
        out.table = bound.table->name;
    out.params = std::move(bound.params);
    return out;
}

std::vector<Field> resultColumns(const std::string& statement, const Catalog& catalog)
{
    const Statement parsed = parse(statement);
    if (parsed.kind != Statement::Kind::Select)
        throw Error(Error::Kind::Usage, "只有 SELECT 语句才有结果列");
    return Binder(statement, catalog, Mode::Statement).statement(parsed).select->fields;
}

} // namespace ledger::jet
