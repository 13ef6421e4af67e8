#pragma once

#include "pages/entry_operations.h"

#include <QGroupBox>

class QLabel;

namespace mainwindow {

// The budget panel (GroupBox4): in expenditure mode the chosen item's
// category, its month budget, the month's spending and what is left; in
// income mode this month's income against last month's.
class BudgetPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit BudgetPanel(QWidget* parent);

    // The captions of a mode; the figures stay until the next item is chosen.
    void showCaptions(pages::ClassCode klass);
    void showFigures(const pages::BudgetFigures& figures);

private:
    QLabel* Label14; // category line
    QLabel* Label15; // row 1 caption
    QLabel* Label17; // row 2 caption
    QLabel* Label20; // row 1 figure
    QLabel* Label21; // row 2 figure
    QLabel* Label22; // row 1 − row 2
};

} // namespace mainwindow
