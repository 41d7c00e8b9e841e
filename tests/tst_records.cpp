// The settings and best games kept across runs by the main window: the load
// at start-up, the save at exit, the erase offered by Exit with Z held.

#include "Fmbmain.h"
#include "cp932.h"
#include "keystate.h"
#include "recordstore.h"
#include "regstore.h"
#include "testsupport.h"

#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

#include <memory>

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstRunSavesEveryValue();
    void roundTrip();
    void storedLevelOutOfRange();
    void exitWithZAnsweredNo();
    void exitWithZErases();
    void closeBoxNeverAsks();
    void failedSaveIsShown();
    void viewingTheTableOfLevel3();
    void unreadableStoreStillShowsWindow();

private:
    QByteArray storeBytes() const;
    void holdZ(bool down);

    std::unique_ptr<ScopedConfigHome> home;
    std::unique_ptr<MessageBoxAnswerer> boxes;
};

void TestRecords::initTestCase()
{
    platform::installKeyStateTracker(qApp);
    platform::setApplicationTitle(QStringLiteral("Moxabell 2025"));
}

void TestRecords::init()
{
    home = std::make_unique<ScopedConfigHome>();
    boxes = std::make_unique<MessageBoxAnswerer>();
}

void TestRecords::cleanup()
{
    holdZ(false);
    boxes.reset();
    home.reset();
}

QByteArray TestRecords::storeBytes() const
{
    QFile file(home->storeFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestRecords::holdZ(bool down)
{
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    if (!target && !QApplication::topLevelWidgets().isEmpty())
        target = QApplication::topLevelWidgets().first();
    if (!target)
        return;
    if (down)
        QTest::keyPress(target, Qt::Key_Z);
    else
        QTest::keyRelease(target, Qt::Key_Z);
}

void TestRecords::firstRunSavesEveryValue()
{
    auto w = std::make_unique<TfrmMBMain>();
    QVERIFY(w->soundOn);
    QVERIFY(w->mnuOptionSound->isChecked());
    QCOMPARE(w->level, 0);
    QVERIFY(w->mnuLevelEasy->isChecked());
    QCOMPARE(QSize(w->ClientWidth(), w->ClientHeight()), QSize(400, 300));
    for (const HighScoreRow &row : w->highScore)
        for (int rank = 0; rank < kRankCount; ++rank) {
            QCOMPARE(row[rank].time, 10000 + 2000 * rank);
            QCOMPARE(row[rank].score, 60 - 5 * rank);
            QCOMPARE(row[rank].name, QByteArray("Rovuve"));
        }
    w.reset();

    const QByteArray bytes = storeBytes();
    const QRegularExpression value(QStringLiteral("^\"[^\"]+\"=\"[^\"]*\"\r$"), QRegularExpression::MultilineOption);
    QCOMPARE(QString::fromLatin1(bytes).count(value), 77);
    QVERIFY(bytes.contains("[HKEY_CURRENT_USER\\Software\\Ravenmoor\\Moxagame]\r\n\"LastDifficulty\"=\"0\"\r\n\"Sound\"=\"1\"\r\n"));
    QVERIFY(bytes.contains("[HKEY_CURRENT_USER\\Software\\Ravenmoor\\Moxagame\\HighScore5]\r\n"
                           "\"Time1\"=\"10000\"\r\n\"Name1\"=\"Rovuve\"\r\n\"Score1\"=\"60\"\r\n"));
    QVERIFY(boxes->shown.empty());
}

void TestRecords::roundTrip()
{
    // A name longer than the name box allows is still kept whole.
    const QByteArray longName = cp932::encode(QStringLiteral("とてもながいなまえのぷれいやーさんです")).value();
    QVERIFY(longName.size() > 16);
    {
        TfrmMBMain w;
        w.mnuLevelTablet->trigger();
        w.mnuOptionSound->trigger();
        w.highScore[2][0] = {1234, longName, 99};
        w.highScore[4][4] = {-5, QByteArray(), 0};
    }
    TfrmMBMain w;
    QVERIFY(!w.soundOn);
    QVERIFY(!w.mnuOptionSound->isChecked());
    QCOMPARE(w.level, 3);
    QVERIFY(w.mnuLevelTablet->isChecked());
    QCOMPARE(QSize(w.ClientWidth(), w.ClientHeight()), QSize(500, 700));
    QCOMPARE(w.highScore[2][0].time, 1234);
    QCOMPARE(w.highScore[2][0].name, longName);
    QCOMPARE(w.highScore[2][0].score, 99);
    QCOMPARE(w.highScore[4][4].time, -5);
    QVERIFY(w.highScore[4][4].name.isEmpty());
    QCOMPARE(w.highScore[2][1].time, 12000);
}

void TestRecords::storedLevelOutOfRange()
{
    {
        RegIniFile store{QLatin1String(kStoreBaseKey)};
        store.WriteString(QLatin1String(kSettingsSection), QStringLiteral("LastDifficulty"), "7");
        store.close();
    }
    {
        TfrmMBMain w;
        QCOMPARE(w.level, 0);
        QVERIFY(w.mnuLevelEasy->isChecked());
        QCOMPARE(QSize(w.ClientWidth(), w.ClientHeight()), QSize(400, 300));
    }
    QVERIFY(storeBytes().contains("\"LastDifficulty\"=\"0\""));
}

void TestRecords::exitWithZAnsweredNo()
{
    TfrmMBMain w;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    boxes->answer = platform::IDNO;
    holdZ(true);
    w.mnuExit->trigger();
    QCOMPARE(boxes->shown.size(), std::size_t(1));
    QCOMPARE(boxes->shown[0].text, QStringLiteral("アンインストールのためにこのソフトの\nレジストリ情報を削除しますか?"));
    QCOMPARE(boxes->shown[0].caption, QStringLiteral("レジストリの削除"));
    QCOMPARE(boxes->shown[0].flags, platform::MB_YESNO | platform::MB_ICONINFORMATION);
    QVERIFY(w.isVisible());
    QVERIFY(!w.state().eraseRegistry);

    holdZ(false);
    w.mnuExit->trigger();
    QCOMPARE(boxes->shown.size(), std::size_t(1));
    QVERIFY(!w.isVisible());
}

void TestRecords::exitWithZErases()
{
    {
        RegIniFile store{QLatin1String(kStoreBaseKey)};
        store.WriteString(QStringLiteral("OtherGame"), QStringLiteral("Kept"), "yes");
        store.close();
    }
    {
        TfrmMBMain w;
        w.mnuLevelNormal->trigger();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        boxes->answer = platform::IDYES;
        holdZ(true);
        w.mnuExit->trigger();
        QVERIFY(w.state().eraseRegistry);
        QVERIFY(!w.isVisible());
        holdZ(false);
    }
    QCOMPARE(boxes->shown.size(), std::size_t(2));
    QCOMPARE(boxes->shown[1].text, QStringLiteral("レジストリ情報を削除しました。"));
    QCOMPARE(boxes->shown[1].caption, QStringLiteral("レジストリの削除"));
    QCOMPARE(boxes->shown[1].flags, platform::MB_OK | platform::MB_ICONINFORMATION);
    const QByteArray bytes = storeBytes();
    QVERIFY(!bytes.contains("Moxagame"));
    QVERIFY(bytes.contains("[HKEY_CURRENT_USER\\Software\\Ravenmoor]"));
    QVERIFY(bytes.contains("[HKEY_CURRENT_USER\\Software\\Ravenmoor\\OtherGame]\r\n\"Kept\"=\"yes\""));

    TfrmMBMain next;
    QCOMPARE(next.level, 0);
    QVERIFY(next.soundOn);
}

void TestRecords::closeBoxNeverAsks()
{
    {
        TfrmMBMain w;
        w.mnuLevelDifficult->trigger();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        holdZ(true);
        w.close();
        QVERIFY(!w.isVisible());
    }
    QVERIFY(boxes->shown.empty());
    QVERIFY(storeBytes().contains("\"LastDifficulty\"=\"2\""));
}

void TestRecords::failedSaveIsShown()
{
    auto w = std::make_unique<TfrmMBMain>();
    // A file where the store's folder should be: no save can succeed, even
    // for a user that may write anywhere.
    const QString folder = QFileInfo(home->storeFile()).absolutePath();
    QVERIFY(QDir(folder).removeRecursively());
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    w.reset();
    QCOMPARE(boxes->shown.size(), std::size_t(1));
    QCOMPARE(boxes->shown[0].caption, QStringLiteral("Moxabell 2025"));
    QCOMPARE(boxes->shown[0].flags, platform::MB_OK | platform::MB_ICONERROR);
    QVERIFY(!boxes->shown[0].text.isEmpty());
}

void TestRecords::viewingTheTableOfLevel3()
{
    TfrmMBMain w;
    w.mnuLevelTablet->trigger();
    w.highScore[3][0] = {4321, cp932::encode(QStringLiteral("縦のひと")).value(), 88};
    QString caption;
    QStringList firstRow;
    whenModalOpens([&](QWidget *window) {
        caption = window->windowTitle();
        for (const char *name : {"Label2", "Label8", "Label14", "Label20"})
            firstRow << window->findChild<QLabel *>(QLatin1String(name))->text();
        QTest::keyClick(window, Qt::Key_Space);
    });
    w.mnuHighScore->trigger();
    QCOMPARE(caption, QStringLiteral("BestTime(縦画面)"));
    QCOMPARE(firstRow, (QStringList{QStringLiteral("1"), QStringLiteral("4321"), QStringLiteral("88"),
                                    QStringLiteral("縦のひと")}));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestRecords::unreadableStoreStillShowsWindow()
{
    // Something the store cannot read at all sits where the file should be.
    QVERIFY(QDir().mkpath(home->storeFile()));
    {
        TfrmMBMain w;
        QVERIFY(w.isVisible());
        QCOMPARE(QSize(w.ClientWidth(), w.ClientHeight()), QSize(400, 300));
        QVERIFY(w.soundOn);
        QCOMPARE(w.highScore[1][0].time, 10000);
        QCOMPARE(boxes->shown.size(), std::size_t(1));
        QCOMPARE(boxes->shown[0].flags, platform::MB_OK | platform::MB_ICONERROR);
    }
    // What could not be read is not overwritten with defaults at exit.
    QCOMPARE(boxes->shown.size(), std::size_t(1));
    QVERIFY(QFileInfo(home->storeFile()).isDir());
}

QTEST_MAIN(TestRecords)
#include "tst_records.moc"
