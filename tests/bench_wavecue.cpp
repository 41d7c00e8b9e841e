// How long starting a cue keeps the game waiting: the press handler plays the
// click cue right after reading the clock, so this is time the player sees.
// Run by hand: build/tests/bench_wavecue -platform offscreen

#include "wavecue.h"

#include <QTest>

class BenchWaveCue : public QObject
{
    Q_OBJECT

private slots:
    void startCue();
};

void BenchWaveCue::startCue()
{
    auto player = platform::makeWaveCuePlayer(this);
    const QString cues[] = {QStringLiteral("ID_WAVEREADY"), QStringLiteral("ID_WAVESET"),
                            QStringLiteral("ID_WAVECLICK")};
    int next = 0;
    QBENCHMARK {
        player->play(cues[next]);
        next = (next + 1) % 3;
    }
}

QTEST_MAIN(BenchWaveCue)
#include "bench_wavecue.moc"
