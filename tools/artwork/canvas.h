#pragma once

// Shared colours, type and drawing pieces, so that every picture of the
// program belongs to one family.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace artwork {

// The maker's web address as the pictures show it.
inline const QString kWebAddress = QStringLiteral("www.quibo.net");
inline const QString kProductName = QStringLiteral("Quibo家的记账本");
inline const QString kVersion = QStringLiteral("Bata 2.0");

namespace colour {
inline const QColor ink{0x1f, 0x3a, 0x56}; // body text
inline const QColor muted{0x62, 0x78, 0x8f}; // secondary text
inline const QColor brand{0x2b, 0x78, 0xcf}; // the blue of the product
inline const QColor brandDeep{0x1c, 0x58, 0xa3};
inline const QColor brandLight{0x5c, 0xa8, 0xef};
inline const QColor skyTop{0xf8, 0xfb, 0xff};
inline const QColor skyBottom{0xe4, 0xf0, 0xfc};
inline const QColor hairline{0xc3, 0xda, 0xf0};
inline const QColor leaf{0x2f, 0xa7, 0x7a}; // growth, savings
inline const QColor coin{0xf4, 0xb9, 0x42};
inline const QColor coinDeep{0xdb, 0x93, 0x1d};
} // namespace colour

// Noto CJK carries both the Chinese and the Latin letters of the product
// name, so titles never fall back to a second family mid-word.
QFont sansFont(qreal pixelSize, QFont::Weight weight = QFont::Normal);

// Paints onto an existing picture with antialiasing on.
template <typename Paint>
void paintOver(QImage& image, Paint&& paint)
{
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    paint(painter);
}

// A new picture of the given size on the given ground, painted by `paint`.
template <typename Paint>
QImage paintPicture(int width, int height, Paint&& paint, QColor ground = Qt::white)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(ground);
    paintOver(image, paint);
    return image;
}

// A faint, reproducible grain that keeps large flat areas from looking
// synthetic; only for pictures that are shown at their own size.
void addGrain(QImage& image, int strength, quint32 seed);

// The product's mark: a rounded tile holding a house with a coin.
void drawLogo(QPainter& painter, const QRectF& box);

// The "×" that closes an overlay, centred in the given click area.
void drawCloseMark(QPainter& painter, const QRectF& area, const QColor& colour);

// A gold coin seen from the front.
void drawCoin(QPainter& painter, QPointF centre, qreal radius);

// Translucent discs that give the light backgrounds some depth.
void drawBubble(QPainter& painter, QPointF centre, qreal radius, QColor colour, qreal opacity);

// Text placed by its box; alignment as for QPainter::drawText.
void drawText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font, const QColor& colour,
              int alignment = Qt::AlignLeft | Qt::AlignVCenter);

// A title or a caption card's shared blue band with a white title.
void drawTitleBand(QPainter& painter, const QRectF& band, const QString& title);

} // namespace artwork
