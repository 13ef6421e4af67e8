#include "users_page.h"

#include "../grid_editor.h"

#include "pages/users_statements.h"
#include "widgets/data_grid.h"

namespace mainwindow {

UsersPage::UsersPage(PageContext& context, QWidget* parent)
    : Page(context, "Panel16", parent), ADOQuery23(context.connection, "ADOQuery23")
{
    ADOQuery23.setText(pages::kUsersList);
    ADOQuery23.setBatchMode(true);
    GridEditor::Rules rules;
    rules.failureNotice = QStringLiteral("对不起，操作异常");
    rules.refuseDelete = [this](const QString& id) {
        if (id != QStringLiteral("1"))
            return false;
        boxes().notice(window(), QStringLiteral("系统默认用户不能删除！"));
        return true;
    };
    rules.deleteStatements = [](pages::RowId id) { return std::vector<std::string>{pages::deleteUser(id)}; };
    users_ = new GridEditor(ADOQuery23, command(), {"DBGridEh16", "Button46", "Button47", "Button48"}, std::move(rules),
                            GridEditor::BarPlace::Bottom, this);
    users_->setObjectName(QStringLiteral("GroupBox23"));
    users_->setTitle(QStringLiteral("系统用户管理"));
    users_->setGeometry(0, 0, 768, 344);
    users_->setKeysScope(this);
    widgets::DataGrid* grid = users_->grid();
    grid->setRowHeight(25);
    grid->setColumns({{.field = "id", .hidden = true}, {.field = "用户名", .width = 200}, {.field = "密码", .width = 200}});
}

void UsersPage::enter()
{
    ADOQuery23.requery();
}

} // namespace mainwindow
