#include "person_report_page.h"

#include "pages/reports_statements.h"
#include "widgets/data_grid.h"

namespace mainwindow {

namespace {

// Money on the left, as the family reads it beside the month.
widgets::ColumnSpec leftMoney(const char* field, int width)
{
    widgets::ColumnSpec spec = moneyColumn(field, "", width);
    spec.alignment = Qt::AlignLeft | Qt::AlignVCenter;
    spec.footerAlignment = Qt::AlignLeft;
    return spec;
}

} // namespace

PersonReportPage::PersonReportPage(PageContext& context, QWidget* parent)
    : ReportPage(context, "Panel14", {"DateTimePicker10", "DateTimePicker9", "Button45"}, parent),
      ADOQuery22(context.connection, "ADOQuery22")
{
    ADOQuery22.setText(pages::kPersonReport);
    widgets::DataGrid* DBGridEh15 = reportGrid(this, "DBGridEh15", {0, kBarHeight, 768, 511 - kBarHeight}, ADOQuery22,
                                               {{.field = "sys_name", .title = "用户", .width = 100},
                                                captionColumn("s_month", "月份", 100, "合计："),
                                                leftMoney("收入", 100),
                                                leftMoney("支出", 200)});
    DBGridEh15->enableCsvExport(QStringLiteral("收支人统计"));
}

void PersonReportPage::refresh()
{
    ADOQuery22.reopenWith(pages::personMonths(firstDay(), lastDay()));
}

} // namespace mainwindow
