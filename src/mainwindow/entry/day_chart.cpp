#include "day_chart.h"

#include "pages/entry_statements.h"
#include "widgets/bar_chart.h"
#include "widgets/form.h"

#include <QVBoxLayout>

namespace mainwindow {

DayChart::DayChart(ledger::Connection& connection, QWidget* parent)
    : QGroupBox(QStringLiteral("最近七次金额变化"), parent), ADOQuery7(connection, "ADOQuery7"),
      DBChart1(widgets::make<widgets::BarChart>(this, "DBChart1"))
{
    setObjectName(QStringLiteral("GroupBox5"));
    ADOQuery7.setText(pages::kChartTotals);
    DBChart1->setLogarithmic(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(DBChart1);
}

void DayChart::load(pages::ClassCode klass)
{
    ADOQuery7.reopenWith({{"fenlei", std::string(pages::codeOf(klass))}});
    const int amount = ADOQuery7.fieldIndexOrThrow("aaa");
    const int day = ADOQuery7.fieldIndexOrThrow("s_date");
    QStringList labels;
    std::vector<double> values;
    for (int r = ADOQuery7.rowCount() - 1; r >= 0; --r) { // newest first from the statement
        const ledger::Value& d = ADOQuery7.value(r, day);
        labels << (d.isNull() ? QString() : QString::asprintf("%02d-%02d", d.asDateTime().month, d.asDateTime().day));
        const ledger::Value& v = ADOQuery7.value(r, amount);
        values.push_back(v.isNull() ? 0.0 : v.asCurrency().toDouble());
    }
    DBChart1->setData(labels, values);
}

} // namespace mainwindow
