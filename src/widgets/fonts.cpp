#include "fonts.h"

#include "font_substitutions.h"

#include <QApplication>
#include <QFont>

namespace widgets {

void installChineseFonts()
{
    // The calendar's families (黑体, 宋体, Arial, Arial Black) first, then the
    // other names a Chinese desktop program may ask for.
    calendar::installFontSubstitutions();
    for (const char* family : {"微软雅黑", "Microsoft YaHei", "MS Sans Serif", "Tahoma"})
        QFont::insertSubstitutions(QString::fromUtf8(family), QFont::substitutes(QStringLiteral("黑体")));
    for (const char* family : {"新宋体", "NSimSun"})
        QFont::insertSubstitutions(QString::fromUtf8(family), QFont::substitutes(QStringLiteral("宋体")));
    QFont font(QStringLiteral("黑体"));
    font.setPointSize(9);
    QApplication::setFont(font);
}

} // namespace widgets
