#include "category_report_page.h"

#include "pages/reports_statements.h"
#include "widgets/data_grid.h"
#include "widgets/form.h"

#include <QLabel>

namespace mainwindow {

namespace {

const std::vector<widgets::ColumnSpec> kItemColumns = {captionColumn("项目", "", 100, "总计："), moneyColumn("金额", "", 100)};

ledger::Currency footerSum(const widgets::DataGrid* grid)
{
    return grid->model()->columnSum(grid->model()->columnOf(QStringLiteral("金额")));
}

} // namespace

CategoryReportPage::CategoryReportPage(PageContext& context, QWidget* parent)
    : ReportPage(context, "Panel13", {"DateTimePicker8", "DateTimePicker7", "Button44"}, parent),
      ADOQuery20(context.connection, "ADOQuery20"), ADOQuery21(context.connection, "ADOQuery21")
{
    ADOQuery20.setText(pages::categoryReport(pages::ClassCode::Expenditure));
    ADOQuery21.setText(pages::categoryReport(pages::ClassCode::Income));
    const QRect lists(0, kBarHeight, 768, 511 - kBarHeight - 36);
    expenditure_ =
        boxedGrid("expenditureByItem", "支出分类统计", lists.adjusted(0, 0, -386, 0), "DBGridEh13", ADOQuery20, kItemColumns);
    income_ = boxedGrid("incomeByItem", "收入分类统计", lists.adjusted(386, 0, 0, 0), "DBGridEh14", ADOQuery21, kItemColumns);

    auto* Label39 = widgets::make<QLabel>(this, "Label39", "合计差额＝收入－支出：", {12, 481, 170, 24});
    Label37 = widgets::make<QLabel>(this, "Label37", {184, 481, 400, 24});
    Label37->setAccessibleName(Label39->text());
    QPalette red = Label37->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label37->setPalette(red);
    QFont bold = Label37->font();
    bold.setBold(true);
    Label37->setFont(bold);
}

void CategoryReportPage::refresh()
{
    ADOQuery20.reopenWith(pages::reportPeriod(firstDay(), lastDay()));
    ADOQuery21.reopenWith(pages::reportPeriod(firstDay(), lastDay()));
    showDifference();
}

// Income minus expenditure of the two footers, in exact money.
void CategoryReportPage::showDifference()
{
    const ledger::Currency difference = footerSum(income_) - footerSum(expenditure_);
    Label37->setText(QString::fromStdString(difference.toString()) + QStringLiteral(" 元"));
}

} // namespace mainwindow
