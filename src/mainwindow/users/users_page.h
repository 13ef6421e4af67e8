#pragma once

#include "../shared_state.h"

#include <QWidget>

class QGroupBox;
class QPushButton;

namespace widgets {
class DataGrid;
}

namespace mainwindow {

// "系统用户管理": the users of the account book, edited in a grid and
// saved in one go.
class UsersPage : public QWidget {
    Q_OBJECT

public:
    UsersPage(SharedState& state, QWidget* parent);

    // Entering the page: the list is read afresh (pending edits are dropped).
    void reload();

    void Button46Click(); // 增加
    void Button47Click(); // 删除
    void Button48Click(); // 保存

    ledger::Query& query() { return ADOQuery23; }
    widgets::DataGrid* grid() const { return DBGridEh16; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    SharedState& state_;
    ledger::Query ADOQuery23;
    QGroupBox* GroupBox23;
    widgets::DataGrid* DBGridEh16;
    QWidget* buttonBar_;
};

} // namespace mainwindow
