#include "flow_report_page.h"

#include "pages/reports_statements.h"
#include "widgets/data_grid.h"

namespace mainwindow {

namespace {

// The five equal columns of a day's records.
std::vector<widgets::ColumnSpec> recordColumns()
{
    return {captionColumn("项目", "", 80, "总计："),
            {.field = "收付款人", .width = 80},
            moneyColumn("金额", "", 80),
            {.field = "账户", .width = 80},
            {.field = "备注", .width = 80}};
}

} // namespace

FlowReportPage::FlowReportPage(PageContext& context, QWidget* parent)
    : ReportPage(context, "Panel12", {"DateTimePicker5", "DateTimePicker6", "Button43"}, parent),
      ADOQuery17(context.connection, "ADOQuery17"), ADOQuery18(context.connection, "ADOQuery18"),
      ADOQuery19(context.connection, "ADOQuery19")
{
    ADOQuery17.setText(pages::kDailyFlow);
    ADOQuery18.setText(pages::flowDetails(pages::ClassCode::Expenditure));
    ADOQuery19.setText(pages::flowDetails(pages::ClassCode::Income));

    widgets::DataGrid* days =
        reportGrid(this, "DBGridEh10", {0, kBarHeight, 290, 511 - kBarHeight}, ADOQuery17,
                   {captionColumn("x_d", "日期", 100, "总计："), moneyColumn("a", "收入", 95), moneyColumn("b", "支出", 95)});
    days->enableCsvExport(QStringLiteral("每日收支"));
    days->model()->setColumnOrder({QStringLiteral("x_d"), QStringLiteral("a"), QStringLiteral("b")});
    const int half = (511 - kBarHeight) / 2;
    boxedGrid("expenditureRecords", "支出明细", {294, kBarHeight, 474, half}, "DBGridEh11", ADOQuery18, recordColumns());
    boxedGrid("incomeRecords", "收入明细", {294, kBarHeight + half, 474, 511 - kBarHeight - half}, "DBGridEh12", ADOQuery19,
              recordColumns());

    // Every move in the list of days, a refresh that finds days included,
    // shows that day's records (ADOQuery17AfterScroll).
    dayMoves_ = ADOQuery17.subscribe([this](const ledger::QueryEvent& e) {
        if (e.kind == ledger::QueryEvent::Kind::CurrentChanged && e.row >= 0)
            showRecordsOfDay();
    });
}

void FlowReportPage::refresh()
{
    ADOQuery17.reopenWith(pages::flowPeriod(firstDay(), lastDay()));
}

// A day's records are a side view: a failure leaves them as far as they
// got, without a message (the list the failure hit is left empty).
void FlowReportPage::showRecordsOfDay()
{
    try {
        const ledger::Params day = pages::flowDay(ADOQuery17.value("x_d").asDateTime());
        ADOQuery18.reopenWith(day);
        ADOQuery19.reopenWith(day);
    } catch (const std::exception&) {
    }
}

} // namespace mainwindow
