#pragma once

#include "../page.h"
#include "amount_calculator.h"

#include <optional>

class QLabel;
class QLineEdit;

namespace widgets {
class DataGrid;
class DatePicker;
class LookupComboBox;
} // namespace widgets

namespace mainwindow {

class AmountField;
class BudgetPanel;
class CalculatorKeypad;
class DayChart;
class ItemPicker;

// The income and expenditure page (Panel3): one day's records of one class
// in a grid, and an editor that adds, changes and deletes records, with the
// item list, the budget panel, the chart and the amount calculator.
class EntryPage : public Page {
    Q_OBJECT

public:
    explicit EntryPage(PageContext& context, QWidget* parent = nullptr);
    ~EntryPage() override;

    // In the mode of the class code the navigation set.
    void enter() override;
    // "add" after 增加, "edit" after a record was loaded, empty at first.
    const QString& entryMode() const { return EntryMode; }

private:
    void buildEditor();
    void buildDayList();
    void buildKeys();

    void listDay();
    void moveDays(int days);
    void backToToday();
    void searchItems();
    void takeItem(const QString& name, pages::RowId category);
    void hideItemList();
    void startNewRecord();
    void loadRecord(int row);
    void saveRecord();
    void deleteRecord();
    void refuse(const char* message, QWidget* focus);

    ledger::Query ADOQuery1; // the day's records
    ledger::Query ADOQuery5; // the payers
    ledger::Query ADOQuery6; // the accounts
    QString EntryMode;
    std::optional<pages::ClassCode> recordClass_; // the class the loaded record was listed under
    AmountCalculator calculator_;

    QWidget* Panel4 = nullptr; // the upper band
    widgets::DatePicker* queryDay_ = nullptr; // DateTimePicker1
    widgets::DatePicker* recordDay_ = nullptr; // DateTimePicker2
    QLabel* payerCaption_ = nullptr; // Label8
    widgets::LookupComboBox* payer_ = nullptr; // DBLookupComboboxEh1
    QLineEdit* item_ = nullptr; // Edit3
    AmountField* amount_ = nullptr; // Edit1
    widgets::LookupComboBox* account_ = nullptr; // DBLookupComboboxEh2
    QLineEdit* note_ = nullptr; // Edit2
    CalculatorKeypad* keypad_ = nullptr; // GroupBox7
    widgets::DataGrid* dayGrid_ = nullptr; // DBGridEh1
    ItemPicker* itemList_ = nullptr; // GroupBox6
    BudgetPanel* budget_ = nullptr; // GroupBox4
    DayChart* chart_ = nullptr; // GroupBox5
};

} // namespace mainwindow
