#pragma once

#include "pages/list_operations.h"
#include "pages/statement_parts.h"

#include <QGroupBox>

#include <functional>
#include <string>
#include <vector>

class QHBoxLayout;
class QPushButton;

namespace widgets {
class DataGrid;
class MessageBoxes;
} // namespace widgets

namespace mainwindow {

// An editable list: a group box with a grid over the list and its bar of
// 增加, 删除 and 保存 (Ctrl+N, Ctrl+D, Ctrl+S).
//
// 增加 appends a row and puts the focus into it. 删除 asks "是否确定删除？"
// and deletes at once through the command object. 保存 asks "是否确定保存数据？";
// OK sends every pending change in one transaction, Cancel drops them; a
// failure leaves the database as it was, shows the page's notice and keeps
// the pending changes. What differs between pages comes in the rules.
class GridEditor : public QGroupBox {
    Q_OBJECT

public:
    // Design names of the grid and of the three buttons.
    struct Names {
        const char* grid;
        const char* add;
        const char* remove;
        const char* save;
    };
    struct Rules {
        // Shown when a save or a discard fails.
        QString failureNotice;
        // The id 删除 deletes: by default the current row's "id".
        std::function<QString()> idToDelete;
        // A refusal before the question: true when the page refused (and said why).
        std::function<bool(const QString& id)> refuseDelete;
        // The question: "是否确定删除？" by default, followed by the id when asked for.
        std::function<QString(const QString& id)> question;
        bool idInQuestion = false;
        // What the delete issues, in one transaction with the pass.
        std::function<std::vector<std::string>(pages::RowId)> deleteStatements;
        // Runs after a delete and inside every save (the account totals).
        pages::Pass pass;
        // After a delete: by default the list is read again.
        std::function<void()> afterDelete;
        // After a successful save (still reported by the failure notice).
        std::function<void()> afterSave;
        // Whether 增加 may append now, and what a new row starts with.
        std::function<bool()> mayAppend;
        std::function<void(ledger::Query&)> fillNewRow;
        // Checked before a save: false refuses it with the failure notice.
        std::function<bool()> checkBeforeSave;
    };
    enum class BarPlace { Top, Bottom };

    GridEditor(ledger::Query& list, ledger::Query& command, const Names& names, Rules rules, BarPlace bar, QWidget* parent);

    widgets::DataGrid* grid() const { return grid_; }
    ledger::Query& list() const { return list_; }
    // Where a page puts its own controls: in the bar, before or after the buttons.
    void addToBar(QWidget* control, bool beforeButtons);
    // The keys act while the focus is inside this widget (the editor itself by default).
    void setKeysScope(QWidget* scope);

    void add();
    void remove();
    void save();

private:
    QString currentId() const;

    ledger::Query& list_;
    ledger::Query& command_;
    Rules rules_;
    widgets::DataGrid* grid_;
    QHBoxLayout* bar_;
    int buttonsAt_ = 0;
    std::vector<QObject*> keys_;
};

} // namespace mainwindow
