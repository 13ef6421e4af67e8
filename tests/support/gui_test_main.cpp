// main() of every GUI test binary: a headless application with the
// program's fonts, then the tests.
#include "widgets/fonts.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quibo家的记账本"));
    widgets::installChineseFonts();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
