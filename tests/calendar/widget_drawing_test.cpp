// What the calendar draws, checked on the pixels of a grabbed picture.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <cstdlib>

#include "widget_test_support.h"

namespace calendar {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QPoint kPlainSpot(90, 25); // on the face, clear of labels, buttons and grid

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2 && std::abs(a.blue() - b.blue()) <= 2;
}

QImage solidPicture(QSize size, QColor color, QColor topLeft)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    image.setPixelColor(0, 0, topLeft);
    return image;
}

TEST(CalendarFace, BackgroundPictureBlendsByAlphaMod100)
{
    const struct {
        int alpha;
        QColor expected;
    } rows[] = {
        {0, kWhite}, {50, QColor(127, 127, 255)}, {100, kWhite}, {150, QColor(127, 127, 255)}, {30, QColor(178, 178, 255)}};
    auto widget = calendarOn(2004, 2, 10);
    widget->setBackGround(solidPicture({200, 100}, QColor(0, 0, 255), QColor(1, 1, 1)));
    for (const auto& row : rows) {
        widget->setAlphaBlend(row.alpha);
        EXPECT_EQ(picture(*widget).pixelColor(kPlainSpot), row.expected) << "AlphaBlend " << row.alpha;
    }
}

TEST(CalendarFace, PixelsOfTheTransparentColourAreLeftOut)
{
    auto widget = calendarOn(2004, 2, 10);
    widget->setAlphaBlend(50);
    // Drawn at (0, 0) at its own size: the top-left pixel is red, and so is the spot.
    QImage image = solidPicture({200, 100}, QColor(0, 0, 255), kRed);
    image.setPixelColor(kPlainSpot, kRed);
    widget->setBackGround(image);
    EXPECT_EQ(picture(*widget).pixelColor(kPlainSpot), kWhite) << "red is the transparent colour";
    EXPECT_EQ(picture(*widget).pixelColor(kPlainSpot + QPoint(1, 0)), QColor(127, 127, 255));
    // Centred with a white margin: white is now transparent, red blends.
    widget->setCenter(true);
    widget->setBackGround(solidPicture({300, 240}, kRed, kRed)); // at (6, 6)
    const QImage shot = picture(*widget);
    EXPECT_EQ(shot.pixelColor(kPlainSpot), QColor(255, 127, 127));
    EXPECT_EQ(shot.pixelColor(4, 100), kWhite) << "the margin";
}

TEST(CalendarFace, StretchedPicturesKeepTheirProportions)
{
    EXPECT_EQ(FitPictureRect({200, 100}, {313, 253}, false), QRect(0, 0, 313, 156));
    EXPECT_EQ(FitPictureRect({200, 100}, {313, 253}, true), QRect(0, 48, 313, 156));
    EXPECT_EQ(FitPictureRect({100, 200}, {313, 253}, true), QRect(93, 0, 126, 253));
    EXPECT_EQ(FitPictureRect({100, 400}, {313, 253}, false), QRect(0, 0, 63, 253));
    EXPECT_TRUE(FitPictureRect({100, 0}, {313, 253}, false).isNull());
}

TEST(CalendarFace, WatermarkShowsBehindTheGrid)
{
    auto widget = calendarOn(2004, 8, 10, {766, 509});
    const QImage shot = picture(*widget);
    const QRect monthArea(300, 260, 160, 200); // the big 8 in the lower half of the grid
    EXPECT_TRUE(hasColor(shot, monthArea, widget->colorBackMonth()));
    EXPECT_TRUE(hasColor(shot, QRect(250, 60, 260, 180), widget->colorBackYear()));
    widget->setShowBackYearMonth(false);
    EXPECT_FALSE(hasColor(picture(*widget), monthArea, widget->colorBackMonth()));
}

TEST(CalendarCells, HeaderNamesShortenInNarrowColumns)
{
    auto wide = calendarOn(2004, 2, 10, {313, 253}); // day columns of 40 pixels
    auto narrow = calendarOn(2004, 2, 10, {280, 253}); // day columns of 36 pixels
    ASSERT_EQ(narrow->dayGrid()->columnWidth(2), 36);
    const auto headerInk = [](const TChnCalendar& widget) {
        const QRect header = cellRectInWidget(widget, 2, 0).adjusted(0, 0, 0, -5);
        const auto [first, last] = inkExtent(picture(widget), header, kWhite);
        return last - first + 1;
    };
    EXPECT_GT(headerInk(*wide), 30) << "星期一";
    EXPECT_LT(headerInk(*narrow), 16) << "一";
}

TEST(CalendarCells, WeekendNumbersAreRedWhateverTheHeaderColour)
{
    auto widget = calendarOn(2004, 2, 10);
    widget->setColorTitleWeekEnd(QColor(0, 0, 200));
    const QImage shot = picture(*widget);
    const QRect sunday = cellRectInWidget(*widget, 1, 2); // 8 February
    EXPECT_TRUE(hasColor(shot, sunday.adjusted(0, 0, 0, -sunday.height() / 2), kRed));
    EXPECT_TRUE(hasColor(shot, cellRectInWidget(*widget, 1, 0), QColor(0, 0, 200)));
    EXPECT_FALSE(hasColor(shot, cellRectInWidget(*widget, 1, 0), kRed));
}

TEST(CalendarCells, SelectionGradientAndFrame)
{
    auto widget = calendarOn(2004, 2, 10);
    const QRect selected = cellRectInWidget(*widget, 3, 2); // Tuesday 10 February
    QImage shot = picture(*widget);
    EXPECT_EQ(shot.pixelColor(selected.topLeft()), widget->colorSelectedFrame());
    EXPECT_TRUE(near(shot.pixelColor(selected.left() + 5, selected.top() + 1), widget->colorSelectedStart()))
        << "the top of the gradient";
    // A handler that draws the lunar text itself also drops the frame, not the gradient.
    widget->OnDrawCnDateCell = [](TChnCalendar&, int, QPainter&, const QRect&, bool, QString&, bool& draw) { draw = false; };
    widget->dayGrid()->update();
    shot = picture(*widget);
    EXPECT_NE(shot.pixelColor(selected.topLeft()), widget->colorSelectedFrame());
    EXPECT_TRUE(near(shot.pixelColor(selected.left() + 5, selected.bottom()), widget->colorSelectedEnd()))
        << "the bottom of the gradient";
}

TEST(CalendarCells, DrawHandlersMayChangeTheTexts)
{
    auto widget = calendarOn(2004, 2, 10);
    std::vector<int> days;
    widget->OnDrawDateCell = [&days](TChnCalendar&, int day, QPainter&, const QRect& rect, bool, QString& text, bool&) {
        days.push_back(day);
        EXPECT_EQ(rect.topLeft(), QPoint(0, 0));
        text = "";
    };
    const QRect sunday = cellRectInWidget(*widget, 1, 2);
    const QImage shot = picture(*widget);
    EXPECT_FALSE(hasColor(shot, sunday, kRed)) << "no day number drawn";
    EXPECT_EQ(days.size(), 29u);
}

TEST(CalendarCells, HiddenSelectionShowsOnlyWithTheFocus)
{
    auto widget = calendarOn(2004, 2, 10);
    widget->setHideSelection(true);
    widget->dayGrid()->clearFocus();
    const QRect selected = cellRectInWidget(*widget, 3, 2);
    const QPoint bottom(selected.left() + 5, selected.bottom() - 1); // just inside the frame
    EXPECT_FALSE(near(picture(*widget).pixelColor(bottom), widget->colorSelectedEnd())) << "without the focus";
    EXPECT_NE(picture(*widget).pixelColor(selected.topLeft()), widget->colorSelectedFrame());
    QApplication::setActiveWindow(widget.get());
    widget->dayGrid()->setFocus();
    ASSERT_TRUE(widget->dayGrid()->hasFocus());
    EXPECT_TRUE(near(picture(*widget).pixelColor(bottom), widget->colorSelectedEnd())) << "with the focus";
}

TEST(CalendarCells, TitleCellsReadAsOneWord)
{
    auto widget = calendarOn(2004, 2, 10, {766, 509});
    const QImage shot = picture(*widget);
    const auto extentIn = [&](int column) {
        const QRect cell = cellRectInWidget(*widget, column, 6);
        return inkExtent(shot, cell.adjusted(0, 0, 0, -30), kWhite);
    };
    const QRect constellation = cellRectInWidget(*widget, 5, 6);
    const auto [c1, c2] = extentIn(5);
    EXPECT_NEAR((c1 + c2) / 2.0, constellation.center().x(), 3) << "双鱼 centred";
    EXPECT_GE(extentIn(6).second, cellRectInWidget(*widget, 6, 6).right() - 2) << "甲申 at the right edge";
    EXPECT_LE(extentIn(7).first, cellRectInWidget(*widget, 7, 6).left() + 2) << "猴年 at the left edge";
}

QImage gradient(int height, QColor start, QColor end)
{
    QImage image(4, height, QImage::Format_RGB32);
    QPainter painter(&image);
    FillGradient(painter, image.rect(), start, end);
    return image;
}

TEST(CalendarCells, GradientBandsRunFromAStepPastTheStartToTheEnd)
{
    const QImage selection = gradient(512, QColor(0, 174, 83), QColor(0, 213, 101));
    EXPECT_EQ(selection.pixelColor(0, 0), QColor(0, 174, 83)) << "174 + round(39/256) stays 174";
    EXPECT_EQ(selection.pixelColor(3, 511), QColor(0, 213, 101));
    const QImage steep = gradient(256, QColor(0, 0, 0), QColor(255, 255, 255));
    EXPECT_EQ(steep.pixelColor(0, 0), QColor(1, 1, 1)) << "the first band is one step on";
    EXPECT_EQ(steep.pixelColor(0, 128), QColor(128, 128, 128)) << "band 129: 128.5 rounds to even";
    EXPECT_EQ(steep.pixelColor(0, 255), QColor(255, 255, 255));
}

} // namespace
} // namespace calendar
