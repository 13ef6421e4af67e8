#include "canvas.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace artwork {

QFont sansFont(qreal pixelSize, QFont::Weight weight)
{
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

void addGrain(QImage& image, int strength, quint32 seed)
{
    quint32 state = seed ? seed : 1u;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            // xorshift: cheap, and the same picture on every build
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int delta = int(state % quint32(2 * strength + 1)) - strength;
            const QRgb p = line[x];
            line[x] = qRgba(qBound(0, qRed(p) + delta, 255), qBound(0, qGreen(p) + delta, 255), qBound(0, qBlue(p) + delta, 255),
                            qAlpha(p));
        }
    }
}

void drawLogo(QPainter& painter, const QRectF& box)
{
    const qreal s = box.width();
    auto at = [&](qreal fx, qreal fy) { return QPointF(box.left() + fx * s, box.top() + fy * s); };
    painter.save();

    QLinearGradient tile(box.topLeft(), box.bottomRight());
    tile.setColorAt(0, colour::brandLight);
    tile.setColorAt(1, colour::brandDeep);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(box, 0.22 * s, 0.22 * s);

    QRadialGradient shine(at(0.3, 0.15), 0.7 * s);
    shine.setColorAt(0, QColor(255, 255, 255, 70));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setBrush(shine);
    painter.drawRoundedRect(box, 0.22 * s, 0.22 * s);

    // Corners of the house, in fractions of the tile.
    const QPointF houseCorners[] = {{0.5, 0.19}, {0.86, 0.5}, {0.75, 0.5}, {0.75, 0.81}, {0.25, 0.81}, {0.25, 0.5}, {0.14, 0.5}};
    QPolygonF house;
    for (const QPointF& corner : houseCorners)
        house << at(corner.x(), corner.y());
    painter.setPen(QPen(Qt::white, 0.05 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPolygon(house);

    const QPointF centre = at(0.5, 0.63);
    const qreal r = 0.15 * s;
    QLinearGradient gold(centre - QPointF(0, r), centre + QPointF(0, r));
    gold.setColorAt(0, colour::coin);
    gold.setColorAt(1, colour::coinDeep);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gold);
    painter.drawEllipse(centre, r, r);

    // The yen strokes vanish below this size; the coin alone reads better.
    if (s >= 24) {
        painter.setPen(QPen(Qt::white, 0.036 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        // The yen sign: two arms, a stem and two bars.
        const QLineF strokes[] = {{0.445, 0.545, 0.5, 0.625},
                                  {0.555, 0.545, 0.5, 0.625},
                                  {0.5, 0.625, 0.5, 0.72},
                                  {0.455, 0.64, 0.545, 0.64},
                                  {0.455, 0.68, 0.545, 0.68}};
        for (const QLineF& stroke : strokes)
            painter.drawLine(at(stroke.x1(), stroke.y1()), at(stroke.x2(), stroke.y2()));
    }
    painter.restore();
}

void drawCloseMark(QPainter& painter, const QRectF& area, const QColor& colour)
{
    painter.save();
    const QPointF c = area.center();
    const qreal disc = qMin(area.width(), area.height()) / 2.0 - 1.5;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 46));
    painter.drawEllipse(c, disc, disc);
    const qreal arm = disc * 0.45;
    painter.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(c + QPointF(-arm, -arm), c + QPointF(arm, arm));
    painter.drawLine(c + QPointF(-arm, arm), c + QPointF(arm, -arm));
    painter.restore();
}

void drawCoin(QPainter& painter, QPointF centre, qreal radius)
{
    painter.save();
    QLinearGradient gold(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    gold.setColorAt(0, colour::coin.lighter(112));
    gold.setColorAt(1, colour::coinDeep);
    painter.setPen(QPen(colour::coinDeep, 1.0));
    painter.setBrush(gold);
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius * 0.72, radius * 0.72);
    painter.restore();
}

void drawBubble(QPainter& painter, QPointF centre, qreal radius, QColor colour, qreal opacity)
{
    painter.save();
    QRadialGradient fill(centre, radius, centre - QPointF(radius * 0.35, radius * 0.35));
    QColor inner = colour;
    inner.setAlphaF(float(opacity));
    QColor outer = colour;
    outer.setAlphaF(float(opacity * 0.35));
    fill.setColorAt(0, inner);
    fill.setColorAt(1, outer);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}

void drawText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, const QColor& colour, int alignment)
{
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(box, alignment, text);
    painter.restore();
}

void drawTitleBand(QPainter& painter, const QRectF& band, const QString& title)
{
    QLinearGradient fill(band.topLeft(), band.bottomLeft());
    fill.setColorAt(0, colour::brandLight);
    fill.setColorAt(1, colour::brand);
    painter.fillRect(band, fill);
    painter.fillRect(QRectF(band.left(), band.bottom() - 1, band.width(), 1), colour::brandDeep);
    const QRectF mark(band.left() + 12, band.center().y() - 10, 20, 20);
    drawLogo(painter, mark);
    drawText(painter, band.adjusted(40, 0, -60, 0), title, sansFont(14, QFont::Bold), Qt::white);
}

} // namespace artwork
