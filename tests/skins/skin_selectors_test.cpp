// Narrowing a style sheet to marked widgets: whatever selector form a skin
// uses, only the styled widget's own compound gains the attribute.

#include "skins/skin_selectors.h"

#include <gtest/gtest.h>

using skins::restrictToAttribute;

namespace {

const QString kMark = QStringLiteral("[m=\"1\"]");

QString narrowed(const char* sheet)
{
    return restrictToAttribute(QString::fromUtf8(sheet), kMark).simplified();
}

} // namespace

TEST(SkinSelectors, AttributeGoesOnTheStyledWidget)
{
    const struct {
        const char* sheet;
        const char* expected;
    } cases[] = {
        {"QPushButton { color: red; }", "QPushButton[m=\"1\"] { color: red; }"},
        {"QPushButton:hover:!pressed { a: b }", "QPushButton[m=\"1\"]:hover:!pressed { a: b }"},
        {"QComboBox::drop-down { a: b }", "QComboBox[m=\"1\"]::drop-down { a: b }"},
        {"QComboBox QAbstractItemView { a: b }", "QComboBox QAbstractItemView[m=\"1\"] { a: b }"},
        {"QDialog > QLabel { a: b }", "QDialog > QLabel[m=\"1\"] { a: b }"},
        {"QDialog>QLabel { a: b }", "QDialog>QLabel[m=\"1\"] { a: b }"},
        {"QCalendarWidget QToolButton#qt_calendar_prevmonth { a: b }",
         "QCalendarWidget QToolButton[m=\"1\"]#qt_calendar_prevmonth { a: b }"},
        {"QLabel[skinRole=\"link\"]:hover { a: b }", "QLabel[m=\"1\"][skinRole=\"link\"]:hover { a: b }"},
        {"QLabel[text=\"a b, c>d\"] { a: b }", "QLabel[m=\"1\"][text=\"a b, c>d\"] { a: b }"},
        {"* { a: b }", "*[m=\"1\"] { a: b }"},
        {".QPushButton { a: b }", ".QPushButton[m=\"1\"] { a: b }"},
        {"#okButton { a: b }", "[m=\"1\"]#okButton { a: b }"},
        {"ns--Widget { a: b }", "ns--Widget[m=\"1\"] { a: b }"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(narrowed(c.sheet).toStdString(), c.expected) << c.sheet;
}

TEST(SkinSelectors, EverySelectorOfAListIsNarrowed)
{
    EXPECT_EQ(narrowed("QLineEdit:focus, QTextEdit:focus,\n QPlainTextEdit { a: b }").toStdString(),
              "QLineEdit[m=\"1\"]:focus, QTextEdit[m=\"1\"]:focus, QPlainTextEdit[m=\"1\"] { a: b }");
}

TEST(SkinSelectors, DeclarationsAndCommentsStayAsTheyAre)
{
    const char* sheet = "/* buttons, labels { not a rule } */\n"
                        "QPushButton {\n"
                        "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff, stop:1 #eee);\n"
                        "  image: url(:/artwork/arrow_down.png);\n"
                        "}\n"
                        "QLabel /* inside */ QFrame { a: b }\n";
    const QString out = restrictToAttribute(QString::fromUtf8(sheet), kMark);
    EXPECT_TRUE(out.startsWith(QStringLiteral("/* buttons, labels { not a rule } */\n"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff, stop:1 #eee);")));
    EXPECT_TRUE(out.contains(QStringLiteral("url(:/artwork/arrow_down.png)")));
    EXPECT_TRUE(out.contains(QStringLiteral("QFrame[m=\"1\"] { a: b }"))) << out.toStdString();
    EXPECT_EQ(out.count(kMark), 2);
}
