// The game on the real main window: the countdown, the target, the timed
// presses, the status panels, the result and the state after a game.

#include "score.h"
#include "gamefixture.h"
#include "timer.h"

#include <QLineEdit>
#include <QTest>

#include <memory>

class TestGame : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void calcScore_data();
    void calcScore();
    void wholeGame_data();
    void wholeGame();
    void reactionTimeAcrossTickWrap();
    void placedGameAsksForName();
    void targetStaysInsidePlayingArea();
    void tooSmallAreaPutsTargetAtEdge();
    void startDuringCountdownKeepsBeat();
    void startWhileTargetShownDropsIt();
    void pressWhileIdleChangesNothing();
    void heldF2RestartsSafely();
    void resize_data();
    void resize();

private:
    void beats(int count);
    void runToTarget();
    void press(Qt::MouseButton button = Qt::LeftButton);

    std::unique_ptr<GameFixture> game;
    TfrmMBMain *w = nullptr;
};

void TestGame::init()
{
    game = std::make_unique<GameFixture>();
    game->keepGamesOutOfTables();
    w = game->w.get();
}

void TestGame::cleanup()
{
    game.reset();
}

void TestGame::beats(int count)
{
    for (int i = 0; i < count; ++i)
        w->tmrMainTimer();
}

void TestGame::runToTarget()
{
    while (w->state().countDown != -1)
        w->tmrMainTimer();
}

void TestGame::press(Qt::MouseButton button)
{
    QVERIFY(w->imgClickable->isVisible());
    QTest::mousePress(w->imgClickable, button);
}

void TestGame::calcScore_data()
{
    QTest::addColumn<std::vector<std::int32_t>>("times");
    QTest::addColumn<int>("score");

    const auto same = [](int n, std::int32_t t) { return std::vector<std::int32_t>(n, t); };
    QTest::newRow("5: 0, 0, 1, 8 and a capped 48") << std::vector<std::int32_t>{450, 649, 650, 1000, 3000} << 71;
    QTest::newRow("1: 2600 ms") << same(1, 2600) << 60;
    QTest::newRow("1: 649 ms is free") << same(1, 649) << 100;
    QTest::newRow("1: 699 ms costs 1") << same(1, 699) << 99;
    QTest::newRow("1: 700 ms costs 2") << same(1, 700) << 98;
    QTest::newRow("2: 650 and 750") << std::vector<std::int32_t>{650, 750} << 96;
    QTest::newRow("3: three of 5000 ms keep 1") << same(3, 5000) << 1;
    QTest::newRow("10: ten of 640 ms") << same(10, 640) << 100;
    QTest::newRow("10: one slow among fast") << std::vector<std::int32_t>{9000, 500, 500, 500, 500, 500, 500, 500, 500, 500} << 90;
    for (int n : {1, 2, 3, 5, 10})
        QTest::addRow("%d: all 5600 ms", n) << same(n, 5600) << (n == 3 ? 1 : 0);
    QTest::newRow("5: far beyond the cap") << same(5, 1000000) << 0;
}

void TestGame::calcScore()
{
    QFETCH(std::vector<std::int32_t>, times);
    QFETCH(int, score);
    QCOMPARE(CalcScore(times), score);
}

void TestGame::wholeGame_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("result");
    QTest::newRow("Japanese") << false << QStringLiteral("今回のタイム:5749ms\nスコア : 71点");
    QTest::newRow("English") << true << QStringLiteral("Time:5749ms\nScore : 71points");
}

void TestGame::wholeGame()
{
    QFETCH(bool, english);
    QFETCH(QString, result);
    if (english)
        w->mnuEnglish->trigger();
    const std::int32_t times[] = {450, 649, 650, 1000, 3000};

    w->mnuStartClick();
    QCOMPARE(w->lblCountDown->text(), QStringLiteral("Challenge: 1/5\n3"));
    QCOMPARE(w->statusPanel(0)->text(), QStringLiteral("Challenge: 1"));
    QVERIFY(w->statusPanel(1)->text().isEmpty());
    QVERIFY(w->statusPanel(2)->text().isEmpty());
    QVERIFY(w->tmrMain->isEnabled());
    QVERIFY(!w->btnStart->isVisible());
    QVERIFY(!w->imgRovuve->isVisible());
    QVERIFY(!w->mnuLevel->menuAction()->isEnabled());
    QVERIFY(!w->mnuTrynum->menuAction()->isEnabled());

    std::int32_t total = 0;
    for (int challenge = 1; challenge <= 5; ++challenge) {
        const QString head = QStringLiteral("Challenge: %1/5\n").arg(challenge);
        if (challenge > 1) {
            // The press armed this challenge; its first beat shows 3.
            QCOMPARE(w->state().countDown, 4);
            QVERIFY(w->tmrMain->isEnabled());
            beats(1);
            QCOMPARE(w->lblCountDown->text(), head + QLatin1Char('3'));
        }
        beats(1);
        QCOMPARE(w->lblCountDown->text(), head + QLatin1Char('2'));
        beats(1);
        QCOMPARE(w->lblCountDown->text(), head + QLatin1Char('1'));
        QVERIFY(!w->imgClickable->isVisible());
        beats(1);
        QCOMPARE(w->lblCountDown->text(), head + QLatin1Char('0'));
        QVERIFY(w->imgClickable->isVisible());
        // The target lies above the label and the pictures: it takes the press.
        QCOMPARE(w->client->childAt(w->imgClickable->geometry().center()), w->imgClickable);
        QCOMPARE(w->state().countDown, -1);
        QVERIFY(!w->tmrMain->isEnabled());

        game->clock.now += std::uint32_t(times[challenge - 1]);
        total += times[challenge - 1];
        press();
        QVERIFY(!w->imgClickable->isVisible());
        QCOMPARE(w->statusPanel(1)->text(), QStringLiteral("Last: %1ms").arg(times[challenge - 1]));
        QCOMPARE(w->statusPanel(2)->text(), QStringLiteral("Total: %1ms").arg(total));
        if (challenge < 5) {
            QCOMPARE(w->statusPanel(0)->text(), QStringLiteral("Challenge: %1").arg(challenge + 1));
            QCOMPARE(w->lblCountDown->text(), head + QLatin1Char('0'));
            QVERIFY(game->boxes.shown.empty());
        }
    }

    QCOMPARE(game->boxes.shown.size(), std::size_t(1));
    QCOMPARE(game->boxes.shown[0].text, result);
    QCOMPARE(game->boxes.shown[0].caption, QStringLiteral("Score"));
    QCOMPARE(game->boxes.shown[0].flags, platform::MB_OK | platform::MB_ICONINFORMATION);
    QCOMPARE(w->statusPanel(0)->text(), QStringLiteral("終了"));
    QCOMPARE(w->statusPanel(2)->text(), QStringLiteral("Total: 5749ms"));
    QCOMPARE(w->lblCountDown->text(), QStringLiteral("Moxabell!"));
    QVERIFY(w->btnStart->isVisible());
    QVERIFY(!w->tmrMain->isEnabled());
    QVERIFY(!w->state().gameOn);
    QCOMPARE(w->state().countDown, 0);
    QVERIFY(w->mnuLevel->menuAction()->isEnabled());
    QVERIFY(w->mnuTrynum->menuAction()->isEnabled());
    QVERIFY(!w->imgRovuve->isVisible());
}

void TestGame::reactionTimeAcrossTickWrap()
{
    w->mnuTry1->trigger();
    game->clock.now = 0xFFFFFF00u;
    w->mnuStartClick();
    runToTarget();
    game->clock.now += 0x180; // past the wrap
    press();
    QCOMPARE(w->statusPanel(1)->text(), QStringLiteral("Last: 384ms"));
}

void TestGame::placedGameAsksForName()
{
    w->highScore[0] = defaultHighScoreRow();
    w->mnuTry1->trigger();
    w->mnuStartClick();
    runToTarget();
    game->clock.now += 9000;
    QString titleDuringEntry;
    whenModalOpens([&](QWidget *window) {
        titleDuringEntry = window->windowTitle();
        auto *box = window->findChild<QLineEdit *>(QStringLiteral("Edit1"));
        QVERIFY(box);
        QTest::keyClicks(box, QStringLiteral("Kiyo"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    press();
    // The score message closed before the name entry opened.
    QCOMPARE(game->boxes.shown.size(), std::size_t(1));
    QCOMPARE(titleDuringEntry, QStringLiteral("BestTime"));
    const HighScoreRow &row = w->highScore[0];
    QCOMPARE(row[0].time, 9000);
    QCOMPARE(row[0].score, 0);
    QCOMPARE(row[0].name, QByteArray("Kiyo"));
    QCOMPARE(row[1].time, 10000);
    QCOMPARE(row[1].name, QByteArray("Rovuve"));
    QCOMPARE(row[4].time, 16000);
    QVERIFY(w->btnStart->isVisible());
}

void TestGame::targetStaysInsidePlayingArea()
{
    w->mnuTry10->trigger();
    const int maxLeft = w->ClientWidth() - 33;
    const int maxTop = w->ClientHeight() - w->StatusBar->height() - 33;
    QVERIFY(maxTop > 0);
    for (int i = 0; i < 300; ++i) {
        w->mnuStartClick();
        runToTarget();
        const QPoint at = w->imgClickable->pos();
        QVERIFY2(at.x() >= 0 && at.x() <= maxLeft && at.y() >= 0 && at.y() <= maxTop,
                 qPrintable(QStringLiteral("target at %1, %2").arg(at.x()).arg(at.y())));
    }
}

void TestGame::tooSmallAreaPutsTargetAtEdge()
{
    w->setClientSize(400, 45);
    QVERIFY(w->ClientHeight() - w->StatusBar->height() - 32 <= 0);
    w->mnuStartClick();
    runToTarget();
    QCOMPARE(w->imgClickable->y(), 0);
    QVERIFY(w->imgClickable->isVisible());
}

void TestGame::startDuringCountdownKeepsBeat()
{
    w->mnuStartClick();
    beats(1);
    QTest::qWait(300);
    w->mnuStartClick();
    QCOMPARE(w->lblCountDown->text(), QStringLiteral("Challenge: 1/5\n3"));
    QCOMPARE(w->state().countDown, 3);
    QCOMPARE(w->state().tryCount, 1);
    // Enabling a running timer does not restart it.
    QVERIFY(w->tmrMain->isEnabled());
    QVERIFY(w->tmrMain->remainingTime() <= 750);
}

void TestGame::startWhileTargetShownDropsIt()
{
    w->mnuStartClick();
    runToTarget();
    game->clock.now += 500;
    press();
    runToTarget();
    w->mnuStartClick();
    QVERIFY(!w->imgClickable->isVisible());
    QVERIFY(w->tmrMain->isEnabled());
    QCOMPARE(w->state().countDown, 3);
    QCOMPARE(w->state().tryCount, 1);
    QCOMPARE(w->state().totalTime, 0);
    QCOMPARE(w->statusPanel(0)->text(), QStringLiteral("Challenge: 1"));
    QVERIFY(w->statusPanel(1)->text().isEmpty());
}

void TestGame::pressWhileIdleChangesNothing()
{
    EventLog log;
    SoundRecorder sounds(&log);
    w->imgClickableMouseDown(Qt::LeftButton);
    QCOMPARE(w->state().tryCount, 0);
    QVERIFY(w->statusPanel(1)->text().isEmpty());
    QVERIFY(log.isEmpty());

    // A right or middle press on the target counts like a left one.
    w->mnuTry2->trigger();
    w->mnuStartClick();
    runToTarget();
    press(Qt::RightButton);
    QCOMPARE(w->state().tryCount, 2);
    runToTarget();
    press(Qt::MiddleButton);
    QVERIFY(!w->state().gameOn);
    QCOMPARE(game->boxes.shown.size(), std::size_t(1));
}

void TestGame::heldF2RestartsSafely()
{
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_F2);
    QCOMPARE(w->state().countDown, 3);
    runToTarget();
    // Key repeat: a stream of presses with no release between them.
    for (int i = 0; i < 30; ++i)
        QTest::keyPress(w, Qt::Key_F2, Qt::NoModifier, -1);
    QTest::keyRelease(w, Qt::Key_F2);
    QVERIFY(w->state().gameOn);
    QCOMPARE(w->state().countDown, 3);
    QVERIFY(w->tmrMain->isEnabled());
    QVERIFY(!w->imgClickable->isVisible());
    QVERIFY(!w->btnStart->isVisible());
}

void TestGame::resize_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QPoint>("label");
    QTest::addColumn<QPoint>("button");
    QTest::newRow("400 x 300") << QSize(400, 300) << QPoint(-9, 101) << QPoint(162, 208);
    QTest::newRow("600 x 450") << QSize(600, 450) << QPoint(-9, 176) << QPoint(262, 283);
    QTest::newRow("750 x 550") << QSize(750, 550) << QPoint(-9, 226) << QPoint(337, 333);
    QTest::newRow("500 x 700") << QSize(500, 700) << QPoint(-9, 301) << QPoint(212, 408);
    QTest::newRow("332 x 208, as laid out") << QSize(332, 208) << QPoint(-9, 55) << QPoint(128, 162);
}

void TestGame::resize()
{
    QFETCH(QSize, client);
    QFETCH(QPoint, label);
    QFETCH(QPoint, button);
    w->setClientSize(client.width(), client.height());
    QCOMPARE(QSize(w->ClientWidth(), w->ClientHeight()), client);
    QCOMPARE(w->lblCountDown->pos(), label);
    QCOMPARE(w->lblCountDown->width(), client.width() + 19);
    QCOMPARE(w->btnStart->pos(), button);
    // The title pictures keep their distances to their anchored edges.
    const int right = client.width() - 22 - 32;
    const int bottom = client.height() - 38 - 32;
    QCOMPARE(w->imgSyowaColored->pos(), QPoint(16, 16));
    QCOMPARE(w->imgMoonYellow->pos(), QPoint(right, 16));
    QCOMPARE(w->imgRovuve->pos(), QPoint(16, bottom));
    QCOMPARE(w->imgSyowa->pos(), QPoint(right, bottom));
    // The button lies wholly above the status bar.
    QVERIFY(w->btnStart->geometry().bottom() < client.height() - w->StatusBar->height());
}

QTEST_MAIN(TestGame)
#include "tst_game.moc"
