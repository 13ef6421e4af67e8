// Skin tests need a real QApplication; the offscreen platform lets them
// run without a display.

#include "resources/resources.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    initResources();
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
