#pragma once

// Test windows that show the skins and the artwork the way the program
// uses them; the gallery test saves their screenshots for people to look at.

#include <QImage>
#include <QString>

class QWidget;

namespace gallery {

// One of every kind of control the pages use, with Chinese texts, plus a
// panel tagged not-to-skin and two labels marked the way navigation does.
QWidget* controlsWindow();

// The parts that open as their own windows: a combo box's list, the date
// field's calendar, a menu, a message box and a tooltip, side by side.
QImage popupsPicture(QWidget* owner);

// The sign-in window: background picture, boxes, check box, button faces.
QWidget* signInWindow();

// The main window's frame with its pictures, navigation labels, status band
// and the About box.
QWidget* mainFrame();

// Saves under the build folder's gallery/; false if it cannot.
bool save(const QImage& image, const QString& fileName);

} // namespace gallery
