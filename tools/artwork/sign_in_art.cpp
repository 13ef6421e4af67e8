// The sign-in window is nothing but this background, two boxes, a check
// box and two picture buttons; the picture also serves as its frame.

#include "canvas.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace artwork {

namespace {

constexpr int kWidth = 470;
constexpr int kHeight = 264;
// The white card behind the boxes; the button faces paint their corners in
// the same white so that they sit on it without a seam.
const QRectF kCard(150, 76, 308, 146);
const QColor kCardColour = Qt::white;

void paintTopBand(QPainter& p)
{
    QPainterPath band;
    band.moveTo(0, 0);
    band.lineTo(kWidth, 0);
    band.lineTo(kWidth, 46);
    band.cubicTo(360, 66, 150, 40, 0, 58);
    band.closeSubpath();
    QLinearGradient fill(0, 0, kWidth, 60);
    fill.setColorAt(0, colour::brand);
    fill.setColorAt(1, colour::brandLight);
    p.fillPath(band, fill);

    p.save();
    p.setClipPath(band);
    drawBubble(p, {400, 8}, 46, Qt::white, 0.13);
    drawBubble(p, {452, 40}, 24, Qt::white, 0.12);
    drawBubble(p, {330, -6}, 22, Qt::white, 0.10);
    p.restore();

    p.setPen(QPen(QColor(255, 255, 255, 190), 2.0));
    p.drawEllipse(QRectF(17, 9, 38, 38));
    drawLogo(p, QRectF(18, 10, 36, 36));
    drawText(p, QRectF(66, 5, 330, 28), kProductName, sansFont(21, QFont::Bold), Qt::white);
    drawText(p, QRectF(67, 30, 330, 16), QStringLiteral("家庭收支  ·  清清楚楚"), sansFont(11), QColor(255, 255, 255, 215));
}

void paintCard(QPainter& p)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 4; i >= 1; --i) {
        p.setBrush(QColor(30, 80, 140, 9));
        p.drawRoundedRect(kCard.adjusted(-i, -i + 2, i, i + 2), 10 + i, 10 + i);
    }
    p.setBrush(kCardColour);
    p.setPen(QPen(QColor(0xd4, 0xe4, 0xf4), 1.0));
    p.drawRoundedRect(kCard, 10, 10);
    p.restore();

    const QFont caption = sansFont(13);
    drawText(p, QRectF(150, 88, 76, 21), QStringLiteral("用户名："), caption, colour::ink, Qt::AlignRight | Qt::AlignVCenter);
    drawText(p, QRectF(150, 120, 76, 24), QStringLiteral("密　码："), caption, colour::ink, Qt::AlignRight | Qt::AlignVCenter);
}

void paintBadge(QPainter& p)
{
    const QPointF centre(78, 146);
    QRadialGradient fill(centre, 54, centre - QPointF(16, 18));
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(1, QColor(0xd2, 0xe6, 0xfa));
    p.setPen(QPen(QColor(255, 255, 255), 3.0));
    p.setBrush(fill);
    p.drawEllipse(centre, 52, 52);
    drawLogo(p, QRectF(centre.x() - 27, centre.y() - 31, 54, 54));
    drawCoin(p, centre + QPointF(36, 34), 11);
    drawCoin(p, centre + QPointF(22, 42), 9);
    drawCoin(p, centre + QPointF(46, 18), 7);
}

void paintFooter(QPainter& p)
{
    const QFont small = sansFont(11);
    const QColor tone = colour::muted;
    drawText(p, QRectF(18, 236, 250, 22), QStringLiteral("© Quibo  ·  ") + kWebAddress, small, tone);
    drawText(p, QRectF(300, 236, 152, 22), kVersion, small, tone, Qt::AlignRight | Qt::AlignVCenter);
}

QImage background()
{
    QImage image = paintPicture(kWidth, kHeight, [](QPainter& p) {
        QLinearGradient sky(0, 0, 0, kHeight);
        sky.setColorAt(0, colour::skyBottom);
        sky.setColorAt(1, colour::skyTop);
        p.fillRect(QRectF(0, 0, kWidth, kHeight), sky);
    });
    // Grain on the sky only: the card and the texts stay clean.
    addGrain(image, 2, 0x51e1);
    paintOver(image, [](QPainter& p) {
        drawBubble(p, {-10, 250}, 70, colour::brandLight, 0.10);
        drawBubble(p, {470, 262}, 40, colour::brandLight, 0.08);
        paintTopBand(p);
        paintCard(p);
        paintBadge(p);
        paintFooter(p);
        // The window has no frame of its own.
        p.setPen(QPen(colour::brand, 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
    });
    return image;
}

enum class Face { Normal, Hover, Pressed };

QImage buttonFace(const QString& text, bool primary, Face face)
{
    return paintPicture(
        81, 33,
        [&](QPainter& p) {
            // A margin of plain card around the face keeps JPEG's blur of the
            // rounded edge away from the picture's border, where it meets the card.
            const QRectF body(2.5, 2.5, 76, 26.5);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(30, 80, 140, face == Face::Pressed ? 0 : 28));
            p.drawRoundedRect(body.translated(0, 1.5), 6, 6);

            QColor top, bottom, border, label;
            if (primary) {
                top = face == Face::Pressed ? colour::brand : colour::brandLight;
                bottom = face == Face::Pressed ? colour::brandDeep : colour::brand;
                if (face == Face::Hover) {
                    top = top.lighter(110);
                    bottom = bottom.lighter(112);
                }
                border = colour::brandDeep;
                label = Qt::white;
            } else {
                top = face == Face::Pressed ? QColor(0xe1, 0xeb, 0xf5) : Qt::white;
                bottom = face == Face::Hover ? QColor(0xe0, 0xed, 0xfa) : QColor(0xee, 0xf3, 0xf8);
                border = face == Face::Normal ? QColor(0xb3, 0xc8, 0xde) : colour::brandLight;
                label = colour::ink;
            }
            QLinearGradient fill(0, body.top(), 0, body.bottom());
            fill.setColorAt(0, top);
            fill.setColorAt(1, bottom);
            p.setPen(QPen(border, 1.0));
            p.setBrush(fill);
            p.drawRoundedRect(body, 6, 6);

            QFont font = sansFont(14, primary ? QFont::Bold : QFont::Normal);
            font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
            // Letter spacing also trails the last character; shift it back.
            const QRectF textBox = body.translated(face == Face::Pressed ? 3 : 2, face == Face::Pressed ? 1 : 0);
            drawText(p, textBox, text, font, label, Qt::AlignCenter);
        },
        kCardColour);
}

} // namespace

Pictures signInPictures()
{
    Pictures pictures{{QStringLiteral("login_background.jpg"), background()}};
    const struct {
        const char* name;
        Face face;
    } faces[] = {{"", Face::Normal}, {"_hover", Face::Hover}, {"_pressed", Face::Pressed}};
    for (const auto& f : faces) {
        const QString suffix = QString::fromLatin1(f.name) + QStringLiteral(".jpg");
        pictures.push_back({QStringLiteral("button_ok") + suffix, buttonFace(QStringLiteral("确定"), true, f.face)});
        pictures.push_back({QStringLiteral("button_cancel") + suffix, buttonFace(QStringLiteral("取消"), false, f.face)});
    }
    return pictures;
}

} // namespace artwork
