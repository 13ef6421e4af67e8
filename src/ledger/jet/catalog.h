#pragma once

#include "../value.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace ledger::jet {

struct CatalogColumn {
    std::string name;
    ColumnType type;
};

// A table or a saved query, with its columns and their types. A saved
// query keeps its statement text; its column types come from translating it.
struct CatalogObject {
    std::string name;
    bool savedQuery = false;
    std::vector<CatalogColumn> columns;
    std::string definition;

    const CatalogColumn* column(std::string_view columnName) const;
};

// Names are found regardless of Latin letter case, as the dialect wants.
class Catalog {
public:
    const CatalogObject* find(std::string_view name) const;
    const CatalogObject& add(CatalogObject object);
    const std::deque<CatalogObject>& objects() const { return objects_; }
    void clear() { objects_.clear(); }

private:
    std::deque<CatalogObject> objects_; // stable addresses
};

bool sameName(std::string_view a, std::string_view b);

// The name with its Latin capitals made small, as sameName compares them.
std::string lower(std::string_view name);

} // namespace ledger::jet
