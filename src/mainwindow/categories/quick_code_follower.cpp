#include "quick_code_follower.h"

#include "pages/quick_code.h"

#include <QMetaObject>

namespace mainwindow {

namespace {

constexpr const char* kName = "项目名称";
constexpr const char* kCode = "快速代码";

std::string currentName(const ledger::Query& items)
{
    if (items.currentRow() < 0 || items.fieldIndex(kName) < 0)
        return {};
    return items.text(kName);
}

} // namespace

QuickCodeFollower::QuickCodeFollower(ledger::Query& items, QObject* parent)
    : QObject(parent), items_(items), subscription_(items.subscribe([this](const ledger::QueryEvent& e) { onItemsEvent(e); }))
{
}

void QuickCodeFollower::onItemsEvent(const ledger::QueryEvent& event)
{
    using Kind = ledger::QueryEvent::Kind;
    if (event.kind == Kind::RowChanged) {
        if (event.row != items_.currentRow() || currentName(items_) == shownName_)
            return; // the name shown did not change
        if (items_.editState() != ledger::Query::EditState::Browse) {
            // A name just written goes out with its code, even when the row
            // is posted at once (the user moved on or saved).
            shownName_ = currentName(items_);
            writeCodeOf(shownName_);
            return;
        }
    } else if (event.kind != Kind::CurrentChanged) {
        return;
    }
    // Another item, the rows read again or a name restored: the recordset
    // may be in the middle of an operation, so the code follows once it is done.
    if (followPending_)
        return;
    followPending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { followCurrentItem(); }, Qt::QueuedConnection);
}

void QuickCodeFollower::followCurrentItem()
{
    followPending_ = false;
    shownName_ = currentName(items_);
    writeCodeOf(shownName_);
}

void QuickCodeFollower::writeCodeOf(const std::string& name)
{
    try {
        const std::string code = pages::quickCode(name);
        if (!code.empty() && items_.isOpen() && items_.currentRow() >= 0 && items_.text(kCode) != code)
            items_.setValue(kCode, ledger::Value(code));
    } catch (const std::exception&) {
        // the item keeps its previous code
    }
}

} // namespace mainwindow
