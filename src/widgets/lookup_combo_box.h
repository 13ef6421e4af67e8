#pragma once

#include "ledger/query.h"

#include <QComboBox>

namespace widgets {

// A pick-only box over a list query: it shows one field of each row and
// stands for the row's key. It refills itself when the list is reopened,
// keeping the chosen key when the list still has it.
class LookupComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit LookupComboBox(QWidget* parent = nullptr);
    ~LookupComboBox() override;

    void setList(ledger::Query& list, const QString& keyField, const QString& shownField);
    // Fills the box from the list's rows as they are now.
    void reload();

    // The key of the entry shown, Null when none.
    ledger::Value key() const;
    // Shows the entry of this key; false (and no entry) when the list lacks it.
    bool selectKey(const ledger::Value& key);
    // Shows the first entry whose text matches, ignoring Latin case.
    bool selectText(const QString& text);
    // Whether the box shows an entry of its list.
    bool hasEntry() const { return currentIndex() >= 0; }

private:
    ledger::Query* list_ = nullptr;
    ledger::Query::Subscription subscription_;
    QString keyField_;
    QString shownField_;
    std::vector<ledger::Value> keys_;
    ledger::Value remembered_;
};

} // namespace widgets
