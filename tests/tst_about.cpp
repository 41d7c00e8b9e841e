#include "Fabout.h"
#include "shell.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <vector>

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void placesAfterActivation_data();
    void placesAfterActivation();
    void secondShowingKeepsPlaces();
    void linkPress_data();
    void linkPress();
    void doubleClickOpensOnce();
    void closing_data();
    void closing();

private:
    QLabel *link() const { return about->findChild<QLabel *>(QStringLiteral("lblURL")); }
    QColor linkColor() const { return link()->palette().color(QPalette::WindowText); }

    std::unique_ptr<TfrmAbout> about;
    std::vector<platform::ShellRequest> opened;
};

namespace {
const QString kVersion = QStringLiteral("Moxabell 2025 Ver. 4.01");
constexpr int kClientWidth = 458;
}

void TestAbout::init()
{
    opened.clear();
    platform::setShellHandler([this](const platform::ShellRequest &request) { opened.push_back(request); });
    about = std::make_unique<TfrmAbout>();
    QVERIFY(about->version.isEmpty());
    about->version = kVersion;
}

void TestAbout::cleanup()
{
    about.reset();
    platform::setShellHandler({});
}

void TestAbout::placesAfterActivation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("text"); // a null text: the label keeps its own

    QTest::newRow("title") << "Label1" << 16 << kVersion;
    QTest::newRow("credit") << "Label2" << 48 << QString();
    QTest::newRow("rights") << "Label5" << 168 << QString();
}

void TestAbout::placesAfterActivation()
{
    QFETCH(QString, name);
    QFETCH(int, top);
    QFETCH(QString, text);

    about->show();
    const auto *label = about->findChild<QLabel *>(name);
    QVERIFY(label);
    if (!text.isNull())
        QCOMPARE(label->text(), text);
    QVERIFY(!label->text().isEmpty());
    QCOMPARE(label->width(), label->sizeHint().width());
    QCOMPARE(label->x(), (kClientWidth - label->width()) / 2);
    QCOMPARE(label->y(), top);

    QCOMPARE(link()->geometry(), QRect(16, 200, 425, 18));
}

void TestAbout::secondShowingKeepsPlaces()
{
    const QStringList names{"Label1", "Label2", "Label5", "lblURL", "Button1", "Image1", "Image2", "Image3"};
    const auto places = [&] {
        QList<QRect> rects;
        for (const QString &name : names)
            rects << about->findChild<QWidget *>(name)->geometry();
        return rects;
    };
    about->show();
    const QList<QRect> first = places();
    about->hide();
    about->show();
    QCOMPARE(places(), first);
    QCOMPARE(about->size(), QSize(kClientWidth, 245));
}

void TestAbout::linkPress_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<bool>("opens");

    const QPoint over(100, 9);
    const QPoint outside(100, 40);
    QTest::newRow("left, released over the link") << Qt::LeftButton << over << true;
    QTest::newRow("left, released outside") << Qt::LeftButton << outside << false;
    QTest::newRow("right") << Qt::RightButton << over << false;
    QTest::newRow("middle") << Qt::MiddleButton << over << false;
}

void TestAbout::linkPress()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(bool, opens);

    about->show();
    QCOMPARE(linkColor(), QColor(Qt::blue));
    QTest::mousePress(link(), button, {}, QPoint(100, 9));
    QCOMPARE(linkColor(), QColor(Qt::red));
    QTest::mouseRelease(link(), button, {}, releaseAt);
    QCOMPARE(linkColor(), QColor(Qt::blue));

    QCOMPARE(opened.size(), opens ? 1u : 0u);
    if (!opens)
        return;
    const platform::ShellRequest &request = opened.front();
    QCOMPARE(request.window, about.get());
    QVERIFY(request.verb.isNull());
    QCOMPARE(request.file, QStringLiteral("https://ravenmoor.example/moxabell/"));
    QCOMPARE(request.file, QStringLiteral("https://") + link()->text());
    QVERIFY(request.parameters.isNull());
    QCOMPARE(request.directory, QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    QCOMPARE(request.showCommand, 3);
}

void TestAbout::doubleClickOpensOnce()
{
    about->show();
    // What a real double click delivers: the second press comes as the double click.
    const QPoint over(100, 9);
    QTest::mousePress(link(), Qt::LeftButton, {}, over);
    QTest::mouseRelease(link(), Qt::LeftButton, {}, over);
    QTest::mouseDClick(link(), Qt::LeftButton, {}, over);
    QCOMPARE(linkColor(), QColor(Qt::red));
    QTest::mouseRelease(link(), Qt::LeftButton, {}, over);
    QCOMPARE(opened.size(), 1u);
    QCOMPARE(linkColor(), QColor(Qt::blue));
}

void TestAbout::closing_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("OK! clicked") << false;
    QTest::newRow("Enter") << true;
}

void TestAbout::closing()
{
    QFETCH(bool, byKey);

    auto *ok = about->findChild<QPushButton *>(QStringLiteral("Button1"));
    QTimer::singleShot(0, about.get(), [&] {
        if (byKey)
            QTest::keyClick(about.get(), Qt::Key_Return);
        else
            QTest::mouseClick(ok, Qt::LeftButton);
    });
    // Should the close go astray, fail instead of waiting for ever.
    QTimer::singleShot(5000, about.get(), &QDialog::reject);
    QCOMPARE(about->exec(), 1);
    QVERIFY(about->isHidden());
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
