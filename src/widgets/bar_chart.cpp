#include "bar_chart.h"

#include "ledger/number_format.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace widgets {

namespace {
constexpr double kBarWidth = 0.40; // of a slot
constexpr double kBarOffset = 0.05; // of a slot, from its centre
constexpr int kLabelLength = 60; // room for a turned axis label
constexpr int kSmallestLabel = 9; // pixels: below this a date is hard to read
} // namespace

BarChart::BarChart(QWidget* parent) : QWidget(parent) {}

void BarChart::setData(const QStringList& labels, const std::vector<double>& values)
{
    labels_ = labels;
    values_ = values;
    fitAxis();
    update();
}

void BarChart::setLogarithmic(bool on)
{
    logarithmic_ = on;
    fitAxis();
    update();
}

void BarChart::fitAxis()
{
    double top = 0;
    for (double v : values_)
        top = std::max(top, v);
    if (logarithmic_) {
        // Whole powers of ten around every bar; a bar of 0 or less stays at the bottom.
        double smallest = top;
        for (double v : values_)
            if (v > 0)
                smallest = std::min(smallest, v);
        axisMin_ = smallest > 0 ? std::pow(10.0, std::floor(std::log10(smallest))) : 1;
        axisMax_ = top > 0 ? std::pow(10.0, std::ceil(std::log10(top))) : 10;
        if (axisMax_ <= axisMin_)
            axisMax_ = axisMin_ * 10;
        // The smallest bar stands at least a tenth of the plot high, even when
        // its total is a whole power of ten.
        while (smallest > 0 && position(smallest) < 0.1)
            axisMin_ /= 10;
    } else {
        axisMin_ = 0;
        axisMax_ = top > 0 ? top * 1.1 : 1;
    }
}

QRect BarChart::plotArea() const
{
    const int left = fontMetrics().height() + 8; // room for the turned axis labels
    const int bottom = fontMetrics().height() + 6; // room for the dates
    return QRect(left, 6, std::max(1, width() - left - 6), std::max(1, height() - bottom - 6));
}

double BarChart::position(double value) const
{
    if (logarithmic_) {
        if (value <= axisMin_)
            return 0;
        return std::min(1.0, std::log10(value / axisMin_) / std::log10(axisMax_ / axisMin_));
    }
    return std::clamp((value - axisMin_) / (axisMax_ - axisMin_), 0.0, 1.0);
}

std::vector<double> BarChart::axisMarks() const
{
    std::vector<double> marks;
    if (logarithmic_) {
        for (double m = axisMin_; m <= axisMax_ * 1.0001; m *= 10)
            marks.push_back(m);
    } else {
        for (int i = 0; i <= 4; ++i)
            marks.push_back(axisMin_ + (axisMax_ - axisMin_) * i / 4);
    }
    return marks;
}

int BarChart::markHeight(double mark) const
{
    const QRect area = plotArea();
    return area.bottom() - static_cast<int>(std::round(position(mark) * (area.height() - 1)));
}

// Each label is centred on its mark but kept beside the wall; from the
// bottom up, a label that would run into one below it is left out (its
// grid line stays).
std::vector<BarChart::AxisLabel> BarChart::axisLabels() const
{
    const QRect area = plotArea();
    const QFontMetrics metrics = fontMetrics();
    std::vector<AxisLabel> placed;
    for (double m : axisMarks()) {
        const QString text = QString::fromStdString(ledger::formatGeneral(m));
        const int length = std::min(kLabelLength, metrics.horizontalAdvance(text));
        const int y = markHeight(m);
        const int centre = std::clamp(y, area.top() + kLabelLength / 2,
                                      std::max(area.top() + kLabelLength / 2, area.bottom() - kLabelLength / 2));
        // Above the centre the text ends at the top of its room, below it at the bottom.
        const int top = y < centre   ? centre - kLabelLength / 2
                        : y > centre ? centre + kLabelLength / 2 - length
                                     : centre - length / 2;
        const QRect place(area.left() - 3 - metrics.height(), top, metrics.height(), length);
        if (!placed.empty() && place.bottom() + 2 >= placed.back().place.top())
            continue;
        placed.push_back({text, place});
    }
    return placed;
}

QFont BarChart::labelFont() const
{
    QFont f = font();
    const QRect area = plotArea();
    const double slot = static_cast<double>(area.width()) / static_cast<double>(std::max<size_t>(1, values_.size()));
    int pixels = QFontInfo(f).pixelSize();
    for (; pixels > kSmallestLabel; --pixels) {
        f.setPixelSize(pixels);
        const QFontMetrics metrics(f);
        int widest = 0;
        for (const QString& l : labels_)
            widest = std::max(widest, metrics.horizontalAdvance(l));
        if (widest + 2 <= slot)
            break;
    }
    f.setPixelSize(pixels);
    return f;
}

QRect BarChart::labelRect(int index) const
{
    return labelRect(index, labelFont());
}

QRect BarChart::labelRect(int index, const QFont& font) const
{
    if (index < 0 || index >= labels_.size())
        return {};
    const QRect area = plotArea();
    const double slot = static_cast<double>(area.width()) / static_cast<double>(std::max<size_t>(1, values_.size()));
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(labels_[index]);
    const int centre = static_cast<int>(area.left() + slot * (index + 0.5));
    return QRect(centre - width / 2, area.bottom() + 3, width, metrics.height());
}

QRect BarChart::barRect(int index) const
{
    if (index < 0 || index >= static_cast<int>(values_.size()))
        return {};
    const QRect area = plotArea();
    const double slot = static_cast<double>(area.width()) / static_cast<double>(values_.size());
    const double centre = area.left() + slot * (index + 0.5) + slot * kBarOffset;
    const int barWidth = std::max(2, static_cast<int>(slot * kBarWidth));
    const int barHeight = static_cast<int>(std::round(position(values_[static_cast<size_t>(index)]) * area.height()));
    return QRect(static_cast<int>(centre - barWidth / 2.0), area.bottom() - barHeight + 1, barWidth, barHeight);
}

void BarChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect area = plotArea();
    p.fillRect(area, QColor(192, 192, 192)); // the back wall
    p.setPen(QColor(150, 150, 150));
    p.drawRect(area.adjusted(0, 0, -1, -1));

    for (double m : axisMarks()) {
        const int y = markHeight(m);
        p.setPen(QColor(170, 170, 170));
        p.drawLine(area.left() + 1, y, area.right() - 1, y);
    }
    // The labels of the marks, turned upright.
    p.setPen(Qt::black);
    for (const AxisLabel& label : axisLabels()) {
        p.save();
        const QRectF place(label.place);
        p.translate(place.center());
        p.rotate(270);
        p.drawText(QRectF(-place.height() / 2, -place.width() / 2, place.height(), place.width()), Qt::AlignCenter, label.text);
        p.restore();
    }

    const QFont labels = labelFont(); // found once: each size tried loads a font
    p.setFont(labels);
    for (int i = 0; i < static_cast<int>(values_.size()); ++i) {
        const QRect bar = barRect(i);
        if (bar.height() > 0) {
            QLinearGradient shade(bar.topLeft(), bar.topRight());
            shade.setColorAt(0, QColor(150, 0, 0));
            shade.setColorAt(0.5, QColor(235, 40, 40));
            shade.setColorAt(1, QColor(255, 130, 130));
            p.fillRect(bar, shade);
        }
        if (i < labels_.size()) {
            p.setPen(Qt::black);
            p.drawText(labelRect(i, labels), Qt::AlignCenter, labels_[i]);
        }
    }
}

} // namespace widgets
