#pragma once

#include <QString>

namespace skins {

// Narrows every rule of a style sheet to the widgets that carry the given
// attribute selector (for example `[jzbSkinned="true"]`): the attribute is
// added to the last compound selector of each selector, the one that names
// the widget being styled. Declarations and comments are kept as they are.
//
// Qt style sheets have no :not(), so this is how a skin leaves some widgets
// alone: they simply do not carry the attribute.
QString restrictToAttribute(const QString& styleSheet, const QString& attribute);

} // namespace skins
