#pragma once

// TChnCalendar: a self-drawn month calendar with the lunar date, festival or
// solar term under each day number, a title with year and month (each opening
// a menu), spin buttons for month and year, a "今天" link back to today, the
// selected date in lunar terms, and large watermark numbers of the year and
// month behind the grid with an optional blended background picture.
//
// Embedding: the widget is sized by its parent like any QWidget (a layout
// with zero margins makes it fill a panel, see placeOnPanel). It finishes its
// set-up (menus, today's date, title) when it is first polished, normally
// just before it is first shown.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

#include "chn_calendar_use.h"
#include "date_time.h"

class QLabel;
class QMenu;

namespace calendar {

class DayGrid;
class SpinButton;

// One cell of the day grid (1..42). Cells 1..37 hold days; 40, 41 and 42 in
// the last row hold the constellation, the year stem-branch and the zodiac.
struct CalendarCell {
    bool Active = false;
    int Day = 0;
    QString DayNumberText;
    QString MonthText;
    QString LunarDayText;
    QString DisplayText;
    QColor DayColor;
    QColor LunarColor;
};

// The colour properties; what a change does depends on the colour.
enum class CalendarColor {
    TitleWeekLine,
    TitleWeekEnd,
    TitleWeek,
    CnDate,
    Date,
    Holiday,
    LunarHolDay,
    CnHolDay,
    SelectedStart,
    SelectedEnd,
    SelectedFrame,
    WeekNum,
    ShowFrame,
    BackYear,
    BackMonth,
    TitleToday,
    TitleMonth,
    TitleYear,
    TitleSelected,
    TitleConstellation,
    TitleAnimalsYear,
};

class TChnCalendar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool ShowTitle READ showTitle WRITE setShowTitle)
    Q_PROPERTY(bool ShowWeekNum READ showWeekNum WRITE setShowWeekNum)
    Q_PROPERTY(bool ShowFrame READ showFrame WRITE setShowFrame)
    Q_PROPERTY(bool ShowBackYearMonth READ showBackYearMonth WRITE setShowBackYearMonth)
    Q_PROPERTY(bool ShowWeekNumLine READ showWeekNumLine WRITE setShowWeekNumLine)
    Q_PROPERTY(bool HideSelection READ hideSelection WRITE setHideSelection)
    Q_PROPERTY(QFont FontDate READ fontDate WRITE setFontDate)
    Q_PROPERTY(QFont FontCnDate READ fontCnDate WRITE setFontCnDate)
    Q_PROPERTY(QColor ColorTitleWeekLine READ colorTitleWeekLine WRITE setColorTitleWeekLine)
    Q_PROPERTY(QColor ColorTitleWeekEnd READ colorTitleWeekEnd WRITE setColorTitleWeekEnd)
    Q_PROPERTY(QColor ColorTitleWeek READ colorTitleWeek WRITE setColorTitleWeek)
    Q_PROPERTY(QColor ColorCnDate READ colorCnDate WRITE setColorCnDate)
    Q_PROPERTY(QColor ColorDate READ colorDate WRITE setColorDate)
    Q_PROPERTY(QColor ColorHoliday READ colorHoliday WRITE setColorHoliday)
    Q_PROPERTY(QColor ColorLunarHolDay READ colorLunarHolDay WRITE setColorLunarHolDay)
    Q_PROPERTY(QColor ColorCnHolDay READ colorCnHolDay WRITE setColorCnHolDay)
    Q_PROPERTY(QColor ColorSelectedStart READ colorSelectedStart WRITE setColorSelectedStart)
    Q_PROPERTY(QColor ColorSelectedEnd READ colorSelectedEnd WRITE setColorSelectedEnd)
    Q_PROPERTY(QColor ColorSelectedFrame READ colorSelectedFrame WRITE setColorSelectedFrame)
    Q_PROPERTY(QColor ColorWeekNum READ colorWeekNum WRITE setColorWeekNum)
    Q_PROPERTY(QColor ColorShowFrame READ colorShowFrame WRITE setColorShowFrame)
    Q_PROPERTY(QColor ColorBackYear READ colorBackYear WRITE setColorBackYear)
    Q_PROPERTY(QColor ColorBackMonth READ colorBackMonth WRITE setColorBackMonth)
    Q_PROPERTY(QColor ColorTitleToday READ colorTitleToday WRITE setColorTitleToday)
    Q_PROPERTY(QColor ColorTitleMonth READ colorTitleMonth WRITE setColorTitleMonth)
    Q_PROPERTY(QColor ColorTitleYear READ colorTitleYear WRITE setColorTitleYear)
    Q_PROPERTY(QColor ColorTitleSelected READ colorTitleSelected WRITE setColorTitleSelected)
    Q_PROPERTY(QColor ColorTitleConstellation READ colorTitleConstellation WRITE setColorTitleConstellation)
    Q_PROPERTY(QColor ColorTitleAnimalsYear READ colorTitleAnimalsYear WRITE setColorTitleAnimalsYear)
    Q_PROPERTY(double DateTime READ dateTimeValue WRITE setDateTimeValue)
    Q_PROPERTY(QString CnDate READ cnDate WRITE setCnDate)
    Q_PROPERTY(QString CnMonth READ cnMonth WRITE setCnMonth)
    Q_PROPERTY(QString CnDay READ cnDay WRITE setCnDay)
    Q_PROPERTY(QImage BackGround READ backGround WRITE setBackGround)
    Q_PROPERTY(bool Center READ center WRITE setCenter)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(int AlphaBlend READ alphaBlend WRITE setAlphaBlend)

public:
    using TNotifyEvent = std::function<void(TChnCalendar& sender)>;
    // Raised while a day cell's two texts are drawn: text may be changed, and
    // clearing defaultDraw leaves the drawing of that text to the handler.
    // canvas paints the cell's buffer, whose rectangle is rect.
    using TDrawDateCellEvent = std::function<void(TChnCalendar& sender, int day, QPainter& canvas, const QRect& rect,
                                                  bool selected, QString& text, bool& defaultDraw)>;

    static constexpr int kFirstYear = 1;
    static constexpr int kLastYear = 2100;

    explicit TChnCalendar(QWidget* parent = nullptr);
    ~TChnCalendar() override;

    // The values the main window's form gives ChnCalendar1: its name, place
    // and size, and the properties it sets (the date is today's regardless).
    void applyFormValues();
    // Creates ChnCalendar1 with the form's values, filling the panel.
    static TChnCalendar* placeOnPanel(QWidget* panel);

    // --- events -------------------------------------------------------------
    TNotifyEvent OnChange; // after every fill of the month
    TNotifyEvent OnDateSelect; // a click lands on the current cell
    TNotifyEvent OnDateClick; // a day selected after a mouse button went down in the grid
    TDrawDateCellEvent OnDrawDateCell;
    TDrawDateCellEvent OnDrawCnDateCell;

    // --- operations -------------------------------------------------------------
    void BuildMenus();
    void LayoutGrid();
    void SetDateTime(calendar::DateTime x);
    void RefillMonth();
    bool SelectGridCell(int column, int row);
    void ApplyMonthUpDown();
    void ApplyYearUpDown();
    void GoToToday();
    void RebuildBackground();
    // Composes cell (column, row) and copies it onto the grid's painter at rect.
    void DrawGridCell(QPainter& grid, int column, int row, const QRect& rect, bool selected, bool focused);

    // --- properties -----------------------------------------------------------------
    bool showTitle() const { return showTitle_; }
    void setShowTitle(bool on);
    bool showWeekNum() const { return showWeekNum_; }
    void setShowWeekNum(bool on);
    bool showFrame() const { return showFrame_; }
    void setShowFrame(bool on) { setFaceFlag(showFrame_, on); }
    bool showBackYearMonth() const { return showBackYearMonth_; }
    void setShowBackYearMonth(bool on) { setFaceFlag(showBackYearMonth_, on); }
    bool showWeekNumLine() const { return showWeekNumLine_; }
    void setShowWeekNumLine(bool on);
    bool hideSelection() const { return hideSelection_; }
    void setHideSelection(bool on) { hideSelection_ = on; }
    const QFont& fontDate() const { return fontDate_; }
    void setFontDate(const QFont& font);
    const QFont& fontCnDate() const { return fontCnDate_; }
    void setFontCnDate(const QFont& font);

    QColor color(CalendarColor which) const;
    void setColor(CalendarColor which, const QColor& value);
    QColor colorTitleWeekLine() const { return color(CalendarColor::TitleWeekLine); }
    void setColorTitleWeekLine(const QColor& c) { setColor(CalendarColor::TitleWeekLine, c); }
    QColor colorTitleWeekEnd() const { return color(CalendarColor::TitleWeekEnd); }
    void setColorTitleWeekEnd(const QColor& c) { setColor(CalendarColor::TitleWeekEnd, c); }
    QColor colorTitleWeek() const { return color(CalendarColor::TitleWeek); }
    void setColorTitleWeek(const QColor& c) { setColor(CalendarColor::TitleWeek, c); }
    QColor colorCnDate() const { return color(CalendarColor::CnDate); }
    void setColorCnDate(const QColor& c) { setColor(CalendarColor::CnDate, c); }
    QColor colorDate() const { return color(CalendarColor::Date); }
    void setColorDate(const QColor& c) { setColor(CalendarColor::Date, c); }
    QColor colorHoliday() const { return color(CalendarColor::Holiday); }
    void setColorHoliday(const QColor& c) { setColor(CalendarColor::Holiday, c); }
    QColor colorLunarHolDay() const { return color(CalendarColor::LunarHolDay); }
    void setColorLunarHolDay(const QColor& c) { setColor(CalendarColor::LunarHolDay, c); }
    QColor colorCnHolDay() const { return color(CalendarColor::CnHolDay); }
    void setColorCnHolDay(const QColor& c) { setColor(CalendarColor::CnHolDay, c); }
    QColor colorSelectedStart() const { return color(CalendarColor::SelectedStart); }
    void setColorSelectedStart(const QColor& c) { setColor(CalendarColor::SelectedStart, c); }
    QColor colorSelectedEnd() const { return color(CalendarColor::SelectedEnd); }
    void setColorSelectedEnd(const QColor& c) { setColor(CalendarColor::SelectedEnd, c); }
    QColor colorSelectedFrame() const { return color(CalendarColor::SelectedFrame); }
    void setColorSelectedFrame(const QColor& c) { setColor(CalendarColor::SelectedFrame, c); }
    QColor colorWeekNum() const { return color(CalendarColor::WeekNum); }
    void setColorWeekNum(const QColor& c) { setColor(CalendarColor::WeekNum, c); }
    QColor colorShowFrame() const { return color(CalendarColor::ShowFrame); }
    void setColorShowFrame(const QColor& c) { setColor(CalendarColor::ShowFrame, c); }
    QColor colorBackYear() const { return color(CalendarColor::BackYear); }
    void setColorBackYear(const QColor& c) { setColor(CalendarColor::BackYear, c); }
    QColor colorBackMonth() const { return color(CalendarColor::BackMonth); }
    void setColorBackMonth(const QColor& c) { setColor(CalendarColor::BackMonth, c); }
    QColor colorTitleToday() const { return color(CalendarColor::TitleToday); }
    void setColorTitleToday(const QColor& c) { setColor(CalendarColor::TitleToday, c); }
    QColor colorTitleMonth() const { return color(CalendarColor::TitleMonth); }
    void setColorTitleMonth(const QColor& c) { setColor(CalendarColor::TitleMonth, c); }
    QColor colorTitleYear() const { return color(CalendarColor::TitleYear); }
    void setColorTitleYear(const QColor& c) { setColor(CalendarColor::TitleYear, c); }
    QColor colorTitleSelected() const { return color(CalendarColor::TitleSelected); }
    void setColorTitleSelected(const QColor& c) { setColor(CalendarColor::TitleSelected, c); }
    QColor colorTitleConstellation() const { return color(CalendarColor::TitleConstellation); }
    void setColorTitleConstellation(const QColor& c) { setColor(CalendarColor::TitleConstellation, c); }
    QColor colorTitleAnimalsYear() const { return color(CalendarColor::TitleAnimalsYear); }
    void setColorTitleAnimalsYear(const QColor& c) { setColor(CalendarColor::TitleAnimalsYear, c); }

    calendar::DateTime dateTime() const { return dateTime_; }
    double dateTimeValue() const { return dateTime_.value(); }
    void setDateTimeValue(double value) { SetDateTime(calendar::DateTime(value)); }
    const QString& cnDate() const { return cnDate_; }
    void setCnDate(const QString& text) { cnDate_ = text; }
    const QString& cnMonth() const { return cnMonth_; }
    void setCnMonth(const QString& text) { cnMonth_ = text; }
    const QString& cnDay() const { return cnDay_; }
    void setCnDay(const QString& text) { cnDay_ = text; }
    const QImage& backGround() const { return backGround_; }
    void setBackGround(const QImage& picture);
    bool center() const { return center_; }
    void setCenter(bool on) { setFaceFlag(center_, on); }
    bool stretch() const { return stretch_; }
    void setStretch(bool on) { setFaceFlag(stretch_, on); }
    bool transparent() const { return transparent_; }
    void setTransparent(bool on) { setFaceFlag(transparent_, on); }
    int alphaBlend() const { return alphaBlend_; }
    void setAlphaBlend(int value);

    // --- what the widget holds, for embedding code and tests ----------------------------
    const CalendarCell& cell(int index) const { return cells_[index]; } // 1..42
    const QString& weekNumberText(int row) const { return weekNumberTexts_[row]; } // 1..6
    DayGrid* dayGrid() const { return grid_; }
    QLabel* todayLabel() const { return todayLabel_; }
    QLabel* monthLabel() const { return monthLabel_; }
    QLabel* yearLabel() const { return yearLabel_; }
    QLabel* selectedDateLabel() const { return selectedDateLabel_; }
    SpinButton* monthUpDown() const { return monthUpDown_; }
    SpinButton* yearUpDown() const { return yearUpDown_; }
    QMenu* monthMenu() const { return monthMenu_; }
    QMenu* yearMenu() const { return yearMenu_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createChildren();
    QLabel* addLabel(const char* name, const QString& text, const QFont& font, const QColor& color, QPoint at);
    void placeLabels();
    void windowCreated();
    void setFaceFlag(bool& flag, bool on);
    void rebuildAndRepaint();
    void selectDayOf(int cellIndex);
    void clickedInGrid(int column, int row);
    void restoreSpinPositions();
    bool selectionShown(bool selected, bool focused) const;
    void drawHeaderCell(QPainter& p, int column, int width, int height);
    void drawWeekNumberCell(QPainter& p, int row, int width, int height);
    void drawTitleCell(QPainter& p, int index, int width, int height);
    void drawDayCell(QPainter& p, const CalendarCell& cell, int width, int height, bool selectionMark);
    void drawFrame(QPainter& p);
    void drawWatermarks(QPainter& p);
    void placePicture();

    // Properties.
    bool showTitle_ = false;
    bool showWeekNum_ = false;
    bool showFrame_ = true;
    bool showBackYearMonth_ = true;
    bool showWeekNumLine_ = true;
    bool hideSelection_ = false;
    QFont fontDate_;
    QFont fontCnDate_;
    std::array<QColor, 21> colors_;
    calendar::DateTime dateTime_;
    QString cnDate_, cnMonth_, cnDay_;
    QImage backGround_;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
    int alphaBlend_ = 50;

    // Children.
    DayGrid* grid_ = nullptr;
    QLabel* todayLabel_ = nullptr;
    QLabel* monthLabel_ = nullptr;
    QLabel* monthUnitLabel_ = nullptr;
    QLabel* yearLabel_ = nullptr;
    QLabel* yearUnitLabel_ = nullptr;
    QLabel* selectedDateLabel_ = nullptr;
    SpinButton* monthUpDown_ = nullptr;
    SpinButton* yearUpDown_ = nullptr;
    QMenu* monthMenu_ = nullptr;
    QMenu* yearMenu_ = nullptr;

    // State.
    QImage backgroundBitmap_;
    QImage cellBitmap_;
    QImage pictureBitmap_;
    TChnCal dayInfo_;
    std::array<CalendarCell, 43> cells_;
    std::array<QString, 7> weekNumberTexts_;
    bool mouseDownSeen_ = false;
    bool suppressSelect_ = false;
    bool windowCreated_ = false;
};

// The drawing helpers, free so that they can be checked on their own.
// 256 horizontal bands from one colour to the other, the first already a step on.
void FillGradient(QPainter& painter, const QRect& rect, const QColor& start, const QColor& end);
// Where a picture of pictureSize goes, stretched to fit bitmapSize with its proportions.
QRect FitPictureRect(const QSize& pictureSize, const QSize& bitmapSize, bool center);
// Mixes picture into background by alphaBlend mod 100 percent, leaving out
// the picture's pixels of the colour of its top-left pixel.
void BlendPicture(QImage& background, const QImage& picture, int alphaBlend);

} // namespace calendar
