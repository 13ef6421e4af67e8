#include "click_label.h"

#include <QMouseEvent>

namespace widgets {

ClickLabel::ClickLabel(QWidget* parent) : ClickLabel(QString(), parent) {}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept(); // the click is the label's, not the background's behind it
        emit clicked();
    }
}

} // namespace widgets
