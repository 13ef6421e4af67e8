#include "font_substitutions.h"

#include <QFont>
#include <QStringList>

namespace calendar {

void installFontSubstitutions()
{
    const QStringList cjkSans{"Noto Sans CJK SC", "Droid Sans Fallback"};
    const QStringList cjkSerif{"Noto Serif CJK SC", "Noto Sans CJK SC"};
    const QStringList latinSans{"DejaVu Sans", "Nimbus Sans"};
    QFont::insertSubstitutions("黑体", cjkSans);
    QFont::insertSubstitutions("SimHei", cjkSans);
    QFont::insertSubstitutions("宋体", cjkSerif);
    QFont::insertSubstitutions("SimSun", cjkSerif);
    QFont::insertSubstitutions("Arial", latinSans);
    // Arial Black is a black weight; the calendar asks for it with that
    // weight, which picks the boldest face of the substitute.
    QFont::insertSubstitutions("Arial Black", latinSans);
}

} // namespace calendar
