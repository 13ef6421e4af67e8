#include "report_page.h"

#include "widgets/data_grid.h"
#include "widgets/date_picker.h"
#include "widgets/form.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace mainwindow {

ReportPage::ReportPage(PageContext& context, const char* designName, const PeriodNames& names, QWidget* parent)
    : Page(context, designName, parent)
{
    first_ = widgets::make<widgets::DatePicker>(this, names.first, {34, 8, 110, 24});
    last_ = widgets::make<widgets::DatePicker>(this, names.last, {178, 8, 110, 24});
    widgets::buddyLabel(this, "从", {12, 8, 20, 24}, first_);
    widgets::buddyLabel(this, "到", {156, 8, 20, 24}, last_);
    first_->setDate(context.opened);
    last_->setDate(context.opened);
    widgets::addButtons(this, {{names.refresh, "刷新", {300, 7, 75, 26}, [this] { refresh(); }, "按所选期间重新统计 (F5)"}});
    addKey(QKeySequence(Qt::Key_F5), [this] { refresh(); });
}

ledger::DateTime ReportPage::firstDay() const
{
    return first_->dateValue();
}

ledger::DateTime ReportPage::lastDay() const
{
    return last_->dateValue();
}

widgets::DataGrid* ReportPage::reportGrid(QWidget* parent, const char* name, const QRect& place, ledger::Query& query,
                                          const std::vector<widgets::ColumnSpec>& columns)
{
    auto* grid = widgets::make<widgets::DataGrid>(parent, name, place);
    grid->setQuery(query);
    grid->setReadOnly(true);
    grid->setWholeRowSelection(true);
    grid->setFitColumns(true);
    grid->setFooterVisible(true);
    grid->setColumns(columns);
    return grid;
}

widgets::DataGrid* ReportPage::boxedGrid(const char* box, const char* title, const QRect& place, const char* name,
                                         ledger::Query& query, const std::vector<widgets::ColumnSpec>& columns)
{
    auto* group = widgets::make<QGroupBox>(this, box, title, place);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    widgets::DataGrid* grid = reportGrid(group, name, {}, query, columns);
    grid->enableCsvExport(QString::fromUtf8(title));
    layout->addWidget(grid);
    return grid;
}

widgets::ColumnSpec captionColumn(const char* field, const char* title, int width, const char* footerText)
{
    return {.field = field, .title = title, .width = width, .footer = widgets::FooterKind::Text, .footerText = footerText};
}

widgets::ColumnSpec moneyColumn(const char* field, const char* title, int width)
{
    return {.field = field,
            .title = title,
            .width = width,
            .format = widgets::DisplayFormat::Yuan,
            .footer = widgets::FooterKind::Sum};
}

} // namespace mainwindow
