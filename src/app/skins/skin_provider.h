#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace skins {

// The skin a fresh ledger names, and the one an empty name stands for.
inline const QString kDefaultSkinName = QStringLiteral("晴空");

// Fills `stream` with the Qt style sheet (UTF-8) of the named skin and
// returns true; an empty name gives the default skin. For a name it does
// not hold it returns false and leaves the stream empty.
bool GetSkin(const QString& name, QByteArray& stream);

// The names of the skins built into the program, the default one first.
QStringList skinNames();

} // namespace skins
