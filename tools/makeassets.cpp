// Draws the game's pictures from the pixel maps in res/art and synthesises
// its three wave cues, so that every asset in res/ can be rebuilt from text.
//
//   makeassets <art folder> <output folder>
//
// A pixel map is a text file:
//
//   # comment lines start with '#'
//   out icons/syowa.png      where the picture goes, under the output folder
//   format argb              argb (with alpha), rgb (24-bit) or indexed (8-bit palette)
//   base syowa.txt           optional, before the legend: take format, legend and
//                            pixels from another map
//   legend                   one line per colour: character, #rrggbb or "none", notes
//   K #000000 outline
//   . none
//   pixels                   one text row per pixel row, one character per pixel
//
// A map with a base gives only the legend entries it recolours.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QList>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace {

struct PixelMap {
    QString out;
    QString format;
    QList<QPair<QChar, QRgb>> legend; // in palette order
    QStringList rows;

    int colourIndex(QChar c) const
    {
        for (int i = 0; i < legend.size(); ++i)
            if (legend[i].first == c)
                return i;
        return -1;
    }
};

[[noreturn]] void fail(const QString &where, const QString &what)
{
    throw std::runtime_error((where + ": " + what).toStdString());
}

QRgb parseColour(const QString &where, const QString &text)
{
    if (text == QLatin1String("none"))
        return qRgba(0, 0, 0, 0);
    bool ok = false;
    const uint rgb = text.mid(1).toUInt(&ok, 16);
    if (!text.startsWith('#') || text.size() != 7 || !ok)
        fail(where, "bad colour " + text);
    return 0xff000000u | rgb;
}

PixelMap readMap(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(path, "cannot read");
    PixelMap map;
    enum { Header, Legend, Pixels } section = Header;
    int lineNo = 0;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const QString where = path + ':' + QString::number(++lineNo);
        if (line.startsWith('#') || line.trimmed().isEmpty())
            continue;
        if (section == Pixels) {
            map.rows << line;
            continue;
        }
        const QStringList words = line.split(' ', Qt::SkipEmptyParts);
        if (words[0] == QLatin1String("legend")) {
            section = Legend;
        } else if (words[0] == QLatin1String("pixels")) {
            section = Pixels;
        } else if (section == Legend) {
            if (words[0].size() != 1 || words.size() < 2)
                fail(where, "legend lines are: character colour [notes]");
            const QChar c = words[0][0];
            const QRgb colour = parseColour(where, words[1]);
            const int i = map.colourIndex(c);
            if (i >= 0)
                map.legend[i].second = colour;
            else
                map.legend.append({c, colour});
        } else if (words.size() == 2 && words[0] == QLatin1String("out")) {
            map.out = words[1];
        } else if (words.size() == 2 && words[0] == QLatin1String("format")) {
            map.format = words[1];
        } else if (words.size() == 2 && words[0] == QLatin1String("base")) {
            const QString out = map.out;
            map = readMap(QFileInfo(path).dir().filePath(words[1]));
            map.out = out;
        } else {
            fail(where, "unknown line: " + line);
        }
    }
    if (map.out.isEmpty() || map.rows.isEmpty())
        fail(path, "needs an out line and pixels");
    return map;
}

QImage draw(const PixelMap &map, const QString &path)
{
    const int width = int(map.rows[0].size());
    const int height = int(map.rows.size());
    QImage::Format format = QImage::Format_ARGB32;
    if (map.format == QLatin1String("rgb"))
        format = QImage::Format_RGB888;
    else if (map.format == QLatin1String("indexed"))
        format = QImage::Format_Indexed8;
    else if (map.format != QLatin1String("argb"))
        fail(path, "unknown format " + map.format);

    QImage image(width, height, format);
    if (format == QImage::Format_Indexed8) {
        QList<QRgb> table;
        for (const auto &entry : map.legend)
            table << entry.second;
        image.setColorTable(table);
    }
    for (int y = 0; y < height; ++y) {
        if (map.rows[y].size() != width)
            fail(path, QString("pixel row %1 is not %2 wide").arg(y + 1).arg(width));
        for (int x = 0; x < width; ++x) {
            const int i = map.colourIndex(map.rows[y][x]);
            if (i < 0)
                fail(path, QString("row %1 column %2: '%3' is not in the legend")
                               .arg(y + 1).arg(x + 1).arg(map.rows[y][x]));
            if (format == QImage::Format_Indexed8)
                image.setPixel(x, y, uint(i));
            else if (format == QImage::Format_RGB888 && qAlpha(map.legend[i].second) != 255)
                fail(path, "an rgb picture cannot be transparent");
            else
                image.setPixel(x, y, map.legend[i].second);
        }
    }
    return image;
}

// --- Sounds -----------------------------------------------------------------
// Mono 8-bit unsigned PCM at 11025 Hz, the format the cues have always had.

constexpr int kSampleRate = 11025;

struct Partial {
    double hertz;
    double level;
    double decayMs; // 0: holds its level to the end
};

struct Cue {
    const char *file;
    int samples;
    double attackMs;
    double releaseMs;
    std::vector<Partial> partials;
};

// A soft wooden click, a round ready beep and a brighter two-note set chime.
// Peaks stay well inside the 8-bit range, and every cue fades in and out so
// that neither edge crackles.
const Cue kCues[] = {
    {"click.wav", 1100, 1.5, 20.0, {{1500.0, 0.40, 14.0}, {760.0, 0.30, 22.0}, {3100.0, 0.10, 5.0}}},
    {"ready.wav", 3100, 6.0, 60.0, {{880.0, 0.50, 600.0}, {1760.0, 0.08, 90.0}, {2640.0, 0.04, 40.0}}},
    {"set.wav", 1100, 3.0, 25.0, {{1760.0, 0.45, 160.0}, {2637.0, 0.20, 70.0}, {3520.0, 0.06, 30.0}}},
};

QByteArray synthesise(const Cue &cue)
{
    QByteArray samples(cue.samples, char(128));
    for (int n = 0; n < cue.samples; ++n) {
        const double t = double(n) / kSampleRate;
        const double ms = t * 1000.0;
        const double toEndMs = double(cue.samples - 1 - n) * 1000.0 / kSampleRate;
        // Raised-cosine edges: no step at either end, no click.
        const auto edge = [](double x) { return x >= 1.0 ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * x); };
        const double envelope = edge(ms / cue.attackMs) * edge(toEndMs / cue.releaseMs);
        double value = 0.0;
        for (const Partial &p : cue.partials) {
            const double decay = p.decayMs > 0.0 ? std::exp(-ms / p.decayMs) : 1.0;
            value += p.level * decay * std::sin(2.0 * std::numbers::pi * p.hertz * t);
        }
        const int sample = 128 + int(std::lround(127.0 * envelope * value));
        samples[n] = char(std::clamp(sample, 1, 254));
    }
    return samples;
}

void putLe(QByteArray &bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.append(char((value >> (8 * i)) & 0xff));
}

QByteArray waveFile(const QByteArray &samples)
{
    const auto count = quint32(samples.size());
    QByteArray bytes;
    bytes += "RIFF";
    putLe(bytes, 36 + count, 4);
    bytes += "WAVEfmt ";
    putLe(bytes, 16, 4);
    putLe(bytes, 1, 2);           // PCM
    putLe(bytes, 1, 2);           // mono
    putLe(bytes, kSampleRate, 4);
    putLe(bytes, kSampleRate, 4); // one byte a sample
    putLe(bytes, 1, 2);
    putLe(bytes, 8, 2);
    bytes += "data";
    putLe(bytes, count, 4);
    bytes += samples;
    // The resources always carried four silent bytes past the RIFF image.
    bytes += QByteArray(4, char(128));
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fail(path, "cannot write");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: makeassets <art folder> <output folder>\n");
        return 2;
    }
    const QDir artDir(args[1]);
    const QDir outDir(args[2]);
    try {
        const QStringList maps = artDir.entryList({"*.txt"}, QDir::Files, QDir::Name);
        if (maps.isEmpty())
            fail(artDir.path(), "no pixel maps");
        for (const QString &name : maps) {
            const QString path = artDir.filePath(name);
            const PixelMap map = readMap(path);
            const QString target = outDir.filePath(map.out);
            QDir().mkpath(QFileInfo(target).path());
            if (!draw(map, path).save(target, "PNG"))
                fail(target, "cannot write");
        }
        for (const Cue &cue : kCues)
            writeFile(outDir.filePath(QString("sounds/") + cue.file), waveFile(synthesise(cue)));
    } catch (const std::exception &e) {
        std::fprintf(stderr, "makeassets: %s\n", e.what());
        return 1;
    }
    return 0;
}
