// The window icon and the small glyphs that style sheets cannot draw
// themselves (arrows, ticks). Glyphs are neutral grey or white so that
// every skin can put them on its own colours.

#include "canvas.h"
#include "pictures.h"

#include <QPainterPath>

namespace artwork {

namespace {

QImage icon(int size)
{
    return paintPicture(
        size, size,
        [&](QPainter& p) {
            const qreal margin = size >= 32 ? size / 32.0 : 0;
            drawLogo(p, QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
        },
        Qt::transparent);
}

// A chevron pointing down, turned by the given angle.
QImage arrow(qreal angle, const QColor& colour)
{
    return paintPicture(
        10, 10,
        [&](QPainter& p) {
            p.translate(5, 5);
            p.rotate(angle);
            p.setPen(QPen(colour, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            QPainterPath chevron;
            chevron.moveTo(-3.5, -1.6);
            chevron.lineTo(0, 1.9);
            chevron.lineTo(3.5, -1.6);
            p.drawPath(chevron);
        },
        Qt::transparent);
}

QImage tick()
{
    return paintPicture(
        12, 12,
        [&](QPainter& p) {
            p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            QPainterPath mark;
            mark.moveTo(2.2, 6.2);
            mark.lineTo(4.9, 8.9);
            mark.lineTo(9.8, 3.2);
            p.drawPath(mark);
        },
        Qt::transparent);
}

} // namespace

Pictures iconPictures()
{
    Pictures pictures;
    for (int size : {16, 32, 64, 128})
        pictures.push_back({QStringLiteral("app_icon_%1.png").arg(size), icon(size)});
    return pictures;
}

Pictures controlGlyphs()
{
    const QColor grey(0x4a, 0x5f, 0x75);
    // Grey arrows for fields on white; white ones for the calendar's
    // month buttons on the skin's strong colour.
    return {
        {QStringLiteral("arrow_down.png"), arrow(0, grey)},
        {QStringLiteral("arrow_up.png"), arrow(180, grey)},
        {QStringLiteral("arrow_left_light.png"), arrow(90, Qt::white)},
        {QStringLiteral("arrow_right_light.png"), arrow(-90, Qt::white)},
        {QStringLiteral("check.png"), tick()},
    };
}

} // namespace artwork
