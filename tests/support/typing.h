#pragma once

#include <QString>

class QWidget;

namespace testsupport {

// Types the text as key presses into the widget and then into whatever
// widget has the focus (an editor a key press opened), one character at a
// time; unlike QTest::keyClicks it takes Chinese characters too.
void typeText(QWidget* widget, const QString& text);

} // namespace testsupport
