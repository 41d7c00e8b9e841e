#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class tst_Assets : public QObject
{
    Q_OBJECT

private slots:
    void picture_data();
    void picture();
    void rovuveKeepsToSixteenColours();
    void rengaTilesAsABrickBond();
    void toolRebuildsTheCommittedFiles();
};

namespace {

// PNG colour types, as the file's header states them.
constexpr int kRgb = 2;
constexpr int kPalette = 3;
constexpr int kRgba = 6;

} // namespace

void tst_Assets::picture_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("colourType");

    for (const char *icon : {"rovuve", "syowa", "syowacolored", "syowagrey", "moon", "moonyellow"})
        QTest::newRow(icon) << QString(":/icons/%1.png").arg(icon) << QSize(32, 32) << kRgba;
    QTest::newRow("balloon") << ":/images/balloon.png" << QSize(70, 40) << kPalette;
    QTest::newRow("renga") << ":/images/renga.png" << QSize(32, 32) << kRgb;
}

void tst_Assets::picture()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QFETCH(int, colourType);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray png = file.readAll();
    QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
    QCOMPARE(int(png[24]), 8); // bits per sample (per index for the palette)
    QCOMPARE(int(png[25]), colourType);

    const QImage image = QImage::fromData(png);
    QCOMPARE(image.size(), size);
    if (colourType == kPalette)
        QCOMPARE(image.format(), QImage::Format_Indexed8);
    if (colourType != kRgba) {
        QVERIFY(!image.hasAlphaChannel());
        return;
    }

    // Icons: a clean mask, clear corners, and a figure that fills the square.
    const int last = size.width() - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            QVERIFY2(alpha == 0 || alpha == 255, qPrintable(QString("half-transparent at %1,%2").arg(x).arg(y)));
            opaque += alpha == 255;
        }
    }
    QVERIFY2(opaque > 250, qPrintable(QString("only %1 pixels drawn").arg(opaque)));
}

void tst_Assets::rovuveKeepsToSixteenColours()
{
    const QImage image(":/icons/rovuve.png");
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() <= 16, qPrintable(QString("%1 colours").arg(colours.size())));
}

// The high-score window repeats the tile in bands, so its joints must meet
// the neighbouring tiles': bed joints along the bottom of each half, a head
// joint at the right edge above and in the middle below.
void tst_Assets::rengaTilesAsABrickBond()
{
    const QImage image(":/images/renga.png");
    const auto isMortar = [&](int x, int y) { return qGray(image.pixel(x, y)) > 190; };
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool joint = y == 15 || y == 31 || (y < 15 ? x == 31 : x == 15);
            QVERIFY2(isMortar(x, y) == joint, qPrintable(QString("pixel %1,%2").arg(x).arg(y)));
            const QColor c = image.pixelColor(x, y);
            QVERIFY2(joint || (c.red() > c.green() && c.green() > c.blue()),
                     qPrintable(QString("brick at %1,%2 is not orange-red").arg(x).arg(y)));
        }
    }
}

// The committed pictures and sounds must be exactly what the maps and the
// recipes make, and the resource list must hold exactly those files.
void tst_Assets::toolRebuildsTheCommittedFiles()
{
    const QString resDir = QStringLiteral(MOXA_RES_DIR);
    QTemporaryDir out;
    QVERIFY(out.isValid());
    QProcess tool;
    tool.start(QStringLiteral(MOXA_MAKEASSETS), {resDir + "/art", out.path()});
    QVERIFY(tool.waitForFinished(60000));
    QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0, tool.readAllStandardError().constData());

    QFile qrc(resDir + "/moxabell.qrc");
    QVERIFY(qrc.open(QIODevice::ReadOnly));
    QStringList listed;
    static const QRegularExpression fileEntry(QStringLiteral("<file[^>]*>([^<]+)</file>"));
    for (const auto &match : fileEntry.globalMatch(QString::fromUtf8(qrc.readAll())))
        listed << match.captured(1);
    QStringList made;
    for (QDirIterator it(out.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        made << QDir(out.path()).relativeFilePath(it.next());
    listed.sort();
    made.sort();
    QCOMPARE(made, listed);

    for (const QString &name : made) {
        QFile fresh(out.filePath(name));
        QFile committed(resDir + '/' + name);
        QVERIFY(fresh.open(QIODevice::ReadOnly));
        QVERIFY2(committed.open(QIODevice::ReadOnly), qPrintable(name + " is not committed"));
        QVERIFY2(fresh.readAll() == committed.readAll(), qPrintable(name + " differs: run the make_assets target"));
    }
}

QTEST_MAIN(tst_Assets)
#include "tst_assets.moc"
