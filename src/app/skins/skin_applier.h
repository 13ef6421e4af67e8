#pragma once

#include <QByteArray>

class QWidget;

namespace skins {

// Controls whose tag is this value keep the plain look, and so does
// everything inside them (the parts of a combo box, the cells of a panel).
inline constexpr int kNoSkinTag = 99;
// The dynamic property that holds a widget's tag.
inline constexpr char kTagProperty[] = "tag";

// Sets a widget's tag; takes effect at once, also while a skin is on.
void setSkinTag(QWidget* widget, int tag);
int skinTag(const QWidget* widget);

// Applies a skin that GetSkin has loaded to every window of the program,
// present and future; replaces any skin applied before. Skins set no fonts
// and no label colours or backgrounds, so palette marks stay visible; a
// label with the dynamic property skinRole = "link" is drawn as a link.
void applySkin(const QByteArray& styleSheet);

// Back to the plain look everywhere.
void removeSkin();

} // namespace skins
