// Every widget of the kit in one window, saved as a picture to look at.

#include "ledger_fixture.h"
#include "screenshots.h"

#include "widgets/data_grid.h"
#include "widgets/date_picker.h"
#include "widgets/lookup_combo_box.h"
#include "widgets/spin_edit.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(Gallery, EveryWidgetRendersItsChineseText)
{
    testsupport::LedgerFixture f;
    f.addRecord("Z", 2, "12.5", "2024-03-05", 1, 1, "豆浆油条");
    f.addRecord("Z", 3, "30", "2024-03-05", 1, 2);
    f.addRecord("Z", 13, "0.5", "2024-03-05", 1, 3, "Tom's");
    ledger::Query day(f.db(), "ADOQuery1");
    day.setText(
        "select id as 编号,s_date as 时间 ,f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as 账户,s_other as 备注 "
        "from s_z_all where f_class='Z' and s_date=#2024/3/5#");
    day.open();
    ledger::Query accounts(f.db(), "ADOQuery6");
    accounts.setText("select * from z_zhanghu");
    accounts.open();

    QWidget window;
    window.resize(760, 420);
    auto* layout = new QHBoxLayout(&window);
    auto* grid = new widgets::DataGrid;
    grid->setQuery(day);
    grid->setWholeRowSelection(true);
    grid->setReadOnly(true);
    grid->setFooterVisible(true);
    grid->column("金额").format = widgets::DisplayFormat::Yuan;
    grid->column("金额").footer = widgets::FooterKind::Sum;
    grid->column("编号").footer = widgets::FooterKind::Text;
    grid->column("编号").footerText = QStringLiteral("合计：");
    grid->setRowHeight(25);
    grid->applyColumns();
    layout->addWidget(grid, 3);

    auto* box = new QGroupBox(QStringLiteral("编辑"));
    auto* form = new QFormLayout(box);
    auto* account = new widgets::LookupComboBox;
    account->setList(accounts, "id", "z_name");
    account->selectKey(ledger::Value(int64_t{2}));
    form->addRow(QStringLiteral("账　户："), account);
    auto* year = new widgets::SpinEdit;
    year->setRange(2009, 2020);
    year->setText(QStringLiteral("2026"));
    form->addRow(QStringLiteral("年份："), year);
    auto* date = new widgets::DatePicker;
    date->setDateValue(*ledger::DateTime::make(2024, 3, 5));
    form->addRow(QStringLiteral("日　期："), date);
    form->addRow(new QLabel(QStringLiteral("合计差额＝收入－支出：<font color=red>234.5 元</font>")));
    layout->addWidget(box, 1);

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(grid->footerText(grid->model()->columnOf(QStringLiteral("金额"))), QStringLiteral("￥43.00"));
    const QString path = testsupport::saveScreenshot(&window, QStringLiteral("widget-gallery"));
    EXPECT_FALSE(QImage(path).isNull());
}

} // namespace
