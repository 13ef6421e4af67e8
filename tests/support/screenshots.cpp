#include "screenshots.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace testsupport {

QString saveScreenshot(QWidget* widget, const QString& name)
{
    const QString dir = QStringLiteral(JZB_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    widget->grab().save(path);
    return path;
}

} // namespace testsupport
