#pragma once

#include <QString>

#include <ostream>

// A failing check shows Qt texts (and lists of them) as the text they hold.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
