#pragma once

#include "ledger/connection.h"
#include "ledger/query.h"
#include "widgets/message_boxes.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace mainwindow {
class MainWindow;
}
namespace widgets {
class ClickLabel;
}

namespace app {

// The sign-in window: it owns the program's one connection, offers the
// users, applies the remembered sign-in and the skin, checks the password
// and hands over to the main window. It stays, hidden, for the whole run.
class SignInWindow : public QWidget {
    Q_OBJECT

public:
    // Every box the program shows goes through these. An early integrity
    // check of the program's ledger, started before the window, stands in
    // for the check at open.
    explicit SignInWindow(widgets::MessageBoxes& boxes = widgets::realMessageBoxes(),
                          std::unique_ptr<ledger::EarlyIntegrityCheck> earlyCheck = nullptr);
    ~SignInWindow() override;

    // The start-up steps; errors are shown as the standard error box and end them.
    void FormCreate();
    void SignIn();

    ledger::Connection& connection() { return ADOConnection1; }
    mainwindow::MainWindow* mainWindow() const { return Form3_.get(); }
    const QString& currentSkinName() const { return CurrentSkinName; }

protected:
    // The sign-in window is the program's main window: closing it ends the program.
    void closeEvent(QCloseEvent* event) override;

private:
    void startUp();
    void LoadSkin();
    void issue(const std::string& statement);
    void pointToNewestBackup();
    void awaitVerdict();
    bool takeVerdict();
    void fillUserList();
    void backToSignIn();

    widgets::MessageBoxes& boxes_;
    std::unique_ptr<ledger::EarlyIntegrityCheck> earlyCheck_;
    bool damageTold_ = false; // a damaged ledger found after the open was told
    ledger::Connection ADOConnection1;
    ledger::Query ADOQuery1;
    QString CurrentSkinName;
    QComboBox* ComboBox1;
    QLineEdit* Edit2;
    QCheckBox* CheckBox1;
    widgets::ClickLabel* Image2;
    widgets::ClickLabel* Image3;
    std::unique_ptr<mainwindow::MainWindow> Form3_;
};

// The connection string of the program: its database file in the working folder.
std::string programConnectionString();

} // namespace app
