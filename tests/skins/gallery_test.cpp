// Every skin on every kind of control: it must load without style sheet
// warnings, leave room for Chinese text in the program's fixed-size boxes,
// and leave the navigation marks and pictures alone. Screenshots of each
// skin are saved under gallery/ for people to look at.

#include "gallery.h"

#include "skins/skin_applier.h"
#include "skins/skin_provider.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionSpinBox>
#include <QTableView>

#include <memory>

namespace {

QStringList warnings;

// Only what the style sheet machinery says: the offscreen platform's own
// notices (no keyboard grab and the like) are no fault of a skin.
void collectWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith(QLatin1String("This plugin does not support")))
        warnings.append(message);
}

class Gallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        warnings.clear();
        previous = qInstallMessageHandler(collectWarnings);
    }
    void TearDown() override
    {
        qInstallMessageHandler(previous);
        skins::removeSkin();
    }
    static void apply(const QString& name)
    {
        QByteArray sheet;
        ASSERT_TRUE(skins::GetSkin(name, sheet));
        skins::applySkin(sheet);
    }
    static QImage shot(QWidget* window)
    {
        window->show();
        QApplication::processEvents();
        return window->grab().toImage();
    }

    QtMessageHandler previous = nullptr;
};

// The height left for text inside a fixed-size box, as the style lays it out.
int textRoom(QLineEdit* edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    return edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).height();
}

int textRoom(QComboBox* combo)
{
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.rect = combo->rect();
    option.editable = combo->isEditable();
    option.subControls = QStyle::SC_All;
    return combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).height();
}

int textRoom(QAbstractSpinBox* spin)
{
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.rect = spin->rect();
    option.frame = true;
    option.subControls = QStyle::SC_All;
    return spin->style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, spin).height();
}

} // namespace

TEST_F(Gallery, EverySkinStylesTheControlsWithoutStyleSheetWarnings)
{
    for (const QString& name : skins::skinNames()) {
        apply(name);
        std::unique_ptr<QWidget> controls(gallery::controlsWindow());
        EXPECT_TRUE(gallery::save(shot(controls.get()), QStringLiteral("controls_%1.png").arg(name)));
        EXPECT_TRUE(gallery::save(gallery::popupsPicture(controls.get()), QStringLiteral("popups_%1.png").arg(name)));
        std::unique_ptr<QWidget> signIn(gallery::signInWindow());
        EXPECT_TRUE(gallery::save(shot(signIn.get()), QStringLiteral("sign_in_%1.png").arg(name)));
        std::unique_ptr<QWidget> frame(gallery::mainFrame());
        EXPECT_TRUE(gallery::save(shot(frame.get()), QStringLiteral("main_%1.png").arg(name)));
        EXPECT_TRUE(warnings.isEmpty()) << name.toStdString() << ": " << warnings.join(QLatin1Char('\n')).toStdString();
        warnings.clear();
    }
    std::unique_ptr<QWidget> plain(gallery::controlsWindow());
    EXPECT_TRUE(gallery::save(shot(plain.get()), QStringLiteral("controls_plain.png")));
}

TEST_F(Gallery, ChineseTextFitsTheProgramsFixedSizeBoxes)
{
    QWidget window;
    auto sized = [&](auto* widget, int height, int pixelSize) {
        widget->setParent(&window);
        widget->setGeometry(0, 0, 193, height);
        QFont font = widget->font();
        font.setPixelSize(pixelSize);
        widget->setFont(font);
        return widget;
    };
    QLineEdit* password = sized(new QLineEdit, 24, 13);
    QLineEdit* amount = sized(new QLineEdit, 21, 12);
    QComboBox* users = sized(new QComboBox, 21, 12);
    QSpinBox* spin = sized(new QSpinBox, 21, 12);
    auto* date = sized(new QDateEdit, 21, 12);
    date->setCalendarPopup(true);
    for (const QString& name : skins::skinNames()) {
        apply(name);
        window.show();
        QApplication::processEvents();
        const std::string skin = name.toStdString();
        EXPECT_GE(textRoom(password), password->fontMetrics().height()) << skin << " password";
        EXPECT_GE(textRoom(amount), amount->fontMetrics().height()) << skin << " edit";
        EXPECT_GE(textRoom(users), users->fontMetrics().height()) << skin << " combo box";
        EXPECT_GE(textRoom(spin), spin->fontMetrics().height()) << skin << " spin box";
        EXPECT_GE(textRoom(date), date->fontMetrics().height()) << skin << " date field";
    }
}

TEST_F(Gallery, SkinsLeaveTheProgramsOwnColoursAndPicturesAlone)
{
    std::unique_ptr<QWidget> controls(gallery::controlsWindow());
    std::unique_ptr<QWidget> signIn(gallery::signInWindow());
    const QImage background(QStringLiteral(":/artwork/login_background.jpg"));
    for (const QString& name : skins::skinNames()) {
        apply(name);
        shot(controls.get());
        const std::string skin = name.toStdString();
        auto* red = controls->findChild<QLabel*>(QStringLiteral("markedRed"));
        auto* lime = controls->findChild<QLabel*>(QStringLiteral("markedLime"));
        ASSERT_TRUE(red && lime);
        const QImage redShot = red->grab().toImage();
        bool hasRed = false;
        for (int y = 0; y < redShot.height() && !hasRed; ++y)
            for (int x = 0; x < redShot.width() && !hasRed; ++x) {
                const QColor c = redShot.pixelColor(x, y);
                hasRed = c.red() > 200 && c.green() < 60 && c.blue() < 60;
            }
        EXPECT_TRUE(hasRed) << skin << ": the marked caption is no longer red";
        EXPECT_EQ(lime->grab().toImage().pixelColor(2, 2), QColor(0, 255, 0))
            << skin << ": the marked label lost its lime background";
        auto* grid = controls->findChild<QTableView*>();
        ASSERT_TRUE(grid);
        const QRect cell = grid->visualRect(grid->model()->index(5, 1));
        EXPECT_EQ(grid->viewport()->grab().toImage().pixelColor(cell.topLeft() + QPoint(3, 3)), QColor(166, 202, 240))
            << skin << ": the grid's current-row colour was painted over";

        const QImage signInShot = shot(signIn.get());
        for (const QPoint& p : {QPoint(40, 40), QPoint(100, 230), QPoint(200, 100)})
            EXPECT_EQ(signInShot.pixel(p), background.pixel(p))
                << skin << ": the sign-in picture was restyled at " << p.x() << "," << p.y();
    }
}
