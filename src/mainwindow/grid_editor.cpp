#include "grid_editor.h"

#include "widgets/data_grid.h"
#include "widgets/form.h"
#include "widgets/guarded.h"

#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

namespace mainwindow {

GridEditor::GridEditor(ledger::Query& list, ledger::Query& command, const Names& names, Rules rules, BarPlace bar,
                       QWidget* parent)
    : QGroupBox(parent), list_(list), command_(command), rules_(std::move(rules)), grid_(new widgets::DataGrid)
{
    grid_->setObjectName(QString::fromUtf8(names.grid));
    grid_->setQuery(list_);
    auto* barWidget = new QWidget;
    barWidget->setFixedHeight(34);
    bar_ = new QHBoxLayout(barWidget);
    bar_->setContentsMargins(0, 4, 0, 4);
    const std::vector<widgets::ButtonRow> buttons = {
        {names.add, "增加", {}, [this] { add(); }, "增加一行 (Ctrl+N)"},
        {names.remove, "删除", {}, [this] { remove(); }, "删除 (Ctrl+D)"},
        {names.save, "保存", {}, [this] { save(); }, "保存 (Ctrl+S)"},
    };
    for (QPushButton* button : widgets::addButtons(barWidget, buttons)) {
        button->setFixedWidth(75);
        bar_->addWidget(button);
    }
    bar_->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(2);
    layout->addWidget(bar == BarPlace::Top ? barWidget : grid_);
    layout->addWidget(bar == BarPlace::Top ? static_cast<QWidget*>(grid_) : barWidget);
    setKeysScope(this);
}

void GridEditor::addToBar(QWidget* control, bool beforeButtons)
{
    if (beforeButtons)
        bar_->insertWidget(buttonsAt_++, control);
    else
        bar_->insertWidget(bar_->count() - 1, control);
}

void GridEditor::setKeysScope(QWidget* scope)
{
    for (QObject* key : keys_)
        delete key;
    keys_.clear();
    const std::pair<const char*, void (GridEditor::*)()> keys[] = {{"Ctrl+N", &GridEditor::add},
                                                                   {"Ctrl+D", &GridEditor::remove},
                                                                   {"Ctrl+S", &GridEditor::save}};
    for (const auto& [sequence, handler] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromUtf8(sequence)), scope);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, widgets::guarded(this, [this, handler] {
                    if (isVisible())
                        (this->*handler)();
                }));
        keys_.push_back(shortcut);
    }
}

QString GridEditor::currentId() const
{
    if (list_.currentRow() < 0 || list_.fieldIndex("id") < 0)
        return {};
    return QString::fromStdString(list_.text("id"));
}

void GridEditor::add()
{
    if (rules_.mayAppend && !rules_.mayAppend())
        return;
    list_.append();
    if (rules_.fillNewRow)
        rules_.fillNewRow(list_);
    grid_->view()->setFocus();
}

void GridEditor::remove()
{
    const QString id = rules_.idToDelete ? rules_.idToDelete() : currentId();
    if (rules_.refuseDelete && rules_.refuseDelete(id))
        return;
    const auto row = pages::RowId::parse(id.toStdString());
    if (!row)
        return; // no row, or a new one not saved yet
    widgets::MessageBoxes& boxes = widgets::messageBoxesFor(this);
    const QString question =
        rules_.question ? rules_.question(id) : QStringLiteral("是否确定删除？") + (rules_.idInQuestion ? id : QString());
    if (!boxes.confirm(window(), question))
        return;
    pages::deleteWith(command_, rules_.deleteStatements(*row), rules_.pass);
    if (rules_.afterDelete)
        rules_.afterDelete();
    else
        list_.requery();
}

void GridEditor::save()
{
    widgets::MessageBoxes& boxes = widgets::messageBoxesFor(this);
    const bool send = boxes.confirm(window(), QStringLiteral("是否确定保存数据？"));
    try {
        if (send) {
            grid_->commitEdits();
            if (rules_.checkBeforeSave && !rules_.checkBeforeSave()) {
                boxes.notice(window(), rules_.failureNotice);
                return;
            }
            pages::saveList(list_, rules_.pass);
            if (rules_.afterSave)
                rules_.afterSave();
        } else {
            grid_->dropEdits();
            pages::discardList(list_);
        }
    } catch (const std::exception&) {
        boxes.notice(window(), rules_.failureNotice);
    }
}

} // namespace mainwindow
