#pragma once

#include <QPushButton>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

class QGroupBox;
class QLabel;
class QKeyEvent;

// Helpers that let a page read like the form it shows: its controls made
// by design name at their places, its buttons from a table, small key and
// mouse handlers on single controls.
namespace widgets {

// A control of the form with its design name, at its place (none: the
// layout or the caller places it).
template <class W>
W* make(QWidget* parent, const char* name, const QRect& place = {})
{
    auto* w = new W(parent);
    w->setObjectName(QString::fromUtf8(name));
    if (!place.isNull())
        w->setGeometry(place);
    return w;
}

// The same with its caption (a label's, button's or box's text, a group
// box's title).
template <class W>
W* make(QWidget* parent, const char* name, const char* caption, const QRect& place = {})
{
    W* w = make<W>(parent, name, place);
    if constexpr (requires { w->setTitle(QString()); })
        w->setTitle(QString::fromUtf8(caption));
    else
        w->setText(QString::fromUtf8(caption));
    return w;
}

// A label whose caption names the control beside it, for the keyboard
// (its mnemonic) and for accessibility tools.
QLabel* buddyLabel(QWidget* parent, const char* caption, const QRect& place, QWidget* buddy);

// A group box that floats over other controls (a drop-down list, a
// keypad): opaque and framed, its title inside the frame.
void makeFloating(QGroupBox* box);

// Each control follows the one before it when Tab is pressed.
void tabOrder(std::initializer_list<QWidget*> controls);

// One row of a form's button table.
struct ButtonRow {
    const char* name;
    const char* caption;
    QRect place; // empty: laid out by bar()
    std::function<void()> handler;
    const char* tip = nullptr;
};

// Makes the buttons of the table, each connected to its handler through
// guarded, so that an error shows the standard error box.
std::vector<QPushButton*> addButtons(QWidget* parent, const std::vector<ButtonRow>& rows);

// A bar of buttons, left to right, at the place: 75 pixels wide each.
QWidget* buttonBar(QWidget* parent, const char* name, const QRect& place, const std::vector<ButtonRow>& rows);

// A key handler of one control: true when it took the key (the control
// then does not see it). Runs guarded.
using KeyHandler = std::function<bool(QKeyEvent*)>;
void onKeyPress(QWidget* control, KeyHandler handler);
// The handler runs for a mouse button released over the control; the
// control still sees the click.
void onMouseRelease(QWidget* control, std::function<void()> handler);
// The handler runs after the control changed its size.
void onResize(QWidget* control, std::function<void()> handler);
// The handler runs when the control takes the keyboard focus, by mouse or key.
void onFocusIn(QWidget* control, std::function<void()> handler);

// Whether the key is Enter on either keyboard.
bool isEnter(const QKeyEvent* event);

} // namespace widgets
