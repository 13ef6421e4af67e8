#include "catalog.h"

namespace ledger::jet {

namespace {

char lowerLatin(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerLatin(a[i]) != lowerLatin(b[i]))
            return false;
    return true;
}

std::string lower(std::string_view name)
{
    std::string out(name);
    for (char& c : out)
        c = lowerLatin(c);
    return out;
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
