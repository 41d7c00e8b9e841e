#include "testsupport.h"
#include "wavecue.h"

#include <QFile>
#include <QSoundEffect>
#include <QTest>
#include <QUrl>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <memory>

class tst_WaveCue : public QObject
{
    Q_OBJECT

private slots:
    void waveResource_data();
    void waveResource();
    void playSoundReachesTheInstalledBackend();
    void cuePlayer_data();
    void cuePlayer();
    void realPlayerLoadsEveryCue();
    void ownerMayGoBeforeThePlayer();
};

namespace {

quint32 le32(const QByteArray &bytes, int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); }
quint16 le16(const QByteArray &bytes, int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); }

class LoggingVoice : public platform::CueVoice
{
public:
    LoggingVoice(QString name, QStringList *log) : m_name(std::move(name)), m_log(log) {}
    void play() override { m_log->append("play " + m_name); }
    void stop() override { m_log->append("stop " + m_name); }

private:
    QString m_name;
    QStringList *m_log;
};

} // namespace

void tst_WaveCue::waveResource_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("samples");

    QTest::newRow("click") << "ID_WAVECLICK" << 1100;
    QTest::newRow("ready") << "ID_WAVEREADY" << 3100;
    QTest::newRow("set") << "ID_WAVESET" << 1100;
}

void tst_WaveCue::waveResource()
{
    QFETCH(QString, name);
    QFETCH(int, samples);

    QFile file(":/sounds/" + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray wave = file.readAll();
    QCOMPARE(wave.size(), 44 + samples + 4);

    QCOMPARE(wave.left(4), QByteArray("RIFF"));
    QCOMPARE(le32(wave, 4), quint32(36 + samples));
    QCOMPARE(wave.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(le32(wave, 16), 16u);
    QCOMPARE(le16(wave, 20), 1);     // PCM
    QCOMPARE(le16(wave, 22), 1);     // mono
    QCOMPARE(le32(wave, 24), 11025u);
    QCOMPARE(le32(wave, 28), 11025u);
    QCOMPARE(le16(wave, 32), 1);
    QCOMPARE(le16(wave, 34), 8);
    QCOMPARE(wave.mid(36, 4), QByteArray("data"));
    QCOMPARE(le32(wave, 40), quint32(samples));
    QCOMPARE(wave.right(4), QByteArray(4, char(128)));

    // Unsigned samples: never clipped, silent at both ends so the cue
    // neither starts nor stops with a crack, and loud enough to hear.
    const QByteArray data = wave.mid(44, samples);
    int peak = 0;
    for (int i = 0; i < samples; ++i) {
        const int value = quint8(data[i]);
        QVERIFY2(value > 0 && value < 255, qPrintable(QString("sample %1 clips").arg(i)));
        peak = std::max(peak, std::abs(value - 128));
    }
    for (const int edge : {0, 1, samples - 2, samples - 1})
        QVERIFY2(std::abs(quint8(data[edge]) - 128) <= 2, qPrintable(QString("sample %1 is not near silence").arg(edge)));
    QVERIFY2(peak >= 40, qPrintable(QString("peak only %1").arg(peak)));
}

void tst_WaveCue::playSoundReachesTheInstalledBackend()
{
    QStringList log;
    {
        SoundRecorder recorder(&log);
        platform::PlaySound("ID_WAVESET");
        QCOMPARE(log, QStringList{"ID_WAVESET"});
    }
    platform::PlaySound("ID_WAVECLICK"); // no backend: nothing, and no crash
    QCOMPARE(log, QStringList{"ID_WAVESET"});
}

void tst_WaveCue::cuePlayer_data()
{
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("first cue just plays") << QStringList{"ID_WAVEREADY"} << QStringList{"play ID_WAVEREADY"};
    QTest::newRow("new cue cuts the last off")
        << QStringList{"ID_WAVESET", "ID_WAVECLICK"}
        << QStringList{"play ID_WAVESET", "stop ID_WAVESET", "play ID_WAVECLICK"};
    QTest::newRow("same cue restarts")
        << QStringList{"ID_WAVEREADY", "ID_WAVEREADY"}
        << QStringList{"play ID_WAVEREADY", "stop ID_WAVEREADY", "play ID_WAVEREADY"};
    QTest::newRow("unknown name plays nothing")
        << QStringList{"ID_WAVEREADY", "ID_NOSUCH", "ID_WAVESET"}
        << QStringList{"play ID_WAVEREADY", "stop ID_WAVEREADY", "play ID_WAVESET"};
}

void tst_WaveCue::cuePlayer()
{
    QFETCH(QStringList, calls);
    QFETCH(QStringList, expected);

    QStringList log;
    std::map<QString, std::unique_ptr<platform::CueVoice>> voices;
    for (const QString name : {"ID_WAVECLICK", "ID_WAVEREADY", "ID_WAVESET"})
        voices.emplace(name, std::make_unique<LoggingVoice>(name, &log));
    platform::CuePlayer player(std::move(voices));
    for (const QString &call : calls)
        player.play(call);
    QCOMPARE(log, expected);
}

void tst_WaveCue::realPlayerLoadsEveryCue()
{
    auto owner = std::make_unique<QObject>();
    auto player = platform::makeWaveCuePlayer(owner.get());

    const auto effects = owner->findChildren<QSoundEffect *>();
    QCOMPARE(effects.size(), 3);
    for (const QSoundEffect *effect : effects) {
        QCOMPARE(effect->source(), QUrl("qrc:/sounds/" + effect->objectName()));
        QTRY_COMPARE(effect->status(), QSoundEffect::Ready); // the wave decodes
    }

    for (const QString name : {"ID_WAVESET", "ID_NOSUCH", "ID_WAVEREADY", "ID_WAVECLICK"})
        player->play(name);

    const auto *ready = owner->findChild<QSoundEffect *>("ID_WAVEREADY");
    const auto *click = owner->findChild<QSoundEffect *>("ID_WAVECLICK");
    QVERIFY(!ready->isPlaying());
    if (!click->isPlaying())
        QSKIP("this machine plays no sound, so there is no cue to cut off");
    player->play("ID_WAVEREADY");
    QVERIFY(!click->isPlaying());
    QVERIFY(ready->isPlaying());
}

void tst_WaveCue::ownerMayGoBeforeThePlayer()
{
    auto owner = std::make_unique<QObject>();
    auto player = platform::makeWaveCuePlayer(owner.get());
    owner.reset();
    player->play("ID_WAVESET"); // must not reach the deleted effects
    player.reset();
}

QTEST_MAIN(tst_WaveCue)
#include "tst_wavecue.moc"
