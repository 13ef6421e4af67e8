#include "screenshots.h"

#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace testsupport {

QString saveScreenshot(QWidget* widget, const QString& name, const std::vector<QWidget*>& floating)
{
    const QString dir = QStringLiteral(JZB_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    QPixmap shot = widget->grab();
    QPainter painter(&shot);
    for (QWidget* window : floating)
        if (window && window->isVisible())
            painter.drawPixmap(widget->mapFromGlobal(window->mapToGlobal(QPoint())), window->grab());
    painter.end();
    shot.save(path);
    return path;
}

} // namespace testsupport
