// The main window's presentation: the caption languages, the sound cues of a
// game and of the title pictures, and the readme command.

#include "Fabout.h"
#include "captions.h"
#include "gamefixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

class TestPresentation : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void englishThenJapaneseRestoresCaptions();
    void englishDuringCountdown();
    void cuesOfAChallenge();
    void noCueWithSoundOff();
    void titlePicturesPlayCues_data();
    void titlePicturesPlayCues();
    void readmeOpensBesideProgram();
    void shortcuts();
    void aboutShowsVersion();

private:
    QStringList captions() const;

    EventLog log;
    std::unique_ptr<SoundRecorder> sounds;
    std::unique_ptr<GameFixture> game;
    TfrmMBMain *w = nullptr;
};

void TestPresentation::init()
{
    log.clear();
    sounds = std::make_unique<SoundRecorder>(&log);
    game = std::make_unique<GameFixture>(&log);
    game->keepGamesOutOfTables();
    w = game->w.get();
}

void TestPresentation::cleanup()
{
    game.reset();
    sounds.reset();
}

// Every text the language switch touches, and the ones it must leave alone.
QStringList TestPresentation::captions() const
{
    QStringList texts;
    for (const QAction *item : w->findChildren<QAction *>())
        texts << item->objectName() + QLatin1Char('=') + item->text();
    for (const QMenu *menu : w->findChildren<QMenu *>())
        texts << menu->objectName() + QLatin1Char('=') + menu->title();
    texts << w->btnStart->text() << w->windowTitle() << w->lblCountDown->text();
    texts.sort();
    return texts;
}

void TestPresentation::englishThenJapaneseRestoresCaptions()
{
    const QStringList stored = captions();
    w->mnuEnglish->trigger();
    QVERIFY(w->mnuEnglish->isChecked());
    QVERIFY(!w->mnuJapanese->isChecked());
    QCOMPARE(w->mnuCharSeaquancial->text(), QStringLiteral("&Sequancial"));
    QCOMPARE(w->mnuAbort->text(), QStringLiteral("&Abort"));
    QCOMPARE(w->mnuTrynum->title(), QStringLiteral("Number of Challenge(&T)"));
    QCOMPARE(w->btnStart->text(), QStringLiteral("Start"));
    QCOMPARE(w->mnuTry10->text(), QStringLiteral("&10"));
    QCOMPARE(w->mnuJapanese->text(), QStringLiteral("日本語(&Japanese)"));
    int changed = 0;
    for (const Caption &caption : kCaptions)
        changed += captions().contains(QLatin1String(caption.target) + QLatin1Char('=')
                                       + QString::fromUtf8(caption.english));
    QCOMPARE(changed, 24); // the 25th is the button's face, checked above

    w->mnuJapanese->trigger();
    QCOMPARE(captions(), stored);
    QVERIFY(w->mnuJapanese->isChecked());
}

void TestPresentation::englishDuringCountdown()
{
    w->mnuTry1->trigger();
    w->mnuStartClick();
    w->mnuEnglish->trigger();
    QCOMPARE(w->mnuLevel->title(), QStringLiteral("&Level"));
    QVERIFY(!w->mnuLevel->menuAction()->isEnabled());
    while (w->state().countDown != -1)
        w->tmrMainTimer();
    game->clock.now += 2600;
    QTest::mousePress(w->imgClickable, Qt::LeftButton);
    QCOMPARE(game->boxes.shown.size(), std::size_t(1));
    QCOMPARE(game->boxes.shown[0].text, QStringLiteral("Time:2600ms\nScore : 60points"));
    QCOMPARE(w->statusPanel(0)->text(), QStringLiteral("終了"));
}

void TestPresentation::cuesOfAChallenge()
{
    w->mnuTry2->trigger();
    w->mnuStartClick();
    QCOMPARE(log, QStringList{QStringLiteral("ID_WAVEREADY")});
    for (int beat = 0; beat < 3; ++beat)
        w->tmrMainTimer();
    // The set cue sounds before the target's start tick is read.
    QCOMPARE(log, (QStringList{QStringLiteral("ID_WAVEREADY"), QStringLiteral("ID_WAVEREADY"),
                               QStringLiteral("ID_WAVEREADY"), QStringLiteral("ID_WAVESET"),
                               QStringLiteral("tick")}));
    log.clear();
    game->clock.now += 400;
    QTest::mousePress(w->imgClickable, Qt::LeftButton);
    // The press reads the clock first; the click cue comes after.
    QCOMPARE(log, (QStringList{QStringLiteral("tick"), QStringLiteral("ID_WAVECLICK")}));
    QCOMPARE(w->statusPanel(1)->text(), QStringLiteral("Last: 400ms"));
    log.clear();
    for (int beat = 0; beat < 4; ++beat)
        w->tmrMainTimer();
    QCOMPARE(log, (QStringList{QStringLiteral("ID_WAVEREADY"), QStringLiteral("ID_WAVEREADY"),
                               QStringLiteral("ID_WAVEREADY"), QStringLiteral("ID_WAVESET"),
                               QStringLiteral("tick")}));
}

void TestPresentation::noCueWithSoundOff()
{
    QVERIFY(w->soundOn);
    QVERIFY(w->mnuOptionSound->isChecked());
    w->mnuOptionSound->trigger();
    QVERIFY(!w->soundOn);
    QVERIFY(!w->mnuOptionSound->isChecked());
    QTest::mouseClick(w->imgSyowa, Qt::LeftButton);
    w->mnuTry1->trigger();
    w->mnuStartClick();
    while (w->state().countDown != -1)
        w->tmrMainTimer();
    QTest::mousePress(w->imgClickable, Qt::LeftButton);
    QVERIFY(!w->state().gameOn);
    QVERIFY(!log.contains(QStringLiteral("ID_WAVEREADY")));
    QVERIFY(!log.contains(QStringLiteral("ID_WAVESET")));
    QVERIFY(!log.contains(QStringLiteral("ID_WAVECLICK")));

    w->mnuOptionSound->trigger();
    QVERIFY(w->soundOn);
    w->mnuStartClick();
    QVERIFY(log.contains(QStringLiteral("ID_WAVEREADY")));
}

void TestPresentation::titlePicturesPlayCues_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("cue");
    QTest::newRow("SyowaColored") << QStringLiteral("imgSyowaColored") << QStringLiteral("ID_WAVESET");
    QTest::newRow("Syowa") << QStringLiteral("imgSyowa") << QStringLiteral("ID_WAVEREADY");
    QTest::newRow("MoonYellow") << QStringLiteral("imgMoonYellow") << QStringLiteral("ID_WAVECLICK");
    QTest::newRow("Rovuve plays nothing") << QStringLiteral("imgRovuve") << QString();
}

void TestPresentation::titlePicturesPlayCues()
{
    QFETCH(QString, picture);
    QFETCH(QString, cue);
    auto *image = w->findChild<ImageBox *>(picture);
    QVERIFY(image && image->isVisible());
    QTest::mouseClick(image, Qt::LeftButton);
    QCOMPARE(log, cue.isEmpty() ? QStringList() : QStringList{cue});
    // A right click is not a click.
    QTest::mouseClick(image, Qt::RightButton);
    QCOMPARE(log.size(), cue.isEmpty() ? 0 : 1);
}

void TestPresentation::readmeOpensBesideProgram()
{
    ShellRecorder shell;
    w->mnuReadme->trigger();
    QCOMPARE(shell.requests.size(), std::size_t(1));
    const platform::ShellRequest &request = shell.requests[0];
    const QString exeDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    QCOMPARE(request.verb, QStringLiteral("open"));
    QCOMPARE(request.file, exeDir + QStringLiteral("Moxa.txt"));
    QCOMPARE(request.directory, exeDir);
    QVERIFY(request.parameters.isEmpty());
    QCOMPARE(request.showCommand, platform::SW_SHOWMAXIMIZED);
    QCOMPARE(request.window, static_cast<QWidget *>(w));
}

void TestPresentation::shortcuts()
{
    ShellRecorder shell;
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    // The abort item is never seen and its key does nothing.
    QVERIFY(!w->mnuAbort->isVisible());
    QVERIFY(!w->mnuAbort->isEnabled());
    QTest::keyClick(w, Qt::Key_F9);
    QCOMPARE(w->state().tryCount, 0);
    QTest::keyClick(w, Qt::Key_F1);
    QCOMPARE(shell.requests.size(), std::size_t(1));
    QTest::keyClick(w, Qt::Key_F2);
    QCOMPARE(w->state().countDown, 3);
    QTest::keyClick(w, Qt::Key_X, Qt::ControlModifier);
    QVERIFY(!w->isVisible());
}

void TestPresentation::aboutShowsVersion()
{
    TfrmAbout about;
    frmAbout = &about;
    QStringList titles;
    for (int showing = 0; showing < 2; ++showing) {
        whenModalOpens([&](QWidget *window) {
            titles << window->findChild<QLabel *>(QStringLiteral("Label1"))->text();
            QTest::keyClick(window, Qt::Key_Return);
        });
        w->mnuAbout->trigger();
    }
    frmAbout = nullptr;
    QCOMPARE(titles, QStringList(2, QStringLiteral("Moxabell 2025 Ver. 4.01")));
    QVERIFY(about.isHidden());
}

QTEST_MAIN(TestPresentation)
#include "tst_presentation.moc"
