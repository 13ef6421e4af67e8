#pragma once

// Every picture the program shows, grouped by the window that shows it.
// A file name ending in ".jpg" is written as JPEG, any other as PNG.

#include <QImage>
#include <QString>

#include <vector>

namespace artwork {

struct Picture {
    QString fileName;
    QImage image;
};
using Pictures = std::vector<Picture>;

Pictures signInPictures(); // background and the two button faces
Pictures framePictures(); // header, navigation column, status band
Pictures noticePictures(); // About box, page-not-available picture
Pictures iconPictures(); // the window icon in several sizes
Pictures controlGlyphs(); // arrows and ticks the skins draw controls with

} // namespace artwork
