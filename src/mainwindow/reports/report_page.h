#pragma once

#include "../page.h"

#include "widgets/query_model.h"

#include <vector>

class QGroupBox;

namespace widgets {
class DataGrid;
class DatePicker;
} // namespace widgets

namespace mainwindow {

// What the report pages share: the period bar "从 … 到 … 刷新" at the top
// (F5 is 刷新 too), and read-only lists with a footer row. Entering a report
// loads nothing: its lists keep what they showed until the next refresh.
class ReportPage : public Page {
    Q_OBJECT

public:
    // Design names of the two date boxes and of the button.
    struct PeriodNames {
        const char* first;
        const char* last;
        const char* refresh;
    };
    ReportPage(PageContext& context, const char* designName, const PeriodNames& names, QWidget* parent = nullptr);

    void enter() final {}

protected:
    static constexpr int kBarHeight = 40; // the lists start below the period bar

    // 刷新: the lists read again for the period in the date boxes.
    virtual void refresh() = 0;
    ledger::DateTime firstDay() const;
    ledger::DateTime lastDay() const;

    // A list of a report: whole rows selected, columns sharing the width,
    // the yellow footer row shown.
    widgets::DataGrid* reportGrid(QWidget* parent, const char* name, const QRect& place, ledger::Query& query,
                                  const std::vector<widgets::ColumnSpec>& columns);
    // The same inside a titled group box.
    widgets::DataGrid* boxedGrid(const char* box, const char* title, const QRect& place, const char* name, ledger::Query& query,
                                 const std::vector<widgets::ColumnSpec>& columns);

private:
    widgets::DatePicker* first_;
    widgets::DatePicker* last_;
};

// A column whose footer names the row ("总计："), and a money column whose
// footer is its exact sum; an empty title shows the field's name.
widgets::ColumnSpec captionColumn(const char* field, const char* title, int width, const char* footerText);
widgets::ColumnSpec moneyColumn(const char* field, const char* title, int width);

} // namespace mainwindow
