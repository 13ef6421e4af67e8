// The main window's frame: header band, navigation column and status band.
// Pieces that meet (header left, middle, right; column top and filler;
// status left and strip) share their edge colours exactly, so that the
// window can stretch the middle pieces without a visible seam.

#include "canvas.h"
#include "pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

namespace artwork {

namespace {

constexpr int kHeaderHeight = 81;
constexpr int kColumnWidth = 193;
constexpr int kStatusHeight = 33;
const QColor kColumnBottom(0xea, 0xf3, 0xfc);

void paintHeaderBase(QPainter& p)
{
    const int width = p.device()->width();
    QLinearGradient sky(0, 0, 0, 77);
    sky.setColorAt(0, colour::skyTop);
    sky.setColorAt(1, colour::skyBottom);
    p.fillRect(QRectF(0, 0, width, 77), sky);
    p.fillRect(QRectF(0, 77, width, 1), Qt::white);
    p.fillRect(QRectF(0, 78, width, 3), colour::brand);
}

// Rising bars and a trend line: the household's money growing.
void paintGrowthMotif(QPainter& p, qreal left, qreal baseline)
{
    p.save();
    p.setPen(Qt::NoPen);
    const qreal heights[] = {16, 25, 21, 36};
    for (int i = 0; i < 4; ++i) {
        QColor c = i % 2 ? colour::brandLight : colour::leaf;
        c.setAlphaF(0.22f);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(left + i * 17, baseline - heights[i], 11, heights[i]), 3, 3);
    }
    QPainterPath trend;
    trend.moveTo(left - 4, baseline - 14);
    trend.cubicTo(left + 20, baseline - 24, left + 36, baseline - 20, left + 70, baseline - 48);
    p.setPen(QPen(QColor(0x2f, 0xa7, 0x7a, 120), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trend);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0xa7, 0x7a, 150));
    p.drawEllipse(QPointF(left + 70, baseline - 48), 3, 3);
    p.restore();
}

QImage headerLeft()
{
    return paintPicture(561, kHeaderHeight, [&](QPainter& p) {
        paintHeaderBase(p);
        p.save();
        p.setClipRect(QRectF(300, 0, 246, 77));
        drawBubble(p, {470, 6}, 44, colour::brandLight, 0.12);
        drawBubble(p, {398, 64}, 26, colour::brandLight, 0.08);
        p.restore();
        paintGrowthMotif(p, 462, 74);

        drawLogo(p, QRectF(22, 14, 50, 50));
        drawText(p, QRectF(86, 9, 360, 38), kProductName, sansFont(27, QFont::Bold), colour::brandDeep);
        drawText(p, QRectF(88, 47, 360, 20), kVersion + QStringLiteral("   ·   记好每一笔，过好每一天"), sansFont(12),
                 colour::muted);
    });
}

QImage headerMiddle()
{
    return paintPicture(16, kHeaderHeight, [&](QPainter& p) { paintHeaderBase(p); });
}

void paintInfoIcon(QPainter& p, QPointF c)
{
    p.setPen(QPen(colour::brand, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 6.5, 6.5);
    p.setPen(QPen(colour::brand, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(c + QPointF(0, -3.2));
    p.drawLine(c + QPointF(0, -0.5), c + QPointF(0, 3.5));
}

void paintFeedbackIcon(QPainter& p, QPointF c)
{
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(c.x() - 7, c.y() - 6, 14, 10), 3, 3);
    QPainterPath tail;
    tail.moveTo(c + QPointF(-3, 3.5));
    tail.lineTo(c + QPointF(-4.5, 7.5));
    tail.lineTo(c + QPointF(1, 3.5));
    tail.closeSubpath();
    p.setPen(QPen(colour::brand, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bubble.united(tail));
    p.setPen(QPen(colour::brand, 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = -1; i <= 1; ++i)
        p.drawPoint(c + QPointF(i * 3.2, -1));
}

void paintExitIcon(QPainter& p, QPointF c)
{
    p.setPen(QPen(colour::brand, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    // An open ring with a bar through its gap: the usual power sign.
    p.drawArc(QRectF(c.x() - 6.5, c.y() - 6, 13, 13), 120 * 16, 300 * 16);
    p.drawLine(c + QPointF(0, -7.5), c + QPointF(0, -0.5));
}

QImage headerRight()
{
    return paintPicture(302, kHeaderHeight, [&](QPainter& p) {
        paintHeaderBase(p);
        p.save();
        p.setClipRect(QRectF(14, 0, 288, 48));
        drawBubble(p, {250, 4}, 34, colour::brandLight, 0.12);
        drawBubble(p, {296, 36}, 18, colour::brandLight, 0.10);
        drawBubble(p, {186, -4}, 16, colour::brandLight, 0.08);
        p.restore();
        // The three text links stand at y 56; each gets a small sign before it.
        const qreal iconY = 64;
        paintInfoIcon(p, {38, iconY});
        paintFeedbackIcon(p, {89, iconY});
        paintExitIcon(p, {251, iconY});
    });
}

QImage columnTop()
{
    return paintPicture(kColumnWidth, 500, [&](QPainter& p) {
        QLinearGradient fill(0, 0, 0, 440);
        fill.setColorAt(0, QColor(0xf6, 0xfa, 0xfe));
        fill.setColorAt(1, kColumnBottom);
        p.fillRect(QRectF(0, 0, kColumnWidth, 440), fill);
        p.fillRect(QRectF(0, 440, kColumnWidth, 60), kColumnBottom);
        p.fillRect(QRectF(kColumnWidth - 1, 0, 1, 500), colour::hairline);

        // A small heading above the first label (which starts at y 41).
        const QFont heading = sansFont(12, QFont::Bold);
        drawText(p, QRectF(0, 8, kColumnWidth - 1, 20), QStringLiteral("功 能 导 航"), heading, colour::brand, Qt::AlignCenter);
        p.setPen(QPen(colour::hairline, 1.0));
        p.drawLine(QPointF(22, 18.5), QPointF(58, 18.5));
        p.drawLine(QPointF(134, 18.5), QPointF(170, 18.5));

        // The product's name and web address, under the click area (32, 448, 129 × 49).
        const QRectF card(22, 443, 149, 54);
        p.setPen(QPen(colour::hairline, 1.0));
        p.setBrush(QColor(255, 255, 255, 210));
        p.drawRoundedRect(card, 8, 8);
        const QFont name = sansFont(12, QFont::Bold);
        const qreal nameWidth = QFontMetricsF(name).horizontalAdvance(kProductName);
        const qreal rowWidth = 18 + 5 + nameWidth;
        const qreal left = card.center().x() - rowWidth / 2;
        drawLogo(p, QRectF(left, 451, 18, 18));
        drawText(p, QRectF(left + 23, 449, nameWidth + 2, 22), kProductName, name, colour::brandDeep);
        drawText(p, QRectF(card.left(), 472, card.width(), 18), kWebAddress, sansFont(11), colour::brand, Qt::AlignCenter);
    });
}

QImage columnFiller()
{
    return paintPicture(
        kColumnWidth, 16, [&](QPainter& p) { p.fillRect(QRectF(kColumnWidth - 1, 0, 1, 16), colour::hairline); }, kColumnBottom);
}

void paintStatusBase(QPainter& p)
{
    const int width = p.device()->width();
    QLinearGradient fill(0, 0, 0, kStatusHeight);
    fill.setColorAt(0, QColor(0xf4, 0xf9, 0xfe));
    fill.setColorAt(1, QColor(0xe3, 0xee, 0xfa));
    p.fillRect(QRectF(0, 0, width, kStatusHeight), fill);
    p.fillRect(QRectF(0, 0, width, 1), colour::hairline);
}

QImage statusLeft()
{
    return paintPicture(kColumnWidth, kStatusHeight, [&](QPainter& p) {
        paintStatusBase(p);
        drawLogo(p, QRectF(14, 8, 18, 18));
        drawText(p, QRectF(39, 1, 150, 32), QStringLiteral("家庭理财好帮手"), sansFont(12), colour::muted);
        p.fillRect(QRectF(kColumnWidth - 1, 7, 1, 20), colour::hairline);
    });
}

QImage statusStrip()
{
    return paintPicture(16, kStatusHeight, [&](QPainter& p) { paintStatusBase(p); });
}

} // namespace

Pictures framePictures()
{
    return {
        {QStringLiteral("header_left.jpg"), headerLeft()},   {QStringLiteral("header_middle.jpg"), headerMiddle()},
        {QStringLiteral("header_right.jpg"), headerRight()}, {QStringLiteral("nav_top.jpg"), columnTop()},
        {QStringLiteral("nav_filler.jpg"), columnFiller()},  {QStringLiteral("status_left.jpg"), statusLeft()},
        {QStringLiteral("status_strip.jpg"), statusStrip()},
    };
}

} // namespace artwork
