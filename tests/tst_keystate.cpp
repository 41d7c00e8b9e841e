#include "keystate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

constexpr int kVkZ = 0x5A;
constexpr int kVkA = 0x41;
constexpr short kDown = short(0x8000);
constexpr short kPressedSinceQuery = 0x0001;

void sendKey(QWidget *receiver, QEvent::Type type, bool autoRepeat = false)
{
    QKeyEvent event(type, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"), autoRepeat);
    QApplication::sendEvent(receiver, &event);
}

} // namespace

class tst_KeyState : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void pressAndRelease_data();
    void pressAndRelease();
    void pressBetweenQueriesCounts();
    void autoRepeatReleaseIgnored();
    void forgottenOnDeactivation_data();
    void forgottenOnDeactivation();

private:
    QWidget m_window;
};

void tst_KeyState::initTestCase()
{
    platform::installKeyStateTracker(qApp);
    m_window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_window));
}

void tst_KeyState::init()
{
    // Each test starts with Z up and nothing remembered.
    sendKey(&m_window, QEvent::KeyRelease);
    platform::GetAsyncKeyState(kVkZ);
    QCOMPARE(platform::GetAsyncKeyState(kVkZ), short(0));
}

void tst_KeyState::pressAndRelease_data()
{
    QTest::addColumn<bool>("inMenu");
    QTest::newRow("main window") << false;
    // Exit is chosen from a menu, which holds the keyboard meanwhile.
    QTest::newRow("open menu") << true;
}

void tst_KeyState::pressAndRelease()
{
    QFETCH(bool, inMenu);
    std::unique_ptr<QMenu> menu;
    QWidget *receiver = &m_window;
    if (inMenu) {
        menu = std::make_unique<QMenu>(&m_window);
        menu->addAction(QStringLiteral("Exit"));
        menu->popup(m_window.pos());
        QVERIFY(QTest::qWaitForWindowExposed(menu.get()));
        receiver = menu.get();
    }

    QTest::keyPress(receiver, Qt::Key_Z);
    QCOMPARE(platform::GetAsyncKeyState(kVkZ), short(kDown | kPressedSinceQuery));
    QCOMPARE(platform::GetAsyncKeyState(kVkZ), kDown);
    QCOMPARE(platform::GetAsyncKeyState(kVkA), short(0));

    QTest::keyRelease(receiver, Qt::Key_Z);
    QCOMPARE(platform::GetAsyncKeyState(kVkZ), short(0));
}

void tst_KeyState::pressBetweenQueriesCounts()
{
    platform::GetAsyncKeyState(kVkZ);
    QTest::keyClick(&m_window, Qt::Key_Z);
    QCOMPARE(platform::GetAsyncKeyState(kVkZ), kPressedSinceQuery);
    QCOMPARE(platform::GetAsyncKeyState(kVkZ), short(0));
}

void tst_KeyState::autoRepeatReleaseIgnored()
{
    sendKey(&m_window, QEvent::KeyPress);
    sendKey(&m_window, QEvent::KeyRelease, true);
    sendKey(&m_window, QEvent::KeyPress, true);
    sendKey(&m_window, QEvent::KeyRelease, true);
    QVERIFY(platform::GetAsyncKeyState(kVkZ) & kDown);

    sendKey(&m_window, QEvent::KeyRelease);
    QCOMPARE(platform::GetAsyncKeyState(kVkZ), short(0));
}

void tst_KeyState::forgottenOnDeactivation_data()
{
    QTest::addColumn<int>("eventType");
    QTest::addColumn<int>("state"); // for a state change
    QTest::addColumn<bool>("forgotten");

    QTest::newRow("inactive") << int(QEvent::ApplicationStateChange) << int(Qt::ApplicationInactive) << true;
    QTest::newRow("hidden") << int(QEvent::ApplicationStateChange) << int(Qt::ApplicationHidden) << true;
    QTest::newRow("active") << int(QEvent::ApplicationStateChange) << int(Qt::ApplicationActive) << false;
    QTest::newRow("deactivate") << int(QEvent::ApplicationDeactivate) << 0 << true;
}

void tst_KeyState::forgottenOnDeactivation()
{
    QFETCH(int, eventType);
    QFETCH(int, state);
    QFETCH(bool, forgotten);

    QTest::keyPress(&m_window, Qt::Key_Z);
    if (eventType == QEvent::ApplicationStateChange) {
        QApplicationStateChangeEvent event(static_cast<Qt::ApplicationState>(state));
        QApplication::sendEvent(qApp, &event);
    } else {
        QEvent event(QEvent::ApplicationDeactivate);
        QApplication::sendEvent(qApp, &event);
    }
    const short expected = forgotten ? short(0) : short(kDown | kPressedSinceQuery);
    QCOMPARE(platform::GetAsyncKeyState(kVkZ), expected);
}

QTEST_MAIN(tst_KeyState)
#include "tst_keystate.moc"
