// The widget tests need a QApplication; they run headless.

#include <gtest/gtest.h>

#include <QApplication>

#include "font_substitutions.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    calendar::installFontSubstitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
