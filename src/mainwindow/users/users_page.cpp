#include "users_page.h"

#include "users_statements.h"

#include "widgets/data_grid.h"
#include "widgets/guarded.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace mainwindow {

namespace {
constexpr int kFrameHeight = 344;
constexpr int kButtonBarHeight = 34;
} // namespace

UsersPage::UsersPage(SharedState& state, QWidget* parent)
    : QWidget(parent), state_(state), ADOQuery23(state.connection, "ADOQuery23"), GroupBox23(new QGroupBox(this)),
      DBGridEh16(new widgets::DataGrid), buttonBar_(new QWidget)
{
    setObjectName(QStringLiteral("Panel16"));
    GroupBox23->setObjectName(QStringLiteral("GroupBox23"));
    GroupBox23->setTitle(QStringLiteral("系统用户管理"));
    DBGridEh16->setObjectName(QStringLiteral("DBGridEh16"));

    ADOQuery23.setText(users::usersList());
    ADOQuery23.setBatchMode(true);
    DBGridEh16->setQuery(ADOQuery23);
    DBGridEh16->setRowHeight(25);
    DBGridEh16->column("id").hidden = true;
    DBGridEh16->column("用户名").width = 200;
    DBGridEh16->column("密码").width = 200;

    auto* layout = new QVBoxLayout(GroupBox23);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->setSpacing(0);
    layout->addWidget(DBGridEh16);
    layout->addWidget(buttonBar_);
    buttonBar_->setFixedHeight(kButtonBarHeight);
    auto* bar = new QHBoxLayout(buttonBar_);
    bar->setContentsMargins(0, 4, 0, 4);
    const std::pair<const char*, const char*> buttons[] = {{"Button46", "增加"}, {"Button47", "删除"}, {"Button48", "保存"}};
    for (const auto& [name, caption] : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(caption), buttonBar_);
        button->setObjectName(QString::fromUtf8(name));
        button->setFixedWidth(75);
        bar->addWidget(button);
    }
    bar->addStretch();
    connect(findChild<QPushButton*>("Button46"), &QPushButton::clicked, this, widgets::guarded(this, [this] { Button46Click(); }));
    connect(findChild<QPushButton*>("Button47"), &QPushButton::clicked, this, widgets::guarded(this, [this] { Button47Click(); }));
    connect(findChild<QPushButton*>("Button48"), &QPushButton::clicked, this, widgets::guarded(this, [this] { Button48Click(); }));
}

void UsersPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    GroupBox23->setGeometry(0, 0, width(), kFrameHeight);
}

void UsersPage::reload()
{
    ADOQuery23.close();
    ADOQuery23.open();
}

void UsersPage::Button46Click()
{
    ADOQuery23.append();
    DBGridEh16->view()->setFocus();
}

void UsersPage::Button47Click()
{
    if (ADOQuery23.currentRow() < 0)
        return;
    const std::string id = ADOQuery23.text("id");
    if (id.empty())
        return; // no row, or a new one not saved yet
    if (id == "1") {
        widgets::messageBoxes().notice(state_.window, QStringLiteral("系统默认用户不能删除！"));
        return;
    }
    if (!widgets::messageBoxes().confirm(state_.window, QStringLiteral("是否确定删除？")))
        return;
    state_.ADOQuery4.setText(users::deleteUser(id));
    state_.ADOQuery4.execSql();
    ADOQuery23.close();
    ADOQuery23.open();
}

void UsersPage::Button48Click()
{
    const bool save = widgets::messageBoxes().confirm(state_.window, QStringLiteral("是否确定保存数据？"));
    try {
        ledger::Transaction work(state_.connection);
        if (save) {
            DBGridEh16->commitEdits();
            ADOQuery23.updateBatch();
        } else {
            ADOQuery23.cancel();
            ADOQuery23.cancelBatch();
        }
        work.commit();
    } catch (const std::exception&) {
        widgets::messageBoxes().notice(state_.window, QStringLiteral("对不起，操作异常"));
    }
}

} // namespace mainwindow
