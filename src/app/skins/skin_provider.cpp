#include "skins/skin_provider.h"

#include "resources/resources.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>

namespace skins {

namespace {

// A skin is the shared template with its own colours filled in; each
// *.palette file holds "key = value" lines, its name under the key "name".
const QString kSkinFolder = QStringLiteral(":/skins");
const QString kTemplatePath = QStringLiteral(":/skins/template.qss");

using Palette = QHash<QString, QString>;

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

Palette readPalette(const QString& path)
{
    Palette palette;
    const QStringList lines = readText(path).split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (line.startsWith(QLatin1Char('#')) || equals < 0)
            continue;
        palette.insert(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
    }
    return palette;
}

QList<Palette> allPalettes()
{
    initResources();
    QList<Palette> palettes;
    const QStringList files = QDir(kSkinFolder).entryList({QStringLiteral("*.palette")}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        palettes.append(readPalette(kSkinFolder + QLatin1Char('/') + file));
    return palettes;
}

// Replaces every @key of the template by the palette's value; a key the
// palette lacks makes the whole skin unusable (empty result).
QString fillTemplate(const QString& templ, const Palette& palette)
{
    static const QRegularExpression placeholder(QStringLiteral("@([A-Za-z]+)"));
    QString sheet;
    qsizetype done = 0;
    for (auto it = placeholder.globalMatch(templ); it.hasNext();) {
        const auto match = it.next();
        const auto value = palette.constFind(match.captured(1));
        if (value == palette.constEnd())
            return {};
        sheet += QStringView(templ).mid(done, match.capturedStart() - done);
        sheet += *value;
        done = match.capturedEnd();
    }
    sheet += QStringView(templ).mid(done);
    return sheet;
}

} // namespace

bool GetSkin(const QString& name, QByteArray& stream)
{
    stream.clear();
    const QString wanted = name.isEmpty() ? kDefaultSkinName : name;
    for (const Palette& palette : allPalettes()) {
        if (palette.value(QStringLiteral("name")) != wanted)
            continue;
        stream = fillTemplate(readText(kTemplatePath), palette).toUtf8();
        return !stream.isEmpty();
    }
    return false;
}

QStringList skinNames()
{
    QStringList names;
    for (const Palette& palette : allPalettes()) {
        const QString name = palette.value(QStringLiteral("name"));
        if (name == kDefaultSkinName)
            names.prepend(name);
        else if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

} // namespace skins
