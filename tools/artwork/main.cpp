// make-artwork OUTDIR: draws every picture of the program into OUTDIR.
// Run at build time; the pictures are embedded as resources.

#include "pictures.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

bool save(const QDir& dir, const artwork::Picture& picture)
{
    const QString path = dir.filePath(picture.fileName);
    if (picture.fileName.endsWith(QLatin1String(".jpg"))) {
        // JPEG has no alpha: flatten onto white first.
        const QImage flat = picture.image.convertToFormat(QImage::Format_RGB32);
        return flat.save(path, "JPEG", 92);
    }
    return picture.image.save(path, "PNG");
}

} // namespace

int main(int argc, char* argv[])
{
    // Fonts and the JPEG writer need a GUI application, but no screen.
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-artwork OUTDIR\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "make-artwork: cannot create %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const auto& group : {artwork::signInPictures(), artwork::framePictures(), artwork::noticePictures(),
                              artwork::iconPictures(), artwork::controlGlyphs()}) {
        for (const auto& picture : group) {
            if (!save(dir, picture)) {
                std::fprintf(stderr, "make-artwork: cannot write %s\n", qPrintable(dir.filePath(picture.fileName)));
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
