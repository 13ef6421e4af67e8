#pragma once

#include <QString>

class QWidget;

namespace testsupport {

// Saves what the widget shows as build/screenshots/<name>.png and returns
// the path, so a person can look at it.
QString saveScreenshot(QWidget* widget, const QString& name);

} // namespace testsupport
