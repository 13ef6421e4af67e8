#include "fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace widgets {

namespace {

QStringList available(const QStringList& wanted)
{
    QStringList out;
    const QStringList families = QFontDatabase::families();
    for (const QString& w : wanted)
        if (families.contains(w, Qt::CaseInsensitive))
            out << w;
    return out;
}

} // namespace

void installChineseFonts()
{
    const QStringList sans = available({"Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Micro Hei", "Droid Sans Fallback"});
    const QStringList serif = available({"Noto Serif CJK SC", "Source Han Serif SC", "AR PL UMing CN"}) + sans;
    const QStringList latin = available({"DejaVu Sans", "Liberation Sans"}) + sans;
    for (const char* family : {"黑体", "SimHei", "微软雅黑", "Microsoft YaHei", "MS Sans Serif", "Tahoma"})
        QFont::insertSubstitutions(QString::fromUtf8(family), sans);
    for (const char* family : {"宋体", "SimSun", "新宋体", "NSimSun"})
        QFont::insertSubstitutions(QString::fromUtf8(family), serif);
    QFont::insertSubstitutions(QStringLiteral("Arial"), latin);
    if (!sans.isEmpty()) {
        QFont font(sans.first());
        font.setPointSize(9);
        QApplication::setFont(font);
    }
}

} // namespace widgets
