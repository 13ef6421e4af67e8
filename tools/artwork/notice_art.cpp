// The two overlay cards of the main window, 470 × 240: the About box and
// the picture that covers the feedback page when the site cannot be reached.
// Both carry their close mark where the window puts its click area.

#include "canvas.h"
#include "pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

namespace artwork {

namespace {

constexpr int kWidth = 470;
constexpr int kHeight = 240;
const QRectF kCloseArea(426, 7, 38, 25);
const QRectF kFooter(0, 206, kWidth, kHeight - 206);

void paintCard(QPainter& p, const QString& title)
{
    QLinearGradient body(0, 0, 0, kHeight);
    body.setColorAt(0, Qt::white);
    body.setColorAt(1, colour::skyTop);
    p.fillRect(QRectF(0, 0, kWidth, kHeight), body);
    drawBubble(p, {458, 200}, 60, colour::brandLight, 0.07);

    drawTitleBand(p, QRectF(0, 0, kWidth, 39), title);
    drawCloseMark(p, kCloseArea, Qt::white);

    p.fillRect(kFooter, QColor(0xf0, 0xf6, 0xfd));
    p.fillRect(QRectF(0, kFooter.top(), kWidth, 1), colour::hairline);
    p.setPen(QPen(colour::brandDeep, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1));
}

void paintChips(QPainter& p, QPointF origin, const QStringList& words)
{
    const QFont font = sansFont(12);
    const QFontMetricsF metrics(font);
    qreal x = origin.x();
    for (const QString& word : words) {
        const QRectF chip(x, origin.y(), metrics.horizontalAdvance(word) + 18, 22);
        p.setPen(QPen(QColor(0xbf, 0xe3, 0xd3), 1.0));
        p.setBrush(QColor(0xea, 0xf7, 0xf1));
        p.drawRoundedRect(chip, 11, 11);
        drawText(p, chip, word, font, QColor(0x23, 0x80, 0x5d), Qt::AlignCenter);
        x = chip.right() + 8;
    }
}

QImage aboutBox()
{
    QImage image = paintPicture(kWidth, kHeight, [&](QPainter& p) {
        paintCard(p, QStringLiteral("关于 ") + kProductName);

        drawLogo(p, QRectF(32, 60, 64, 64));
        drawCoin(p, {92, 124}, 9);
        drawText(p, QRectF(118, 50, 330, 32), kProductName, sansFont(22, QFont::Bold), colour::brandDeep);

        const QFont versionFont = sansFont(12);
        const QString version = QStringLiteral("版本 ") + kVersion;
        const QRectF versionChip(119, 84, QFontMetricsF(versionFont).horizontalAdvance(version) + 16, 20);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe2, 0xef, 0xfc));
        p.drawRoundedRect(versionChip, 10, 10);
        drawText(p, versionChip, version, versionFont, colour::brand, Qt::AlignCenter);

        const QFont line = sansFont(13);
        drawText(p, QRectF(119, 112, 340, 20), QStringLiteral("记下每一笔收支，看清每一分去向，"), line, colour::ink);
        drawText(p, QRectF(119, 133, 340, 20), QStringLiteral("让全家的日子过得明明白白、红红火火。"), line, colour::ink);
        paintChips(p, {119, 166},
                   {QStringLiteral("收支记账"), QStringLiteral("账户管理"), QStringLiteral("预算报表"),
                    QStringLiteral("万年历")});

        const QFont small = sansFont(12);
        drawText(p, kFooter.adjusted(20, 0, 0, 0), QStringLiteral("官方网站：") + kWebAddress, small, colour::muted);
        drawText(p, kFooter.adjusted(0, 0, -20, 0), QStringLiteral("感谢您的信赖与支持！"), small, colour::muted,
                 Qt::AlignRight | Qt::AlignVCenter);
    });
    addGrain(image, 1, 0xab07);
    return image;
}

void paintOfflineCloud(QPainter& p, QPointF c)
{
    auto disc = [&](QPointF centre, qreal r) {
        QPainterPath path;
        path.addEllipse(c + centre, r, r);
        return path;
    };
    QPainterPath base;
    base.addRoundedRect(QRectF(c.x() - 50, c.y() - 2, 98, 22), 11, 11);
    const QPainterPath cloud = base.united(disc({-28, -2}, 19)).united(disc({-3, -15}, 26)).united(disc({25, -1}, 20));
    QLinearGradient fill(c - QPointF(0, 44), c + QPointF(0, 20));
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(1, QColor(0xd5, 0xe7, 0xfa));
    p.setPen(QPen(colour::brandLight, 2.0));
    p.setBrush(fill);
    p.drawPath(cloud);

    // Broken signal: a wave with a slash through it.
    p.setPen(QPen(colour::brand, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QPointF w = c + QPointF(-2, 12);
    p.drawArc(QRectF(w.x() - 22, w.y() - 22, 44, 44), 48 * 16, 84 * 16);
    p.drawArc(QRectF(w.x() - 13, w.y() - 13, 26, 26), 48 * 16, 84 * 16);
    p.setBrush(colour::brand);
    p.setPen(Qt::NoPen);
    p.drawEllipse(w + QPointF(0, -2), 3, 3);
    const QColor warn(0xe5, 0x6b, 0x4f);
    const QPointF from = w + QPointF(-19, -28);
    const QPointF to = w + QPointF(17, 4);
    p.setPen(QPen(Qt::white, 7.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(warn, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

QImage offlineNotice()
{
    QImage image = paintPicture(kWidth, kHeight, [&](QPainter& p) {
        paintCard(p, QStringLiteral("温馨提示"));
        paintOfflineCloud(p, {96, 124});

        drawText(p, QRectF(172, 70, 284, 30), QStringLiteral("当前没有可用的网络连接"), sansFont(18, QFont::Bold), colour::ink);
        const QFont line = sansFont(13);
        drawText(p, QRectF(173, 110, 284, 20), QStringLiteral("此功能暂时无法使用，"), line, colour::muted);
        drawText(p, QRectF(173, 131, 284, 20), QStringLiteral("请检查网络连接后再试。"), line, colour::muted);
        drawText(p, kFooter.adjusted(0, 0, -20, 0), QStringLiteral("点击任意处关闭此提示"), sansFont(12), colour::muted,
                 Qt::AlignRight | Qt::AlignVCenter);
    });
    addGrain(image, 1, 0x0ff1);
    return image;
}

} // namespace

Pictures noticePictures()
{
    return {
        {QStringLiteral("about.jpg"), aboutBox()},
        {QStringLiteral("offline.jpg"), offlineNotice()},
    };
}

} // namespace artwork
