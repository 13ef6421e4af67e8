#include "typing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace testsupport {

void typeText(QWidget* widget, const QString& text)
{
    QWidget* target = widget;
    for (const QChar c : text) {
        int key = Qt::Key_unknown;
        if (c.unicode() < 128)
            key = c.isLetter() ? c.toUpper().unicode() : c.unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
        QApplication::processEvents();
        // A key press may have opened an editor that takes the rest.
        if (QWidget* focus = QApplication::focusWidget())
            target = focus;
    }
}

} // namespace testsupport
