#include "program.h"

#include "resources/resources.h"
#include "widgets/fonts.h"

#include <QApplication>

namespace app {

std::unique_ptr<SignInWindow> startProgram(widgets::MessageBoxes& boxes)
{
    QApplication::setApplicationDisplayName(QStringLiteral("Quibo家的记账本"));
    QApplication::setApplicationName(QStringLiteral("jizhangben"));
    initResources();
    widgets::installChineseFonts();
    auto F_Login = std::make_unique<SignInWindow>(boxes);
    F_Login->FormCreate();
    // The message loop makes the sign-in window visible, even if start-up hid it.
    F_Login->show();
    F_Login->activateWindow();
    return F_Login;
}

} // namespace app
