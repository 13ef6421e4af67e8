#include "lookup_combo_box.h"

namespace widgets {

LookupComboBox::LookupComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
}

LookupComboBox::~LookupComboBox() = default;

void LookupComboBox::setList(ledger::Query& list, const QString& keyField, const QString& shownField)
{
    list_ = &list;
    keyField_ = keyField;
    shownField_ = shownField;
    subscription_ = list.subscribe([this](const ledger::QueryEvent& e) {
        if (e.kind == ledger::QueryEvent::Kind::Reset || e.kind == ledger::QueryEvent::Kind::RowChanged)
            reload();
    });
    reload();
}

void LookupComboBox::reload()
{
    // While the list is closed (between a close and an open) the chosen key
    // is remembered, so reopening the list keeps it.
    const ledger::Value chosen = hasEntry() ? key() : remembered_;
    clear();
    keys_.clear();
    remembered_ = chosen;
    if (!list_ || !list_->isOpen())
        return;
    remembered_ = ledger::Value();
    const int keyField = list_->fieldIndex(keyField_.toStdString());
    const int shownField = list_->fieldIndex(shownField_.toStdString());
    if (keyField < 0 || shownField < 0)
        return;
    for (int r = 0; r < list_->rowCount(); ++r) {
        keys_.push_back(list_->value(r, keyField));
        addItem(QString::fromStdString(list_->value(r, shownField).toText()));
    }
    if (!chosen.isNull())
        selectKey(chosen);
    else
        setCurrentIndex(-1);
}

ledger::Value LookupComboBox::key() const
{
    const int i = currentIndex();
    return i >= 0 && i < static_cast<int>(keys_.size()) ? keys_[static_cast<size_t>(i)] : ledger::Value();
}

bool LookupComboBox::selectKey(const ledger::Value& key)
{
    const std::string wanted = key.toText();
    for (size_t i = 0; i < keys_.size(); ++i)
        if (!key.isNull() && keys_[i].toText() == wanted) {
            setCurrentIndex(static_cast<int>(i));
            return true;
        }
    setCurrentIndex(-1);
    return false;
}

bool LookupComboBox::selectText(const QString& text)
{
    for (int i = 0; i < count(); ++i)
        if (itemText(i).compare(text, Qt::CaseInsensitive) == 0) {
            setCurrentIndex(i);
            return true;
        }
    return false;
}

} // namespace widgets
