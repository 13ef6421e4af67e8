#pragma once

#include "../page.h"

class QGroupBox;
class QPushButton;
class QTreeWidget;

namespace mainwindow {

class Backups;
class GridEditor;

// "系统用户管理": the users of the account book, edited in a grid and
// saved in one go. The default user (id 1) cannot be deleted.
// Below it "数据备份": the ledger's backups, a backup now, putting one
// back, their folder, and every record exported to a spreadsheet file.
class UsersPage : public Page {
    Q_OBJECT

public:
    UsersPage(PageContext& context, QWidget* parent = nullptr);

    // The list is read afresh: pending edits are dropped.
    void enter() override;

private:
    void buildBackupGroup();
    void showBackups();
    void backUpNow();
    void restoreSelected();
    void openBackupFolder();
    void exportAllRecords();
    Backups& backups() const;

    ledger::Query ADOQuery23;
    GridEditor* users_;
    QGroupBox* backupGroup_ = nullptr;
    QTreeWidget* backupList_ = nullptr;
};

} // namespace mainwindow
