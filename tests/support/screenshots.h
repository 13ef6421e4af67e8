#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace testsupport {

// Saves what the widget shows as build/screenshots/<name>.png and returns
// the path, so a person can look at it.
// Windows floating over it (a dropped-down list) are drawn where they stand.
QString saveScreenshot(QWidget* widget, const QString& name, const std::vector<QWidget*>& floating = {});

} // namespace testsupport
