// The embedded pictures: present at the sizes the windows lay them out at,
// free of seams where the windows join or stretch them, and quiet where
// the windows put their own controls and texts on them.

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>

namespace {

QImage picture(const char* name)
{
    return QImage(QStringLiteral(":/artwork/") + QLatin1String(name));
}

// Largest difference of any colour channel between two pixels.
int distance(QRgb a, QRgb b)
{
    return qMax(qAbs(qRed(a) - qRed(b)), qMax(qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))));
}

// How far the pixels of each row of the area stray from the row's first
// pixel: small when the area is plain (a vertical gradient is allowed).
int rowSpread(const QImage& image, const QRect& area)
{
    int worst = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            worst = qMax(worst, distance(image.pixel(x, y), image.pixel(area.left(), y)));
    return worst;
}

// Largest difference between a column of one picture and one of another.
int columnGap(const QImage& a, int ax, const QImage& b, int bx)
{
    int worst = 0;
    for (int y = 0; y < qMin(a.height(), b.height()); ++y)
        worst = qMax(worst, distance(a.pixel(ax, y), b.pixel(bx, y)));
    return worst;
}

// JPEG blurs colours a little; more than this is a visible seam or mark.
constexpr int kJpegNoise = 10;

} // namespace

TEST(Artwork, EveryPictureIsThereAtItsSize)
{
    const struct {
        const char* name;
        QSize size;
    } pictures[] = {
        {"login_background.jpg", {470, 264}},
        {"button_ok.jpg", {81, 33}},
        {"button_ok_hover.jpg", {81, 33}},
        {"button_ok_pressed.jpg", {81, 33}},
        {"button_cancel.jpg", {81, 33}},
        {"button_cancel_hover.jpg", {81, 33}},
        {"button_cancel_pressed.jpg", {81, 33}},
        {"header_left.jpg", {561, 81}},
        {"header_middle.jpg", {16, 81}},
        {"header_right.jpg", {302, 81}},
        {"nav_top.jpg", {193, 500}},
        {"nav_filler.jpg", {193, 16}},
        {"status_left.jpg", {193, 33}},
        {"status_strip.jpg", {16, 33}},
        {"about.jpg", {470, 240}},
        {"offline.jpg", {470, 240}},
        {"app_icon_16.png", {16, 16}},
        {"app_icon_32.png", {32, 32}},
        {"app_icon_64.png", {64, 64}},
        {"app_icon_128.png", {128, 128}},
    };
    for (const auto& p : pictures) {
        const QString path = QStringLiteral(":/artwork/") + QLatin1String(p.name);
        QImageReader reader(path);
        const QByteArray format = reader.format();
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << p.name << ": " << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), p.size) << p.name;
        const bool jpeg = QByteArray(p.name).endsWith(".jpg");
        EXPECT_EQ(format, jpeg ? QByteArray("jpeg") : QByteArray("png")) << p.name;
    }
}

TEST(Artwork, WindowIconHasTransparentCorners)
{
    for (const char* name : {"app_icon_16.png", "app_icon_32.png", "app_icon_64.png"}) {
        const QImage icon = picture(name);
        ASSERT_TRUE(icon.hasAlphaChannel()) << name;
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << name;
        EXPECT_EQ(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 2)), 255) << name;
    }
}

TEST(Artwork, SignInBoxesAndButtonsSitOnPlainGround)
{
    const QImage background = picture("login_background.jpg");
    const QRect userList(232, 88, 193, 21), password(232, 120, 193, 24), remember(232, 152, 145, 17), signIn(232, 176, 81, 33),
        exit(344, 176, 81, 33);
    for (const QRect& area : {userList, password, remember, signIn, exit})
        EXPECT_LE(rowSpread(background, area), kJpegNoise) << "marks under the control at " << area.x() << "," << area.y();

    // The button faces' edges must match the ground they are put on; JPEG
    // may blur single pixels, a differing edge as a whole shows as a seam.
    auto edgeGap = [&](const QImage& face, const QRect& place) {
        int total = 0;
        for (int x = 0; x < face.width(); ++x)
            total += distance(face.pixel(x, 0), background.pixel(place.x() + x, place.y()));
        for (int y = 0; y < face.height(); ++y)
            total += distance(face.pixel(0, y), background.pixel(place.x(), place.y() + y));
        return total / (face.width() + face.height());
    };
    for (const char* face : {"button_ok.jpg", "button_ok_hover.jpg", "button_ok_pressed.jpg", "button_cancel.jpg",
                             "button_cancel_hover.jpg", "button_cancel_pressed.jpg"}) {
        for (const QRect& place : {signIn, exit})
            EXPECT_LE(edgeGap(picture(face), place), 5) << face << " at x " << place.x();
    }
}

TEST(Artwork, SignInCaptionsStandLeftOfTheBoxes)
{
    const QImage background = picture("login_background.jpg");
    // Dark caption strokes in the band left of each box, none inside it.
    auto hasInk = [&](const QRect& area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(background.pixel(x, y)) < 110)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasInk(QRect(160, 88, 70, 21))) << "no caption for the user list";
    EXPECT_TRUE(hasInk(QRect(160, 120, 70, 24))) << "no caption for the password";
}

TEST(Artwork, FramePiecesJoinWithoutSeams)
{
    const QImage left = picture("header_left.jpg"), middle = picture("header_middle.jpg"), right = picture("header_right.jpg");
    EXPECT_LE(columnGap(left, left.width() - 1, middle, 0), kJpegNoise);
    EXPECT_LE(columnGap(middle, middle.width() - 1, right, 0), kJpegNoise);
    EXPECT_LE(rowSpread(middle, middle.rect()), kJpegNoise) << "the header middle must stretch";

    const QImage status = picture("status_left.jpg"), strip = picture("status_strip.jpg");
    EXPECT_LE(rowSpread(strip, strip.rect()), kJpegNoise) << "the status strip must stretch";
    EXPECT_LE(distance(status.pixel(0, 16), strip.pixel(0, 16)), kJpegNoise);

    const QImage column = picture("nav_top.jpg"), filler = picture("nav_filler.jpg");
    for (int x = 0; x < column.width(); x += 8)
        EXPECT_LE(distance(column.pixel(x, column.height() - 1), filler.pixel(x, 0)), kJpegNoise)
            << "column and filler differ at x " << x;
    for (int x = 0; x < filler.width(); ++x)
        EXPECT_LE(distance(filler.pixel(x, 0), filler.pixel(x, filler.height() - 1)), kJpegNoise)
            << "the filler must stretch downwards";
}

TEST(Artwork, TextsOfTheWindowStandOnQuietGround)
{
    // The header links at y 56 and the navigation labels' column.
    const QImage right = picture("header_right.jpg");
    for (const QRect& link : {QRect(51, 56, 26, 15), QRect(104, 56, 52, 15), QRect(265, 56, 26, 15)})
        EXPECT_LE(rowSpread(right, link), kJpegNoise) << "marks behind the link at x " << link.x();
    EXPECT_LE(rowSpread(picture("nav_top.jpg"), QRect(31, 36, 130, 404)), kJpegNoise) << "marks behind the navigation labels";
}

TEST(Artwork, OverlaysShowTheirCloseMarkInTheClickArea)
{
    for (const char* name : {"about.jpg", "offline.jpg"}) {
        const QImage image = picture(name);
        // The white cross stands out against the blue title band around it.
        const QRect area(426, 7, 38, 25);
        int light = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                light += qGray(image.pixel(x, y)) > 225;
        EXPECT_GT(light, 20) << name;
        EXPECT_LT(qGray(image.pixel(area.left() - 6, area.center().y())), 200) << name;
    }
}
