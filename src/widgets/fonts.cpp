#include "fonts.h"

#include "font_substitutions.h"

#include <QApplication>
#include <QFont>

namespace widgets {

void installChineseFonts()
{
    // 黑体, 宋体, Arial and Arial Black stand for installed fonts of their kind.
    calendar::installFontSubstitutions();
    QFont font(QStringLiteral("黑体"));
    font.setPointSize(9);
    QApplication::setFont(font);
}

} // namespace widgets
