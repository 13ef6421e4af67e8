// The small editors: the look-up box, the spin edit and the date box.

#include "ledger_fixture.h"

#include "widgets/date_picker.h"
#include "widgets/lookup_combo_box.h"
#include "widgets/spin_edit.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(LookupComboBox, StandsForTheKeysOfItsList)
{
    testsupport::LedgerFixture f;
    f.addUser("Tom");
    ledger::Query users(f.db(), "ADOQuery5");
    users.setText("select * from s_user");
    users.open();
    widgets::LookupComboBox box;
    box.setList(users, "id", "Sys_name");
    EXPECT_EQ(box.count(), 2);
    EXPECT_FALSE(box.hasEntry());
    EXPECT_TRUE(box.selectKey(ledger::Value(int64_t{2})));
    EXPECT_EQ(box.currentText(), QStringLiteral("Tom"));
    EXPECT_EQ(box.key().toText(), "2");
    EXPECT_FALSE(box.selectKey(ledger::Value(int64_t{9})));
    EXPECT_FALSE(box.hasEntry());
    EXPECT_TRUE(box.key().isNull());
    EXPECT_TRUE(box.selectText(QStringLiteral("TOM")));
    EXPECT_EQ(box.key().toText(), "2");
    EXPECT_FALSE(box.selectText(QStringLiteral("nobody")));
    EXPECT_TRUE(box.hasEntry()) << "a failed text look-up keeps the entry";

    // Reopening the list keeps the chosen key while the list has it.
    f.addUser("Ann");
    users.requery();
    EXPECT_EQ(box.count(), 3);
    EXPECT_EQ(box.key().toText(), "2");
    f.db().execute("delete from s_user where id=2");
    users.requery();
    EXPECT_FALSE(box.hasEntry());
}

TEST(SpinEdit, StepsWithinItsBoundsButShowsTheTextItIsGiven)
{
    widgets::SpinEdit year;
    year.setRange(2009, 2020);
    year.setText(QStringLiteral("2026"));
    EXPECT_EQ(year.text(), QStringLiteral("2026"));
    year.stepBy(1);
    EXPECT_EQ(year.text(), QStringLiteral("2020"));
    year.setText(QStringLiteral("2026"));
    year.stepBy(-1);
    EXPECT_EQ(year.text(), QStringLiteral("2020"));
    year.setText(QStringLiteral("2012"));
    year.stepBy(1);
    EXPECT_EQ(year.value(), 2013);
    year.setText(QStringLiteral("二〇一二"));
    EXPECT_EQ(year.value(), 2009) << "text that is no number counts as the lower bound";
}

TEST(SpinEdit, ATypedValueOutsideTheBoundsIsBroughtInWhenLeft)
{
    QWidget window;
    auto* month = new widgets::SpinEdit(&window);
    month->setRange(1, 12);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    for (const auto& [typed, kept] :
         std::vector<std::pair<QString, QString>>{{"13", "12"}, {"0", "1"}, {"-4", "1"}, {"abc", "1"}, {"7", "7"}}) {
        month->setFocus();
        month->setText(typed);
        other->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(month->text(), kept) << typed.toStdString();
    }
}

TEST(DatePicker, HoldsADateInTheShortForm)
{
    widgets::DatePicker picker;
    EXPECT_TRUE(picker.calendarPopup());
    picker.setDateValue(*ledger::DateTime::make(2024, 3, 5));
    EXPECT_EQ(picker.text(), QStringLiteral("2024/3/5"));
    EXPECT_EQ(picker.isoText(), QStringLiteral("2024-03-05"));
    EXPECT_FALSE(picker.dateValue().hasTime());
}

// The month is built when the picker is first opened (a page with three
// pickers would otherwise spend 60 ms building months nobody opens), and
// then set up for Chinese weeks.
TEST(DatePicker, BuildsItsMonthWhenFirstOpened)
{
    widgets::DatePicker picker;
    picker.show();
    EXPECT_EQ(picker.findChild<QCalendarWidget*>(), nullptr);
    QTest::keyClick(&picker, Qt::Key_Down, Qt::AltModifier);
    QCalendarWidget* month = picker.findChild<QCalendarWidget*>();
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->firstDayOfWeek(), Qt::Sunday);
    EXPECT_EQ(month->locale().language(), QLocale::Chinese);
    EXPECT_EQ(month->verticalHeaderFormat(), QCalendarWidget::NoVerticalHeader);
}

} // namespace
