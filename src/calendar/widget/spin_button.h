#pragma once

#include <QWidget>

class QToolButton;

namespace calendar {

// An up-down pair of arrow buttons with a position in a range and no text
// of its own; each click moves the position by one within the range and
// reports the click.
class SpinButton : public QWidget {
    Q_OBJECT

public:
    SpinButton(int minimum, int maximum, QWidget* parent = nullptr);

    int position() const { return position_; }
    void setPosition(int position);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void clicked();

private:
    void step(int delta);

    int minimum_;
    int maximum_;
    int position_;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace calendar
