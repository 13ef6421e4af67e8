#include "budget_panel.h"

#include "widgets/form.h"

#include <QLabel>

namespace mainwindow {

namespace {

QLabel* line(QWidget* panel, const char* name, const char* text, const QRect& place, Qt::Alignment align = Qt::AlignLeft)
{
    auto* label = widgets::make<QLabel>(panel, name, text, place);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

} // namespace

BudgetPanel::BudgetPanel(QWidget* parent) : QGroupBox(QStringLiteral("预算信息"), parent)
{
    setObjectName(QStringLiteral("GroupBox4"));
    Label14 = line(this, "Label14", "", {8, 22, 194, 22}, Qt::AlignHCenter);
    QFont bold = Label14->font();
    bold.setBold(true);
    Label14->setFont(bold);
    Label14->setStyleSheet(QStringLiteral("color: #800000;"));
    Label15 = line(this, "Label15", "本月预算金额", {8, 48, 100, 22});
    Label20 = line(this, "Label20", "0", {104, 48, 96, 22}, Qt::AlignRight);
    line(this, "Label16", "－", {8, 72, 14, 22});
    Label17 = line(this, "Label17", "实际金额", {22, 72, 86, 22});
    Label21 = line(this, "Label21", "0", {104, 72, 96, 22}, Qt::AlignRight);
    line(this, "Label18", "－－－－－－－－－－－－", {8, 94, 194, 22}, Qt::AlignHCenter);
    QLabel* Label19 = line(this, "Label19", "金额", {8, 118, 90, 22});
    Label22 = line(this, "Label22", "0", {104, 118, 96, 22}, Qt::AlignRight);
    Label19->setStyleSheet(QStringLiteral("color: red;"));
    Label22->setStyleSheet(QStringLiteral("color: red;"));
}

void BudgetPanel::showCaptions(pages::ClassCode klass)
{
    const bool expenditure = klass == pages::ClassCode::Expenditure;
    setTitle(expenditure ? QStringLiteral("预算信息") : QStringLiteral("本月比上月增长"));
    Label15->setText(expenditure ? QStringLiteral("本月预算金额") : QStringLiteral("本月收入"));
    Label17->setText(expenditure ? QStringLiteral("实际金额") : QStringLiteral("上月收入"));
    Label14->setText(expenditure ? QString() : QStringLiteral("收入增长"));
}

void BudgetPanel::showFigures(const pages::BudgetFigures& figures)
{
    if (figures.category)
        Label14->setText(QString::fromStdString(*figures.category));
    Label20->setText(QString::fromStdString(figures.first));
    Label21->setText(QString::fromStdString(figures.second));
    Label22->setText(QString::fromStdString(figures.difference));
}

} // namespace mainwindow
