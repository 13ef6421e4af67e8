#pragma once

#include "../shared_state.h"
#include "amount_calculator.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace widgets {
class BarChart;
class ClickLabel;
class DataGrid;
class DatePicker;
class LookupComboBox;
} // namespace widgets

namespace mainwindow {

class CalculatorKeypad;

// The income and expenditure page (Panel3): one day's records of one class
// in a grid, and an editor that adds, changes and deletes records, with the
// item list, the budget panel, the chart and the amount calculator.
class EntryPage : public QWidget {
    Q_OBJECT

public:
    EntryPage(SharedState& state, QWidget* parent);
    ~EntryPage() override;

    // Entering the page in expenditure ("Z") or income ("S") mode, after the
    // navigation marks are set.
    void enter(const QString& klass);
    // A step of the main window's start-up.
    void alignAmountRight();

    // Handlers, by the controls' design names.
    void Button1Click(); // 增加
    void Button2Click(); // 删除
    void Button3Click(); // 保存
    void Button4Click(); // 前天
    void Button5Click(); // 今天
    void Button6Click(); // 后天
    void Button7Click(); // 查询
    void Edit3Change();
    void Edit3Click();
    void DBGridEh2CellClick(int row);
    void DBGridEh1CellClick(int row);
    void Panel4Click();
    void Image7Click();
    // The chart over the class's latest days (on entering the page).
    void loadChart();

    const QString& entryMode() const { return EntryMode; }
    AmountCalculator& calculator() { return calculator_; }
    ledger::Query& dayQuery() { return ADOQuery1; }
    ledger::Query& itemQuery() { return ADOQuery3; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildEditor();
    void buildBudgetPanel();
    void buildLists();
    void keepChosenEntry(widgets::LookupComboBox* box);
    void hideItemList();
    bool amountKeyPress(QKeyEvent* event);
    void chooseItem(int row);
    QString currentClass() const { return state_.b_zt; }
    QString editId() const;
    void setEditId(const QString& id);

    SharedState& state_;
    ledger::Query ADOQuery1; // the day grid
    ledger::Query ADOQuery3; // the item list
    ledger::Query ADOQuery5; // the payers
    ledger::Query ADOQuery6; // the accounts
    ledger::Query ADOQuery7; // the chart
    QString EntryMode;
    QString editClass_; // the class the clicked record was listed under
    AmountCalculator calculator_;

    QWidget* Panel4 = nullptr;
    widgets::DatePicker* DateTimePicker1 = nullptr;
    widgets::DatePicker* DateTimePicker2 = nullptr;
    QLabel* Label8 = nullptr;
    widgets::LookupComboBox* DBLookupComboboxEh1 = nullptr;
    widgets::LookupComboBox* DBLookupComboboxEh2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    widgets::ClickLabel* Image7 = nullptr;
    widgets::ClickLabel* Image8 = nullptr;
    widgets::DataGrid* DBGridEh1 = nullptr;
    QGroupBox* GroupBox6 = nullptr;
    widgets::DataGrid* DBGridEh2 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label20 = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label22 = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    widgets::BarChart* DBChart1 = nullptr;
    CalculatorKeypad* GroupBox7 = nullptr;
};

} // namespace mainwindow
