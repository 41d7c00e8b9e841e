// Window placement on a real X server: the level command must put the window
// exactly where it centres it, negative places included. Runs under a private
// Xvfb of 1024 x 600 with no window manager, so no frame is added.

#include "Fmbmain.h"
#include "testsupport.h"

#include <QScreen>
#include <QTest>

#include <memory>

class TestPlacement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void levels_data();
    void levels();
    void currentLevelAgainAfterMove();

private:
    std::unique_ptr<ScopedConfigHome> home;
    std::unique_ptr<MessageBoxAnswerer> boxes;
    std::unique_ptr<TfrmMBMain> w;
};

void TestPlacement::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs the X11 platform");
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1024, 600));
}

void TestPlacement::init()
{
    home = std::make_unique<ScopedConfigHome>();
    boxes = std::make_unique<MessageBoxAnswerer>();
    w = std::make_unique<TfrmMBMain>();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
}

void TestPlacement::cleanup()
{
    w.reset();
    boxes.reset();
    home.reset();
}

void TestPlacement::levels_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QRect>("outer"); // the top is worked out from the menu bar's height
    QTest::newRow("easy") << 0 << QRect(312, 0, 400, 300);
    QTest::newRow("normal") << 1 << QRect(212, 0, 600, 450);
    QTest::newRow("difficult") << 2 << QRect(137, 0, 750, 550);
    // Taller than the screen: the top is negative, halved toward zero.
    QTest::newRow("tablet") << 3 << QRect(262, 0, 500, 700);
    QTest::newRow("full screen") << 4 << QRect(0, 0, 1024, 600);
}

void TestPlacement::levels()
{
    QFETCH(int, level);
    QFETCH(QRect, outer);
    QAction *items[] = {w->mnuLevelEasy, w->mnuLevelNormal, w->mnuLevelDifficult, w->mnuLevelTablet,
                        w->mnuLevelFullScreen};
    items[level]->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::qWait(50);
    const int menuHeight = w->height() - w->ClientHeight();
    QVERIFY(menuHeight > 0);
    QRect expected = outer;
    if (level != 4) {
        // The outer height takes in the menu bar; centre by it.
        expected.setHeight(outer.height() + menuHeight);
        expected.moveTop((600 - expected.height()) / 2);
    }
    QTRY_COMPARE(w->frameGeometry(), expected);
    QCOMPARE(w->windowHandle()->framePosition(), expected.topLeft());
    if (level == 3)
        QVERIFY(w->frameGeometry().top() < 0);
}

void TestPlacement::currentLevelAgainAfterMove()
{
    w->mnuLevelNormal->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QPoint centred = w->frameGeometry().topLeft();
    w->move(centred + QPoint(40, 30));
    QTRY_COMPARE(w->frameGeometry().topLeft(), centred + QPoint(40, 30));
    w->mnuLevelNormal->trigger();
    QTRY_COMPARE(w->frameGeometry().topLeft(), centred);
}

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
