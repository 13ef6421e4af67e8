#include "program.h"

#include "ledger/schema.h"
#include "resources/resources.h"
#include "widgets/fonts.h"

#include <QApplication>

namespace app {

std::unique_ptr<SignInWindow> startProgram(widgets::MessageBoxes& boxes)
{
    // Reading the whole ledger for the integrity check takes as long as the
    // rest of the start-up: both at once.
    auto check = std::make_unique<ledger::EarlyIntegrityCheck>(ledger::kDatabaseFileName);
    QApplication::setApplicationDisplayName(QStringLiteral("Quibo家的记账本"));
    QApplication::setApplicationName(QStringLiteral("jizhangben"));
    initResources();
    widgets::installChineseFonts();
    auto F_Login = std::make_unique<SignInWindow>(boxes, std::move(check));
    F_Login->FormCreate();
    // The message loop makes the sign-in window visible, even if start-up hid it.
    F_Login->show();
    F_Login->activateWindow();
    return F_Login;
}

} // namespace app
