// How the calendar draws itself: its face (white ground, frame, watermark
// numbers of year and month, a blended background picture) and every cell of
// the day grid, composed off-screen and laid transparently over the face.

#include <QPainter>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>

#include "calendar_fonts.h"
#include "chn_calendar_picker.h"
#include "day_grid.h"

namespace calendar {

namespace {

const QColor kRed(255, 0, 0);
const char* const kShortWeekdays[7] = {"日", "一", "二", "三", "四", "五", "六"};
const char* const kLongWeekdays[7] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};

// Text is placed by its em box rather than by the font's line height: CJK
// fonts have tall line boxes that would not fit the calendar's small rows,
// while their glyphs sit within the em box (0.88 of it above the baseline).
// Texts are single lines, cut with an ellipsis when too wide, drawn without
// a background; horizontal alignment from flags (left, centre, right), vertical
// from flags (top, centre, bottom).
void drawText(QPainter& painter, const QRect& rect, int flags, const QString& text, const QFont& font, const QColor& color)
{
    if (text.isEmpty())
        return;
    painter.setFont(font);
    painter.setPen(color);
    const QFontMetricsF metrics(font, painter.device());
    const QString shown = metrics.elidedText(text, Qt::ElideRight, rect.width());
    const double em = QFontInfo(font).pixelSize();
    const double textWidth = metrics.horizontalAdvance(shown);
    double x = rect.left();
    if (flags & Qt::AlignHCenter)
        x += (rect.width() - textWidth) / 2;
    if (flags & Qt::AlignRight)
        x += rect.width() - textWidth;
    double top = rect.top();
    if (flags & Qt::AlignVCenter)
        top += (rect.height() - em) / 2;
    if (flags & Qt::AlignBottom)
        top += rect.height() - em;
    painter.drawText(QPointF(std::round(x), std::round(top + 0.88 * em)), shown);
}

// Whether the style draws an editable box's frame at all (a plain style may not).
bool styleDrawsEditFrame(const QWidget& widget)
{
    QImage probe(24, 24, QImage::Format_ARGB32_Premultiplied);
    probe.fill(Qt::transparent);
    QPainter painter(&probe);
    QStyleOptionFrame option;
    option.initFrom(&widget);
    option.rect = probe.rect();
    option.lineWidth = 1;
    widget.style()->drawPrimitive(QStyle::PE_FrameLineEdit, &option, &painter, &widget);
    painter.end();
    for (int x = 0; x < probe.width(); ++x)
        if (qAlpha(probe.pixel(x, 0)) || qAlpha(probe.pixel(x, 1)))
            return true;
    return false;
}

} // namespace

// --- the face ------------------------------------------------------------------------

void TChnCalendar::RebuildBackground()
{
    if (backgroundBitmap_.size() != size())
        backgroundBitmap_ = QImage(size(), QImage::Format_RGB32);
    if (backgroundBitmap_.isNull())
        return;
    backgroundBitmap_.fill(Qt::white);
    QPainter painter(&backgroundBitmap_);
    painter.setFont(font());
    if (showFrame_)
        drawFrame(painter);
    if (showBackYearMonth_)
        drawWatermarks(painter);
    painter.end();
    placePicture();
    if (!pictureBitmap_.isNull())
        BlendPicture(backgroundBitmap_, pictureBitmap_, alphaBlend_);
}

void TChnCalendar::drawFrame(QPainter& painter)
{
    // The frame of an editable box where the style has one, else a plain line.
    if (styleDrawsEditFrame(*this)) {
        QStyleOptionFrame option;
        option.initFrom(this);
        option.rect = rect();
        option.lineWidth = 1;
        option.state &= ~QStyle::State_HasFocus;
        style()->drawPrimitive(QStyle::PE_FrameLineEdit, &option, &painter, this);
    } else {
        painter.setPen(color(CalendarColor::ShowFrame));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TChnCalendar::drawWatermarks(QPainter& painter)
{
    const auto shown = dateTime_.date();
    if (!shown)
        return;
    const QRect grid = grid_->geometry();
    const int middle = (grid.y() + grid.height()) / 2;
    const QRect yearRect(QPoint(grid.left(), grid.top() + 6), QPoint(grid.right(), middle - 1 + 6));
    const QRect monthRect(QPoint(grid.left(), middle), grid.bottomRight());
    painter.save();
    painter.setClipRect(yearRect);
    drawText(painter, yearRect, Qt::AlignCenter, QString::number(shown->year),
             calendarFont(font(), "Arial Black", 64, QFont::Black), color(CalendarColor::BackYear));
    painter.setClipRect(monthRect);
    drawText(painter, monthRect, Qt::AlignCenter, QString::number(shown->month),
             calendarFont(font(), "Arial Black", 120, QFont::Black), color(CalendarColor::BackMonth));
    painter.restore();
}

void TChnCalendar::placePicture()
{
    if (backGround_.isNull()) {
        pictureBitmap_ = QImage();
        return;
    }
    pictureBitmap_ = QImage(size(), QImage::Format_RGB32);
    pictureBitmap_.fill(Qt::white);
    QPainter painter(&pictureBitmap_);
    const QSize bitmapSize = pictureBitmap_.size();
    const QSize pictureSize = backGround_.size();
    if (stretch_) {
        const QRect target = FitPictureRect(pictureSize, bitmapSize, center_);
        if (!target.isEmpty())
            painter.drawImage(target, backGround_);
    } else if (center_) {
        painter.drawImage(QPoint((bitmapSize.width() - pictureSize.width()) / 2,
                                 (bitmapSize.height() - pictureSize.height()) / 2),
                          backGround_);
    } else {
        painter.drawImage(QPoint(0, 0), backGround_);
    }
}

void TChnCalendar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, backgroundBitmap_);
}

// --- the cells ---------------------------------------------------------------------------

bool TChnCalendar::selectionShown(bool selected, bool focused) const
{
    return selected && (!hideSelection_ || focused);
}

void TChnCalendar::DrawGridCell(QPainter& grid, int column, int row, const QRect& rect, bool selected, bool focused)
{
    if (cellBitmap_.size() != rect.size())
        cellBitmap_ = QImage(rect.size(), QImage::Format_RGB32);
    // The face under the cell shows through: watermark, picture and frame.
    QPainter painter(&cellBitmap_);
    painter.drawImage(QPoint(0, 0), backgroundBitmap_, rect.translated(grid_->pos()));
    painter.setFont(font());
    const int w = rect.width();
    const int h = rect.height();
    if (row == 0) {
        drawHeaderCell(painter, column, w, h);
    } else if (column == 0) {
        drawWeekNumberCell(painter, row, w, h);
    } else if (column <= 7) {
        const int index = (row - 1) * 7 + column;
        const bool mark = selectionShown(selected, focused);
        if (mark)
            FillGradient(painter, QRect(0, 0, w, h), color(CalendarColor::SelectedStart), color(CalendarColor::SelectedEnd));
        if (index >= 40 && cells_[index].Active)
            drawTitleCell(painter, index, w, h);
        else if (index <= 37 && cells_[index].Active)
            drawDayCell(painter, cells_[index], w, h, mark);
    }
    painter.end();
    grid.drawImage(rect.topLeft(), cellBitmap_);
}

void TChnCalendar::drawHeaderCell(QPainter& painter, int column, int w, int h)
{
    const QRect textRect(0, 0, w - 2, h);
    QString text;
    QColor textColor = color(CalendarColor::TitleWeek);
    if (column == 0) {
        if (showWeekNum_)
            text = "W";
        textColor = color(CalendarColor::WeekNum);
    } else if (column <= 7) {
        text = textRect.width() > 36 ? kLongWeekdays[column - 1] : kShortWeekdays[column - 1];
        if (column == 1 || column == 7)
            textColor = color(CalendarColor::TitleWeekEnd);
    }
    drawText(painter, textRect, Qt::AlignHCenter | Qt::AlignTop, text, font(), textColor);
    painter.setPen(color(CalendarColor::TitleWeekLine));
    painter.drawLine(0, h - 4, w, h - 4);
    if (column == 0 && showWeekNum_ && showWeekNumLine_)
        painter.drawLine(w - 1, 0, w - 1, h);
}

void TChnCalendar::drawWeekNumberCell(QPainter& painter, int row, int w, int h)
{
    if (showWeekNum_ && !weekNumberTexts_[row].isEmpty())
        drawText(painter, QRect(0, 0, w, h), Qt::AlignCenter, weekNumberTexts_[row],
                 calendarFont(font(), "宋体", 12, QFont::Normal), color(CalendarColor::WeekNum));
    if (showWeekNumLine_) {
        painter.setPen(color(CalendarColor::TitleWeekLine));
        painter.drawLine(w - 1, 0, w - 1, h);
    }
}

void TChnCalendar::drawTitleCell(QPainter& painter, int index, int w, int h)
{
    // 40: the constellation; 41 and 42 read as one word, such as 甲申猴年.
    const int alignment = index == 40 ? Qt::AlignHCenter : index == 41 ? Qt::AlignRight : Qt::AlignLeft;
    const QColor textColor = color(index == 40 ? CalendarColor::TitleConstellation : CalendarColor::TitleAnimalsYear);
    drawText(painter, QRect(0, 8, w, h - 8), alignment | Qt::AlignTop, cells_[index].DayNumberText,
             calendarFont(font(), "宋体", 12, QFont::Normal), textColor);
}

void TChnCalendar::drawDayCell(QPainter& painter, const CalendarCell& cell, int w, int h, bool mark)
{
    const QRect whole(0, 0, w, h);
    // The day number sits at the bottom of the upper half, the lunar text at
    // the top of the lower half; the fonts' own colours are not used.
    QString number = cell.DayNumberText;
    bool defaultDraw = true;
    if (OnDrawDateCell)
        OnDrawDateCell(*this, cell.Day, painter, whole, mark, number, defaultDraw);
    if (defaultDraw)
        drawText(painter, QRect(2, 0, w - 4, h / 2), Qt::AlignHCenter | Qt::AlignBottom, number, fontDate_, cell.DayColor);
    QString lunar = cell.DisplayText;
    defaultDraw = true;
    if (OnDrawCnDateCell)
        OnDrawCnDateCell(*this, cell.Day, painter, whole, mark, lunar, defaultDraw);
    if (!defaultDraw)
        return;
    drawText(painter, QRect(2, h / 2, w - 4, h - h / 2), Qt::AlignHCenter | Qt::AlignTop, lunar, fontCnDate_, cell.LunarColor);
    if (mark) {
        painter.setPen(color(CalendarColor::SelectedFrame));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(whole.adjusted(0, 0, -1, -1));
    }
}

// --- helpers ----------------------------------------------------------------------------------

void FillGradient(QPainter& painter, const QRect& rect, const QColor& start, const QColor& end)
{
    const auto round = [](double x) { return static_cast<int>(std::nearbyint(x)); }; // half to even
    const int h = rect.height();
    for (int band = 1; band <= 256; ++band) {
        const int top = round((band - 1) * h / 256.0);
        const int bottom = round(band * h / 256.0);
        if (bottom <= top)
            continue;
        const auto step = [&](int from, int to) { return from + round(band * (to - from) / 256.0); };
        painter.fillRect(QRect(rect.left(), rect.top() + top, rect.width(), bottom - top),
                         QColor(step(start.red(), end.red()), step(start.green(), end.green()), step(start.blue(), end.blue())));
    }
}

QRect FitPictureRect(const QSize& pictureSize, const QSize& bitmapSize, bool center)
{
    if (pictureSize.height() <= 0 || pictureSize.width() <= 0)
        return QRect();
    const double ratio = double(pictureSize.width()) / pictureSize.height();
    const int bitmapW = bitmapSize.width();
    const int bitmapH = bitmapSize.height();
    int w, h;
    if (pictureSize.height() < pictureSize.width()) {
        w = bitmapW;
        h = static_cast<int>(bitmapW / ratio);
        if (h > bitmapH) {
            h = bitmapH;
            w = static_cast<int>(bitmapH * ratio);
        }
    } else {
        h = bitmapH;
        w = static_cast<int>(bitmapH * ratio);
        if (w > bitmapW) {
            w = bitmapW;
            h = static_cast<int>(bitmapW / ratio);
        }
    }
    QRect fitted(0, 0, w, h);
    if (center)
        fitted.translate((bitmapW - w) / 2, (bitmapH - h) / 2);
    return fitted;
}

void BlendPicture(QImage& background, const QImage& picture, int alphaBlend)
{
    if (picture.isNull() || background.isNull())
        return;
    const int p = alphaBlend % 100;
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    if (background.format() != QImage::Format_RGB32)
        background = background.convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = source.pixel(0, 0);
    const auto mix = [p](int back, int front) { return std::clamp(((100 - p) * back + p * front) / 100, 0, 255); };
    const int rows = std::min(source.height(), background.height());
    const int columns = std::min(source.width(), background.width());
    for (int y = 0; y < rows; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(background.scanLine(y));
        for (int x = 0; x < columns; ++x) {
            if (in[x] == transparent)
                continue;
            out[x] = qRgb(mix(qRed(out[x]), qRed(in[x])), mix(qGreen(out[x]), qGreen(in[x])), mix(qBlue(out[x]), qBlue(in[x])));
        }
    }
}

} // namespace calendar
