#include "catalog.h"

namespace ledger::jet {

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

const CatalogColumn* CatalogObject::column(std::string_view columnName) const
{
    for (const CatalogColumn& c : columns)
        if (sameName(c.name, columnName))
            return &c;
    return nullptr;
}

const CatalogObject* Catalog::find(std::string_view name) const
{
    for (const CatalogObject& o : objects_)
        if (sameName(o.name, name))
            return &o;
    return nullptr;
}

const CatalogObject& Catalog::add(CatalogObject object)
{
    objects_.push_back(std::move(object));
    return objects_.back();
}

} // namespace ledger::jet
