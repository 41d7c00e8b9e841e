// The application object: exceptions escaping handlers are shown and the
// program goes on; the layouts' Windows faces find a substitute; Wayland
// sessions are steered to X11.

#include "application.h"
#include "testsupport.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

#include <stdexcept>

namespace {

class Thrower : public QObject
{
public:
    int handled = 0;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("The beat went wrong.");
        if (event->type() == QEvent::Type(QEvent::User + 1)) {
            ++handled;
            return true;
        }
        return QObject::event(event);
    }
};

// Restores an environment variable when the test is done with it.
class ScopedEnv
{
public:
    explicit ScopedEnv(const char *name) : name(name), had(qEnvironmentVariableIsSet(name)), value(qgetenv(name)) {}
    ~ScopedEnv()
    {
        if (had)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    void set(const QByteArray &text)
    {
        if (text.isNull())
            qunsetenv(name);
        else
            qputenv(name, text);
    }

private:
    const char *name;
    bool had;
    QByteArray value;
};

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exceptionInHandlerIsShown();
    void exceptionInClickSkipsRestOfHandler();
    void japaneseFaceHasSubstitute();
    void preferX11OnWayland_data();
    void preferX11OnWayland();
};

void TestApplication::initTestCase()
{
    platform::setApplicationTitle(QStringLiteral("Moxabell 2025"));
}

void TestApplication::exceptionInHandlerIsShown()
{
    MessageBoxAnswerer boxes;
    Thrower thrower;
    QEvent failing(QEvent::User);
    QVERIFY(!QCoreApplication::sendEvent(&thrower, &failing));
    QCOMPARE(boxes.shown.size(), std::size_t(1));
    QCOMPARE(boxes.shown[0].text, QStringLiteral("The beat went wrong."));
    QCOMPARE(boxes.shown[0].caption, QStringLiteral("Moxabell 2025"));
    QCOMPARE(boxes.shown[0].flags, platform::MB_OK | platform::MB_ICONERROR);

    // The program goes on: the next event is handled as usual.
    QEvent next(QEvent::Type(QEvent::User + 1));
    QVERIFY(QCoreApplication::sendEvent(&thrower, &next));
    QCOMPARE(thrower.handled, 1);
}

void TestApplication::exceptionInClickSkipsRestOfHandler()
{
    MessageBoxAnswerer boxes;
    QPushButton button;
    button.show();
    bool finished = false;
    QObject::connect(&button, &QPushButton::clicked, &button, [&finished] {
        throw std::runtime_error("No store.");
        finished = true;
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    QVERIFY(!finished);
    QCOMPARE(boxes.shown.size(), std::size_t(1));
    QCOMPARE(boxes.shown[0].text, QStringLiteral("No store."));
    // The button still works afterwards.
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(boxes.shown.size(), std::size_t(2));
}

void TestApplication::japaneseFaceHasSubstitute()
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    for (const QChar c : QStringLiteral("ゲーム初級終了"))
        QVERIFY2(metrics.inFont(c), qPrintable(QFontInfo(font).family()));
    QFont comic(QStringLiteral("Comic Sans MS"));
    QCOMPARE(QFontInfo(comic).family(), QStringLiteral("Comic Neue"));
}

void TestApplication::preferX11OnWayland_data()
{
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("chosen");
    QTest::newRow("Wayland with XWayland") << QByteArray() << QByteArray("wayland-0") << QByteArray(":0")
                                           << QByteArray("xcb");
    QTest::newRow("Wayland alone") << QByteArray() << QByteArray("wayland-0") << QByteArray() << QByteArray();
    QTest::newRow("X11") << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray();
    QTest::newRow("the user's choice stands") << QByteArray("wayland") << QByteArray("wayland-0")
                                              << QByteArray(":0") << QByteArray("wayland");
}

void TestApplication::preferX11OnWayland()
{
    QFETCH(QByteArray, platform);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, chosen);
    ScopedEnv qpa("QT_QPA_PLATFORM");
    ScopedEnv waylandDisplay("WAYLAND_DISPLAY");
    ScopedEnv xDisplay("DISPLAY");
    qpa.set(platform);
    waylandDisplay.set(wayland);
    xDisplay.set(display);
    platform::Application::preferX11OnWayland();
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), chosen);
}

int main(int argc, char *argv[])
{
    platform::Application app(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
