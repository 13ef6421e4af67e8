// Footer rows: fixed texts and exact sums that follow every change, lined
// up under their columns.

#include "ledger_fixture.h"

#include "widgets/data_grid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::LedgerFixture;

namespace {

class FlowFooter : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* amount : {"0.1", "0.2", "1000.25", "-80", "0.5"})
            f.addRecord("Z", 2, amount, "2024-03-05");
        details.setText("select f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as 账户,s_other as 备注 from s_z_all "
                        "where s_date=:s_date and f_class='Z'");
        details.setParam("s_date", "2024-03-05");
        details.open();
        grid.setQuery(details);
        grid.setReadOnly(true);
        grid.setFitColumns(true);
        grid.setFooterVisible(true);
        grid.column("项目").footer = widgets::FooterKind::Text;
        grid.column("项目").footerText = QStringLiteral("总计：");
        grid.column("金额").footer = widgets::FooterKind::Sum;
        grid.resize(500, 200);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    LedgerFixture f;
    ledger::Query details{f.db(), "ADOQuery18"};
    widgets::DataGrid grid;
};

TEST_F(FlowFooter, SumsAreExactAndFollowTheRows)
{
    const int amount = grid.model()->columnOf(QStringLiteral("金额"));
    EXPECT_EQ(grid.footerText(0), QStringLiteral("总计："));
    EXPECT_EQ(grid.footerText(amount), QStringLiteral("921.05"));
    EXPECT_EQ(grid.footerText(1), QString());
    f.addRecord("Z", 2, "0.95", "2024-03-05");
    details.requery();
    EXPECT_EQ(grid.footerText(amount), QStringLiteral("922"));
    details.setParam("s_date", "2020-01-01");
    details.requery();
    EXPECT_EQ(grid.footerText(amount), QStringLiteral("0"));
}

TEST_F(FlowFooter, YuanFormatShowsTwoDecimalsWithoutALeadingZero)
{
    const int amount = grid.model()->columnOf(QStringLiteral("金额"));
    grid.column("金额").format = widgets::DisplayFormat::Yuan;
    QStringList cells;
    for (int r = 0; r < grid.model()->rowCount(); ++r)
        cells << grid.model()->data(grid.model()->index(r, amount)).toString();
    EXPECT_EQ(cells.join(' '), QStringLiteral("￥.10 ￥.20 ￥1000.25 -￥80.00 ￥.50"));
    EXPECT_EQ(grid.footerText(amount), QStringLiteral("￥921.05"));
}

TEST_F(FlowFooter, ColumnsFillTheGridAndTheFooterFollowsThem)
{
    QHeaderView* header = grid.view()->horizontalHeader();
    int total = 0;
    for (int c = 0; c < grid.model()->columnCount(); ++c)
        total += header->sectionSize(c);
    EXPECT_EQ(total, grid.view()->viewport()->width());
    grid.resize(800, 200);
    QApplication::processEvents();
    total = 0;
    for (int c = 0; c < grid.model()->columnCount(); ++c)
        total += header->sectionSize(c);
    EXPECT_EQ(total, grid.view()->viewport()->width());

    // The footer's sum sits under the amount column: its pixels differ from
    // the footer background only inside that column.
    const int amount = grid.model()->columnOf(QStringLiteral("金额"));
    QWidget* footer = grid.findChild<QWidget*>(QStringLiteral("footer"));
    ASSERT_NE(footer, nullptr);
    const QImage image = footer->grab().toImage();
    const int left = grid.view()->viewport()->mapTo(&grid, QPoint(0, 0)).x() + header->sectionViewportPosition(amount);
    const QColor background = image.pixelColor(left + 3, 2);
    bool inked = false;
    for (int x = left + 2; x < left + header->sectionSize(amount) - 2; ++x)
        for (int y = 2; y < image.height() - 2; ++y)
            inked = inked || image.pixelColor(x, y) != background;
    EXPECT_TRUE(inked);
}

} // namespace
