#pragma once

#include <QLabel>

namespace widgets {

// A label (text or picture) that reacts to a mouse click, with the hand
// cursor of a link.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);
    ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace widgets
