// The play settings on the real main window: the level sizes and places the
// window, the challenge count sets the length of a game, the character menu
// picks the target's picture.

#include "levels.h"
#include "gamefixture.h"

#include <QScreen>
#include <QTest>

#include <memory>

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void levelSizesAndCentres_data();
    void levelSizesAndCentres();
    void fullScreenCoversScreen();
    void currentLevelAgainRecentres();
    void challengeCount_data();
    void challengeCount();
    void charactersInTurn_data();
    void charactersInTurn();
    void switchingToInOrderMidGame();
    void modesBeforeFirstGameLeavePicture();

private:
    QAction *levelItem(int level) const;
    QImage target() const { return w->imgClickable->pixmap().toImage(); }
    QImage picture(const ImageBox *image) const { return image->pixmap().toImage(); }
    void playChallenge();

    std::unique_ptr<GameFixture> game;
    TfrmMBMain *w = nullptr;
};

void TestSettings::init()
{
    game = std::make_unique<GameFixture>();
    game->keepGamesOutOfTables();
    w = game->w.get();
}

void TestSettings::cleanup()
{
    game.reset();
}

QAction *TestSettings::levelItem(int level) const
{
    QAction *items[] = {w->mnuLevelEasy, w->mnuLevelNormal, w->mnuLevelDifficult, w->mnuLevelTablet,
                        w->mnuLevelFullScreen};
    return items[level];
}

void TestSettings::playChallenge()
{
    while (w->state().countDown != -1)
        w->tmrMainTimer();
    game->clock.now += 700;
    QTest::mousePress(w->imgClickable, Qt::LeftButton);
}

void TestSettings::levelSizesAndCentres_data()
{
    QTest::addColumn<int>("level");
    for (int level = 0; level < 4; ++level)
        QTest::addRow("level %d", level) << level;
}

void TestSettings::levelSizesAndCentres()
{
    QFETCH(int, level);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    levelItem(level)->trigger();
    QVERIFY(w->isVisible());
    QVERIFY(levelItem(level)->isChecked());
    QCOMPARE(w->level, level);
    QCOMPARE(QSize(w->ClientWidth(), w->ClientHeight()), QSize(levelSize[level].width, levelSize[level].height));
    // The player cannot resize the window.
    QCOMPARE(w->minimumSize(), w->maximumSize());
    const QRect outer = w->outerBounds();
    QCOMPARE(outer.topLeft(), QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2));
}

void TestSettings::fullScreenCoversScreen()
{
    w->mnuLevelFullScreen->trigger();
    QCOMPARE(w->outerBounds(), QGuiApplication::primaryScreen()->geometry());
    QVERIFY(!w->isMaximized());
    QVERIFY(w->MainMenu->isVisible());
    QVERIFY(w->StatusBar->isVisible());
}

void TestSettings::currentLevelAgainRecentres()
{
    w->mnuLevelNormal->trigger();
    const QPoint centred = w->outerBounds().topLeft();
    w->move(centred + QPoint(37, -21));
    QCOMPARE(w->outerBounds().topLeft(), centred + QPoint(37, -21));
    w->mnuLevelNormal->trigger();
    QCOMPARE(w->outerBounds().topLeft(), centred);
    QCOMPARE(w->ClientWidth(), 600);
}

void TestSettings::challengeCount_data()
{
    QTest::addColumn<int>("count");
    for (int count : {1, 2, 3, 5, 10})
        QTest::addRow("%d", count) << count;
}

void TestSettings::challengeCount()
{
    QFETCH(int, count);
    QAction *item = w->findChild<QAction *>(QStringLiteral("mnuTry%1").arg(count));
    QVERIFY(item);
    item->trigger();
    QVERIFY(item->isChecked());
    w->mnuStartClick();
    int presses = 0;
    while (w->state().gameOn) {
        QVERIFY(presses < count);
        playChallenge();
        ++presses;
    }
    QCOMPARE(presses, count);
    QCOMPARE(game->boxes.shown.size(), std::size_t(1));
}

void TestSettings::charactersInTurn_data()
{
    QTest::addColumn<bool>("shuffled");
    QTest::newRow("in order") << false;
    QTest::newRow("shuffled") << true;
}

void TestSettings::charactersInTurn()
{
    QFETCH(bool, shuffled);
    const std::array<ImageBox *, 5> inOrder{w->imgRovuve, w->imgSyowa, w->imgSyowaColored, w->imgMoon,
                                            w->imgMoonYellow};
    const std::array<ImageBox *, 5> shuffle{w->imgSyowa, w->imgMoonYellow, w->imgRovuve, w->imgMoon,
                                            w->imgSyowaColored};
    // The five pictures must differ, or this test could not tell them apart.
    for (std::size_t a = 0; a < inOrder.size(); ++a)
        for (std::size_t b = a + 1; b < inOrder.size(); ++b)
            QVERIFY(picture(inOrder[a]) != picture(inOrder[b]));

    (shuffled ? w->mnuCharShuffle : w->mnuCharSeaquancial)->trigger();
    w->mnuTry10->trigger();
    w->mnuStartClick();
    for (int challenge = 1; challenge <= 10; ++challenge) {
        const ImageBox *expected = (shuffled ? shuffle : inOrder)[(challenge - 1) % 5];
        QCOMPARE(target(), picture(expected));
        playChallenge();
    }
}

void TestSettings::switchingToInOrderMidGame()
{
    w->mnuTry10->trigger();
    w->mnuStartClick();
    for (int challenge = 1; challenge < 7; ++challenge)
        playChallenge();
    QCOMPARE(w->state().tryCount, 7);
    QCOMPARE(target(), picture(w->imgRovuve));
    w->mnuCharSeaquancial->trigger();
    QCOMPARE(target(), picture(w->imgSyowa));
    // A fixed character shows at once, also on a target that is on screen.
    while (w->state().countDown != -1)
        w->tmrMainTimer();
    w->mnuCharMoon->trigger();
    QCOMPARE(target(), picture(w->imgMoon));
    QCOMPARE(w->charMode, 3);
}

void TestSettings::modesBeforeFirstGameLeavePicture()
{
    const QImage rovuve = picture(w->imgRovuve);
    QCOMPARE(target(), rovuve);
    w->mnuCharShuffle->trigger();
    QCOMPARE(target(), rovuve);
    w->mnuCharSeaquancial->trigger();
    QCOMPARE(target(), rovuve);
    QVERIFY(w->mnuCharSeaquancial->isChecked());
    QVERIFY(!w->mnuCharRovuve->isChecked());
    w->mnuCharMoonYellow->trigger();
    QCOMPARE(target(), picture(w->imgMoonYellow));
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
