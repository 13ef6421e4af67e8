#include "chn_calendar_picker.h"

#include <QDateTime>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "calendar_fonts.h"
#include "day_grid.h"
#include "spin_button.h"

namespace calendar {

namespace {

constexpr int kDefaultWidth = 313;
constexpr int kDefaultHeight = 253;
constexpr int kMonthLabelRight = 44; // the month number ends just before "月"

const QColor kRed(255, 0, 0);

const char* const kMonthNames[12] = {"一月", "二月", "三月", "四月", "五月",   "六月",
                                     "七月", "八月", "九月", "十月", "十一月", "十二月"};

QFont songFont(const QFont& base)
{
    return calendarFont(base, "宋体", 12, QFont::Normal);
}

DateTime currentDateTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    const auto today = DateTime::fromDate(now.date().year(), now.date().month(), now.date().day());
    return DateTime(today->value() + now.time().msecsSinceStartOfDay() / 86400000.0);
}

void setTextColor(QLabel* label, const QColor& color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

bool inYearRange(const std::optional<SolarDate>& date)
{
    return date && date->year >= TChnCalendar::kFirstYear && date->year <= TChnCalendar::kLastYear;
}

} // namespace

TChnCalendar::TChnCalendar(QWidget* parent) : QWidget(parent)
{
    // The defaults, in the order of CalendarColor.
    colors_ = {QColor(197, 197, 197), kRed,
               QColor(79, 79, 79),    QColor(0, 128, 0),
               QColor(79, 79, 79),    QColor(255, 128, 0),
               QColor(83, 83, 255),   QColor(255, 128, 0),
               QColor(0, 174, 83),    QColor(0, 213, 101),
               QColor(0, 147, 70),    QColor(128, 128, 128),
               QColor(128, 128, 128), QColor(255, 232, 221),
               QColor(235, 235, 235), QColor(0, 0, 255),
               QColor(128, 128, 192), QColor(0, 0, 255),
               QColor(128, 128, 128), QColor(0, 0, 0),
               QColor(0, 0, 0)};
    fontDate_ = calendarFont(font(), "黑体", 12, QFont::Bold);
    fontCnDate_ = songFont(font());
    // The face is painted whole from its buffer; nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(kDefaultWidth, kDefaultHeight);
    createChildren();
}

TChnCalendar::~TChnCalendar() = default;

QLabel* TChnCalendar::addLabel(const char* name, const QString& text, const QFont& labelFont, const QColor& textColor, QPoint at)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setFont(labelFont);
    setTextColor(label, textColor);
    label->move(at);
    label->adjustSize();
    label->installEventFilter(this);
    return label;
}

void TChnCalendar::createChildren()
{
    QFont today = songFont(font());
    today.setUnderline(true);
    todayLabel_ = addLabel("TodayLabel", "今天", today, colors_[int(CalendarColor::TitleToday)], {272, 18});
    monthLabel_ = addLabel("MonthLabel", "", calendarFont(font(), "Arial", 32, QFont::Bold),
                           colors_[int(CalendarColor::TitleMonth)], {34, 3});
    monthLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    monthUnitLabel_ = addLabel("MonthUnitLabel", "月", songFont(font()), Qt::black, {45, 20});
    yearLabel_ = addLabel("YearLabel", "", calendarFont(font(), "Arial Black", 29, QFont::Black),
                          colors_[int(CalendarColor::TitleYear)], {120, 0});
    yearUnitLabel_ = addLabel("YearUnitLabel", "年", songFont(font()), Qt::black, {205, 18});
    selectedDateLabel_ =
        addLabel("SelectedDateLabel", "", songFont(font()), colors_[int(CalendarColor::TitleSelected)], {10, 236});
    for (QLabel* label : {todayLabel_, monthLabel_, monthUnitLabel_, yearLabel_, yearUnitLabel_})
        label->setCursor(Qt::PointingHandCursor);

    monthUpDown_ = new SpinButton(0, 13, this);
    monthUpDown_->setObjectName("MonthUpDown");
    monthUpDown_->move(60, 10);
    connect(monthUpDown_, &SpinButton::clicked, this, [this] { ApplyMonthUpDown(); });
    yearUpDown_ = new SpinButton(kFirstYear, kLastYear, this);
    yearUpDown_->setObjectName("YearUpDown");
    yearUpDown_->move(220, 10);
    connect(yearUpDown_, &SpinButton::clicked, this, [this] { ApplyYearUpDown(); });

    monthMenu_ = new QMenu(this);
    monthMenu_->setObjectName("MonthMenu");
    yearMenu_ = new QMenu(this);
    yearMenu_->setObjectName("YearMenu");

    // The grid comes last so that it covers any label under it.
    grid_ = new DayGrid(this);
    grid_->setObjectName("DayGrid");
    grid_->setGeometry(8, 40, 298, 186);
    grid_->canSelect = [this](int column, int row) { return SelectGridCell(column, row); };
    grid_->drawCell = [this](QPainter& p, int column, int row, const QRect& r, bool selected, bool focused) {
        DrawGridCell(p, column, row, r, selected, focused);
    };
    grid_->mousePressed = [this] { mouseDownSeen_ = true; };
    grid_->clicked = [this](int column, int row) { clickedInGrid(column, row); };
    setFocusProxy(grid_);
}

void TChnCalendar::applyFormValues()
{
    setObjectName("ChnCalendar1");
    setGeometry(1, 1, 766, 509);
    setShowTitle(true);
    setShowWeekNum(false);
    setShowFrame(true);
    setShowWeekNumLine(true);
    setHideSelection(false);
    setFontDate(calendarFont(font(), "黑体", 12, QFont::Bold));
    setFontCnDate(songFont(font()));
    setCenter(false);
    setAlphaBlend(50);
    // Every colour the form stores equals its default.
}

TChnCalendar* TChnCalendar::placeOnPanel(QWidget* panel)
{
    auto* calendar = new TChnCalendar(panel);
    calendar->applyFormValues();
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(calendar);
    return calendar;
}

// --- the window's life -------------------------------------------------------

bool TChnCalendar::event(QEvent* e)
{
    // Polishing comes just before the widget is first shown: the moment the
    // calendar takes today's date and lays itself out.
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::Polish && !windowCreated_)
        windowCreated();
    return handled;
}

void TChnCalendar::windowCreated()
{
    windowCreated_ = true;
    BuildMenus();
    SetDateTime(currentDateTime());
    setShowTitle(true);
}

void TChnCalendar::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    setShowTitle(showTitle_);
    update();
}

void TChnCalendar::leaveEvent(QEvent* e)
{
    mouseDownSeen_ = false;
    QWidget::leaveEvent(e);
}

void TChnCalendar::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange && grid_)
        rebuildAndRepaint(); // the face and the header use it
    QWidget::changeEvent(e);
}

bool TChnCalendar::eventFilter(QObject* watched, QEvent* e)
{
    QMenu* menu = nullptr;
    if (watched == monthLabel_ || watched == monthUnitLabel_)
        menu = monthMenu_;
    if (watched == yearLabel_ || watched == yearUnitLabel_)
        menu = yearMenu_;
    if (e->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(e);
        if (mouse->button() == Qt::LeftButton && watched == todayLabel_) {
            GoToToday();
            return true;
        }
        if (mouse->button() == Qt::LeftButton && menu) {
            menu->popup(mouse->globalPosition().toPoint());
            return true;
        }
    }
    if (e->type() == QEvent::ContextMenu && menu) {
        menu->popup(static_cast<QContextMenuEvent*>(e)->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

// --- properties ------------------------------------------------------------------

void TChnCalendar::setShowTitle(bool on)
{
    showTitle_ = on;
    monthUpDown_->setVisible(on);
    yearUpDown_->setVisible(on);
    if (on) {
        grid_->setGeometry(8, 40, width() - 15, height() - 67);
        grid_->setContextMenu(nullptr);
    } else {
        // The labels stay where they are, under the grid.
        grid_->setGeometry(2, 2, width() - 4, height() - 4);
        grid_->setContextMenu(yearMenu_);
    }
    LayoutGrid();
}

void TChnCalendar::setShowWeekNum(bool on)
{
    if (on == showWeekNum_)
        return;
    showWeekNum_ = on;
    grid_->setColumnWidth(0, on ? 18 : 6); // the other columns wait for the next layout
}

void TChnCalendar::setShowWeekNumLine(bool on)
{
    showWeekNumLine_ = on;
    grid_->update();
}

void TChnCalendar::setFontDate(const QFont& value)
{
    fontDate_ = value;
    grid_->update();
}

void TChnCalendar::setFontCnDate(const QFont& value)
{
    fontCnDate_ = value;
    grid_->update();
}

void TChnCalendar::setFaceFlag(bool& flag, bool on)
{
    flag = on;
    rebuildAndRepaint();
}

void TChnCalendar::setBackGround(const QImage& picture)
{
    backGround_ = picture.copy();
    rebuildAndRepaint();
}

void TChnCalendar::setAlphaBlend(int value)
{
    alphaBlend_ = std::clamp(value, 0, 255); // a byte
    rebuildAndRepaint();
}

void TChnCalendar::rebuildAndRepaint()
{
    RebuildBackground();
    update();
    grid_->update();
}

QColor TChnCalendar::color(CalendarColor which) const
{
    switch (which) {
    case CalendarColor::TitleToday: return todayLabel_->palette().color(QPalette::WindowText);
    case CalendarColor::TitleMonth: return monthLabel_->palette().color(QPalette::WindowText);
    case CalendarColor::TitleYear: return yearLabel_->palette().color(QPalette::WindowText);
    case CalendarColor::TitleSelected: return selectedDateLabel_->palette().color(QPalette::WindowText);
    default: return colors_[static_cast<int>(which)];
    }
}

void TChnCalendar::setColor(CalendarColor which, const QColor& value)
{
    colors_[static_cast<int>(which)] = value;
    switch (which) {
    case CalendarColor::Date:
    case CalendarColor::CnDate:
    case CalendarColor::Holiday:
    case CalendarColor::LunarHolDay:
    case CalendarColor::CnHolDay: RefillMonth(); break;
    case CalendarColor::BackYear:
    case CalendarColor::BackMonth: rebuildAndRepaint(); break;
    case CalendarColor::ShowFrame:
        if (showFrame_)
            rebuildAndRepaint();
        break;
    case CalendarColor::WeekNum:
        if (showWeekNum_)
            grid_->update();
        break;
    case CalendarColor::SelectedStart:
    case CalendarColor::SelectedEnd:
    case CalendarColor::SelectedFrame:
    case CalendarColor::TitleWeek:
    case CalendarColor::TitleWeekEnd:
    case CalendarColor::TitleWeekLine: grid_->update(); break;
    case CalendarColor::TitleToday: setTextColor(todayLabel_, value); break;
    case CalendarColor::TitleMonth: setTextColor(monthLabel_, value); break;
    case CalendarColor::TitleYear: setTextColor(yearLabel_, value); break;
    case CalendarColor::TitleSelected: setTextColor(selectedDateLabel_, value); break;
    case CalendarColor::TitleConstellation:
    case CalendarColor::TitleAnimalsYear: break; // seen at the next repaint
    }
}

// --- menus and layout ----------------------------------------------------------------

void TChnCalendar::BuildMenus()
{
    const auto addItem = [](QMenu* menu, const QString& caption, const QString& name, int tag) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setData(tag);
        return action;
    };
    const auto addSeparator = [](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(name); };
    const auto addToday = [this, addItem](QMenu* menu, const char* name) {
        QAction* today = addItem(menu, "今日", name, 0);
        menu->setDefaultAction(today); // shown in bold
        connect(today, &QAction::triggered, this, [this] { GoToToday(); });
    };
    const auto addYear = [this, addItem](QMenu* group, const QString& prefix, int year) {
        QAction* item = addItem(group, QString::number(year), prefix + QString::number(year), year);
        connect(item, &QAction::triggered, this, [this, year] {
            yearUpDown_->setPosition(year);
            ApplyYearUpDown();
        });
    };

    monthMenu_->clear();
    addToday(monthMenu_, "MenuMonth_ToDay");
    addSeparator(monthMenu_, "MenuMonth_ToDay_");
    for (int month = 1; month <= 12; ++month) {
        QAction* item = addItem(monthMenu_, kMonthNames[month - 1], "MenuMonth_" + QString::number(month - 1), month);
        connect(item, &QAction::triggered, this, [this, month] {
            monthUpDown_->setPosition(month);
            ApplyMonthUpDown();
        });
    }

    yearMenu_->clear();
    addToday(yearMenu_, "MenuYear_ToDay");
    addSeparator(yearMenu_, "MenuYear_ToDay_1");
    QMenu* history = yearMenu_->addMenu("历史日期");
    history->menuAction()->setObjectName("MenuYear_History");
    history->setObjectName("MenuYear_History");
    for (int g = 10; g <= 1810; g += 100) {
        QMenu* group = history->addMenu(QString::number(g - 10));
        group->menuAction()->setObjectName("MenuYear_History_" + QString::number(g));
        for (int year = g; year <= g + 90; year += 10)
            addYear(group, "MenuYear_History_", year);
    }
    addSeparator(yearMenu_, "MenuYear_ToDay_2");
    for (int g = 1900; g <= 2090; g += 10) {
        QMenu* group = yearMenu_->addMenu(QString::number(g));
        group->menuAction()->setObjectName("MenuYear_" + QString::number(g));
        for (int year = g; year <= g + 9; ++year)
            addYear(group, "MenuYear_", year);
    }

    grid_->setColumnWidth(0, 6);
    grid_->setRowHeight(0, 18);
    LayoutGrid();
}

void TChnCalendar::LayoutGrid()
{
    const int h = grid_->height() - grid_->rowHeight(0);
    const int w = grid_->width() - grid_->columnWidth(0);
    const int rowHeight = h / 6 - 1;
    const int columnWidth = w / 7 - 1;
    for (int row = 1; row <= 5; ++row)
        grid_->setRowHeight(row, rowHeight);
    grid_->setRowHeight(6, h - 5 * rowHeight);
    for (int column = 1; column <= 7; ++column)
        grid_->setColumnWidth(column, columnWidth);
    grid_->setColumnWidth(8, w - 7 * columnWidth);
    backgroundBitmap_ = QImage(size(), QImage::Format_RGB32);
    pictureBitmap_ = QImage(size(), QImage::Format_RGB32);
    RebuildBackground();
    grid_->update();
}

// --- the month -----------------------------------------------------------------------

void TChnCalendar::SetDateTime(DateTime x)
{
    if (x == dateTime_ || !inYearRange(x.date()))
        return;
    dateTime_ = x;
    RefillMonth();
}

void TChnCalendar::RefillMonth()
{
    const auto shown = dateTime_.date();
    if (!shown)
        return;
    const auto [year, month, day] = *shown;
    yearUpDown_->setPosition(year);
    monthUpDown_->setPosition(month);

    FillDayInfo(dayInfo_, dateTime_);
    cnMonth_ = QString::fromStdString(dayInfo_.MonthText);
    cnDay_ = QString::fromStdString(dayInfo_.DayText);
    cnDate_ = cnMonth_ + cnDay_;
    yearLabel_->setText(QString::number(year));
    monthLabel_->setText(QString::number(month));
    placeLabels();

    for (int i = 40; i <= 42; ++i)
        cells_[i].Active = true;
    cells_[41].DayNumberText = QString::fromStdString(dayInfo_.YearGanZhiText);
    cells_[42].DayNumberText = QString::fromStdString(dayInfo_.ZodiacText) + "年";
    selectedDateLabel_->setText(QString::fromStdString(FormatLunarDateLine(dayInfo_, dateTime_)));
    selectedDateLabel_->adjustSize();

    weekNumberTexts_.fill(QString());
    for (int i = 1; i <= 37; ++i) {
        CalendarCell& cell = cells_[i];
        cell.Active = false;
        cell.DayNumberText = cell.MonthText = cell.LunarDayText = cell.DisplayText = QString();
        cell.DayColor = i % 7 == 1 || i % 7 == 0 ? kRed : color(CalendarColor::Date);
    }

    const int first = DayOfWeek({year, month, 1});
    const int days = GregorianMonthDays(year, month);
    int lastWeek = -1;
    int row = 1;
    for (int i = first; i < first + days; ++i) {
        const int d = i - first + 1;
        const DateTime x = *DateTime::fromDate(year, month, d);
        FillDayInfo(dayInfo_, x);
        const int week = IsoWeekNumber({year, month, d});
        if (week != lastWeek && row <= 6) {
            weekNumberTexts_[row++] = QString::number(week);
            lastWeek = week;
        }
        CalendarCell& cell = cells_[i];
        cell.Day = d;
        cell.DayNumberText = QString::number(d);
        cell.MonthText = QString::fromStdString(dayInfo_.MonthText);
        cell.LunarDayText = QString::fromStdString(dayInfo_.DayText);
        const CellText shownText = ChooseCellText(dayInfo_);
        cell.DisplayText = QString::fromStdString(shownText.text);
        switch (shownText.kind) {
        case CellTextKind::LunarDay: cell.LunarColor = color(CalendarColor::CnDate); break;
        case CellTextKind::MonthFirst: cell.LunarColor = kRed; break;
        case CellTextKind::Holiday: cell.LunarColor = color(CalendarColor::Holiday); break;
        case CellTextKind::SolarTerm: cell.LunarColor = color(CalendarColor::LunarHolDay); break;
        case CellTextKind::LunarHoliday: cell.LunarColor = color(CalendarColor::CnHolDay); break;
        }
        if (d == day) {
            cells_[40].DayNumberText = QString::fromStdString(dayInfo_.ConstellationText);
            selectDayOf(i);
        }
        cell.Active = true;
    }

    RebuildBackground();
    update();
    grid_->update();
    if (OnChange)
        OnChange(*this);
}

void TChnCalendar::placeLabels()
{
    yearLabel_->adjustSize();
    monthLabel_->adjustSize();
    // The month number is right-justified against its "月".
    monthLabel_->move(kMonthLabelRight - monthLabel_->width(), monthLabel_->y());
}

void TChnCalendar::selectDayOf(int cellIndex)
{
    suppressSelect_ = true;
    if (cellIndex % 7 == 0)
        grid_->setCurrentCell(7, cellIndex / 7);
    else
        grid_->setCurrentCell(cellIndex % 7, cellIndex / 7 + 1);
    suppressSelect_ = false;
}

bool TChnCalendar::SelectGridCell(int column, int row)
{
    if (suppressSelect_)
        return true;
    if (column == 0 || column == 8 || row == 0)
        return false;
    const int index = (row - 1) * 7 + column;
    if (index < 1 || index > 37 || !cells_[index].Active)
        return false;
    const auto shown = dateTime_.date();
    if (const auto picked = DateTime::fromDate(shown->year, shown->month, cells_[index].Day))
        SetDateTime(*picked);
    if (OnDateClick && mouseDownSeen_)
        OnDateClick(*this);
    return true;
}

void TChnCalendar::clickedInGrid(int column, int row)
{
    if (OnDateSelect && column == grid_->currentColumn() && row == grid_->currentRow())
        OnDateSelect(*this);
}

// --- moving through the months and years ------------------------------------------------

void TChnCalendar::ApplyMonthUpDown()
{
    const auto shown = dateTime_.date();
    if (!shown)
        return;
    auto [year, month, day] = *shown;
    if (monthUpDown_->position() == 13) {
        ++year;
        monthUpDown_->setPosition(1);
    } else if (monthUpDown_->position() == 0) {
        --year;
        monthUpDown_->setPosition(12);
    }
    if (year < kFirstYear || year > kLastYear) {
        // Nothing lies beyond the calendar's years: stay, and keep the spin
        // buttons on the date shown so that the next click starts from there.
        restoreSpinPositions();
        return;
    }
    yearUpDown_->setPosition(year);
    month = monthUpDown_->position();
    while (day > 28 && !IsValidGregorianDate(year, month, day))
        --day; // 31 January → 28/29 February
    if (const auto x = DateTime::fromDate(year, month, day))
        SetDateTime(*x);
}

void TChnCalendar::ApplyYearUpDown()
{
    const auto shown = dateTime_.date();
    if (!shown)
        return;
    auto [year, month, day] = *shown;
    year = yearUpDown_->position();
    while (day > 0 && !IsValidGregorianDate(year, month, day))
        --day; // 29 February → 28
    const auto x = DateTime::fromDate(year, month, day);
    SetDateTime(x ? *x : currentDateTime());
}

void TChnCalendar::restoreSpinPositions()
{
    const auto shown = dateTime_.date();
    yearUpDown_->setPosition(shown->year);
    monthUpDown_->setPosition(shown->month);
}

void TChnCalendar::GoToToday()
{
    SetDateTime(currentDateTime());
}

} // namespace calendar
