#include "regstore.h"

#include "cp932.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

const QString kBase = QStringLiteral("Software\\Ravenmoor");
const QString kSettings = QStringLiteral("Moxagame");
const QString kLevel1 = QStringLiteral("Moxagame\\HighScore1");

const QByteArray kHeader = "REGEDIT4\r\n\r\n";
const QByteArray kBaseBlock = "[HKEY_CURRENT_USER\\Software\\Ravenmoor]\r\n";
const QByteArray kSettingsBlock = "[HKEY_CURRENT_USER\\Software\\Ravenmoor\\Moxagame]\r\n";

QByteArray sjis(const QString &text)
{
    return cp932::encode(text).value();
}

// Twenty double-byte characters; ソ, 表 and 能 end in a backslash byte.
QByteArray longJapaneseName()
{
    return sjis(QStringLiteral("ソフト表示能力の高い名前ソフト表示能力テ"));
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

enum Reader { Bool, Integer, String };

} // namespace

class tst_RegStore : public QObject {
    Q_OBJECT

private slots:
    void init();
    void roundTrip();
    void readingRules_data();
    void readingRules();
    void otherTypeReadsDefaultUntilWritten();
    void unknownKeysAndValuesKept();
    void eraseSection();
    void unreadableFileKeptAside_data();
    void unreadableFileKeptAside();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void writtenBytes();
    void lfOnlyFileRead();
    void lockHeldElsewhere();

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QString m_path;
};

void tst_RegStore::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home->path()));
    m_path = RegIniFile::storePath();
    QCOMPARE(m_path, m_home->path() + QStringLiteral("/Ravenmoor/registry.reg"));
}

void tst_RegStore::roundTrip()
{
    {
        RegIniFile store(kBase);
        store.WriteBool(kSettings, QStringLiteral("Sound"), false);
        store.WriteInteger(kSettings, QStringLiteral("LastDifficulty"), 3);
        store.WriteInteger(kLevel1, QStringLiteral("Time1"), -5);
        store.WriteString(kLevel1, QStringLiteral("Name1"), longJapaneseName());
        store.WriteString(kLevel1, QStringLiteral("Name2"), QByteArray());
        store.close();
    }
    RegIniFile store(kBase);
    QCOMPARE(store.ReadBool(kSettings, QStringLiteral("Sound"), true), false);
    QCOMPARE(store.ReadInteger(kSettings, QStringLiteral("LastDifficulty"), 0), 3);
    QCOMPARE(store.ReadInteger(kLevel1, QStringLiteral("Time1"), 10000), -5);
    QCOMPARE(store.ReadString(kLevel1, QStringLiteral("Name1"), "Rovuve"), longJapaneseName());
    QCOMPARE(store.ReadString(kLevel1, QStringLiteral("Name2"), "Rovuve"), QByteArray(""));
    QCOMPARE(store.ReadString(kLevel1, QStringLiteral("Name3"), "Rovuve"), QByteArray("Rovuve"));
    QCOMPARE(store.ReadInteger(QStringLiteral("Moxagame\\HighScore2"), QStringLiteral("Time1"), 10000), 10000);
}

void tst_RegStore::readingRules_data()
{
    QTest::addColumn<QByteArray>("data"); // what follows "Value"= in the file; null: no such value
    QTest::addColumn<int>("reader");
    QTest::addColumn<QByteArray>("expected"); // booleans as 1 or 0

    // Booleans with default true.
    QTest::newRow("bool 0") << QByteArray("\"0\"") << int(Bool) << QByteArray("0");
    QTest::newRow("bool 2") << QByteArray("\"2\"") << int(Bool) << QByteArray("1");
    QTest::newRow("bool -1") << QByteArray("\"-1\"") << int(Bool) << QByteArray("1");
    QTest::newRow("bool abc") << QByteArray("\"abc\"") << int(Bool) << QByteArray("1");
    QTest::newRow("bool empty") << QByteArray("\"\"") << int(Bool) << QByteArray("1");
    QTest::newRow("bool missing") << QByteArray() << int(Bool) << QByteArray("1");

    // Integers with default 9.
    QTest::newRow("int 3") << QByteArray("\"3\"") << int(Integer) << QByteArray("3");
    QTest::newRow("int -5") << QByteArray("\"-5\"") << int(Integer) << QByteArray("-5");
    QTest::newRow("int x") << QByteArray("\"x\"") << int(Integer) << QByteArray("9");
    QTest::newRow("int overflow") << QByteArray("\"99999999999\"") << int(Integer) << QByteArray("9");
    QTest::newRow("int max") << QByteArray("\"2147483647\"") << int(Integer) << QByteArray("2147483647");
    QTest::newRow("int max+1") << QByteArray("\"2147483648\"") << int(Integer) << QByteArray("9");
    QTest::newRow("int min") << QByteArray("\"-2147483648\"") << int(Integer) << QByteArray("-2147483648");
    QTest::newRow("int empty") << QByteArray("\"\"") << int(Integer) << QByteArray("9");
    QTest::newRow("int lone minus") << QByteArray("\"-\"") << int(Integer) << QByteArray("9");
    QTest::newRow("int leading space") << QByteArray("\" 3\"") << int(Integer) << QByteArray("9");
    QTest::newRow("int trailing text") << QByteArray("\"3a\"") << int(Integer) << QByteArray("9");
    QTest::newRow("int plus") << QByteArray("\"+3\"") << int(Integer) << QByteArray("9");
    QTest::newRow("int leading zeros") << QByteArray("\"007\"") << int(Integer) << QByteArray("7");
    QTest::newRow("int hex(2)") << QByteArray("hex(2):31,32,00") << int(Integer) << QByteArray("12");

    // Strings with default "Rovuve".
    QTest::newRow("string 40-byte Japanese") << '"' + longJapaneseName() + '"' << int(String) << longJapaneseName();
    QTest::newRow("string escapes") << QByteArray(R"("a\\b\"c")") << int(String) << QByteArray("a\\b\"c");
    QTest::newRow("string empty") << QByteArray("\"\"") << int(String) << QByteArray("");
    QTest::newRow("string missing") << QByteArray() << int(String) << QByteArray("Rovuve");
    QTest::newRow("string hex(2)") << QByteArray("hex(2):25,50,41,54,48,25,00") << int(String) << QByteArray("%PATH%");
    QTest::newRow("string hex(2) cut at NUL")
        << QByteArray("hex(2):41,00,42,00") << int(String) << QByteArray("A");
    QTest::newRow("string hex(2) continued")
        << QByteArray("hex(2):83,5c,95,\\\r\n  5c,41,00") << int(String) << sjis(QStringLiteral("ソ表A"));
}

void tst_RegStore::readingRules()
{
    QFETCH(QByteArray, data);
    QFETCH(int, reader);
    QFETCH(QByteArray, expected);

    QByteArray file = kHeader + kBaseBlock + "\r\n" + kSettingsBlock;
    if (!data.isNull())
        file += "\"Value\"=" + data + "\r\n";
    putFile(m_path, file + "\r\n");

    // Key and value names are matched regardless of case.
    const RegIniFile store(kBase);
    const QString section = QStringLiteral("MOXAGAME");
    const QString name = QStringLiteral("value");
    switch (reader) {
    case Bool:
        QCOMPARE(QByteArray::number(store.ReadBool(section, name, true)), expected);
        break;
    case Integer:
        QCOMPARE(QByteArray::number(store.ReadInteger(section, name, 9)), expected);
        break;
    default:
        QCOMPARE(store.ReadString(section, name, "Rovuve"), expected);
    }
}

void tst_RegStore::otherTypeReadsDefaultUntilWritten()
{
    putFile(m_path, kHeader + kBaseBlock + "\r\n"
                    "[HKEY_CURRENT_USER\\Software\\Ravenmoor\\Moxagame\\HighScore1]\r\n"
                    "\"Time1\"=dword:00000005\r\n"
                    "\"Score1\"=hex:01,02\r\n"
                    "\"Name1\"=\"Bob\"\r\n\r\n");
    {
        RegIniFile store(kBase);
        QCOMPARE(store.ReadInteger(kLevel1, QStringLiteral("Time1"), 10000), 10000);
        QCOMPARE(store.ReadString(kLevel1, QStringLiteral("Time1"), "none"), QByteArray("none"));
        QCOMPARE(store.ReadInteger(kLevel1, QStringLiteral("Score1"), 60), 60);
        QCOMPARE(store.ReadString(kLevel1, QStringLiteral("Name1"), "Rovuve"), QByteArray("Bob"));
        store.WriteInteger(kLevel1, QStringLiteral("TIME1"), 7000);
        store.close();
    }
    const QByteArray written = fileBytes(m_path);
    QVERIFY2(written.contains("\"Time1\"=\"7000\"\r\n"), written.constData());
    QVERIFY(!written.contains("dword"));
    QVERIFY(written.contains("\"Score1\"=hex:01,02\r\n"));
    QVERIFY(!QFile::exists(m_path + QStringLiteral(".bad")));

    const RegIniFile store(kBase);
    QCOMPARE(store.ReadInteger(kLevel1, QStringLiteral("Time1"), 10000), 7000);
}

void tst_RegStore::unknownKeysAndValuesKept()
{
    const QByteArray japaneseKey = sjis(QStringLiteral("表示"));
    // Lines the program never writes, each to come back byte for byte.
    const QList<QByteArray> foreign = {
        "\"Extra\"=\"keep me\"",
        "[HKEY_CURRENT_USER\\Software\\Ravenmoor\\Moxagame\\Other]",
        "\"Multi\"=hex(7):61,00,62,00,\\",
        "  00,00",
        "@=\"default\"",
        "[HKEY_CURRENT_USER\\Software\\Ravenmoor\\" + japaneseKey + "]",
        "\"Flag\"=dword:00000001",
        "\"Say\"=\"" + japaneseKey + "\"",
    };
    putFile(m_path, kHeader + kBaseBlock + "\r\n" + kSettingsBlock + "\"Sound\"=\"1\"\r\n" + foreign[0]
                        + "\r\n\r\n" + foreign[1] + "\r\n" + foreign[2] + "\r\n" + foreign[3] + "\r\n" + foreign[4]
                        + "\r\n\r\n" + foreign[5] + "\r\n" + foreign[6] + "\r\n" + foreign[7] + "\r\n\r\n");
    {
        RegIniFile store(kBase);
        store.WriteBool(kSettings, QStringLiteral("Sound"), false);
        store.WriteInteger(kLevel1, QStringLiteral("Time1"), 9000);
        store.close();
    }
    const QByteArray written = fileBytes(m_path);
    for (const QByteArray &line : foreign)
        QVERIFY2(written.contains(line + "\r\n"), line.constData());

    const RegIniFile store(kBase);
    QCOMPARE(store.ReadBool(kSettings, QStringLiteral("Sound"), true), false);
    QCOMPARE(store.ReadString(kSettings, QStringLiteral("Extra"), ""), QByteArray("keep me"));
    QCOMPARE(store.ReadInteger(kLevel1, QStringLiteral("Time1"), 0), 9000);
    QCOMPARE(store.ReadString(QStringLiteral("表示"), QStringLiteral("Say"), ""), japaneseKey);
}

void tst_RegStore::eraseSection()
{
    putFile(m_path, kHeader + kBaseBlock + "\"Keep\"=\"base\"\r\n\r\n" + kSettingsBlock + "\"Sound\"=\"0\"\r\n\r\n"
                        "[HKEY_CURRENT_USER\\Software\\Ravenmoor\\Moxagame\\HighScore1]\r\n\"Time1\"=\"1\"\r\n\r\n"
                        "[HKEY_CURRENT_USER\\Software\\Ravenmoor\\Moxagame\\Other\\Deeper]\r\n\"X\"=\"1\"\r\n\r\n"
                        "[HKEY_CURRENT_USER\\Software\\Ravenmoor\\Moxagame2]\r\n\"Sound\"=\"0\"\r\n\r\n"
                        "[HKEY_CURRENT_USER\\Software\\Ravenmoor\\OtherGame]\r\n\"Y\"=\"2\"\r\n\r\n");
    {
        RegIniFile store(kBase);
        store.EraseSection(QStringLiteral("moxagame"));
        store.close();
    }
    const QByteArray written = fileBytes(m_path);
    QVERIFY2(!written.contains("Moxagame]") && !written.contains("Moxagame\\"), written.constData());

    RegIniFile store(kBase);
    QCOMPARE(store.ReadBool(kSettings, QStringLiteral("Sound"), true), true);
    QCOMPARE(store.ReadInteger(kLevel1, QStringLiteral("Time1"), 10000), 10000);
    QCOMPARE(store.ReadString(QStringLiteral("Moxagame\\Other\\Deeper"), QStringLiteral("X"), "-"), QByteArray("-"));
    QCOMPARE(store.ReadString(QString(), QStringLiteral("Keep"), ""), QByteArray("base"));
    QCOMPARE(store.ReadBool(QStringLiteral("Moxagame2"), QStringLiteral("Sound"), true), false);
    QCOMPARE(store.ReadInteger(QStringLiteral("OtherGame"), QStringLiteral("Y"), 0), 2);

    // Erasing what is not there is no fault.
    store.EraseSection(kSettings);
    store.close();
}

void tst_RegStore::unreadableFileKeptAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("sound"); // what can still be read, default true

    QTest::newRow("garbage") << QByteArray("this is not a registry file\n{ \"Sound\": 0 }\n") << true;
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x10\x80REGEDIT4\x00\r\n", 16) << true;
    QTest::newRow("truncated") << kHeader + kSettingsBlock + "\"Sound\"=\"0\"\r\n\"LastDifficulty\"=\"3" << false;
    QTest::newRow("cut in hex") << kHeader + kSettingsBlock + "\"Sound\"=\"0\"\r\n\"Bin\"=hex:01,02,\\\r\n" << false;
    QTest::newRow("wrong header")
        << "Windows Registry Editor Version 5.00\r\n\r\n" + kSettingsBlock + "\"Sound\"=\"0\"\r\n" << false;
    QTest::newRow("value outside a key") << QByteArray("REGEDIT4\r\n\"Sound\"=\"0\"\r\n") << true;
}

void tst_RegStore::unreadableFileKeptAside()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, sound);

    putFile(m_path, bytes);
    {
        RegIniFile store(kBase);
        QCOMPARE(store.ReadBool(kSettings, QStringLiteral("Sound"), true), sound);
        QCOMPARE(store.ReadInteger(kSettings, QStringLiteral("LastDifficulty"), 0), 0);
        store.WriteInteger(kSettings, QStringLiteral("LastDifficulty"), 2);
        store.close();
    }
    const QString bad = m_path + QStringLiteral(".bad");
    QCOMPARE(fileBytes(bad), bytes);
    QVERIFY(fileBytes(m_path).startsWith(kHeader + kBaseBlock));

    // The fresh file reads cleanly: nothing more is put aside.
    QVERIFY(QFile::remove(bad));
    RegIniFile store(kBase);
    QCOMPARE(store.ReadBool(kSettings, QStringLiteral("Sound"), true), sound);
    QCOMPARE(store.ReadInteger(kSettings, QStringLiteral("LastDifficulty"), 0), 2);
    store.WriteInteger(kSettings, QStringLiteral("LastDifficulty"), 4);
    store.close();
    QVERIFY(!QFile::exists(bad));
}

void tst_RegStore::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder"); // else the disk fills up
    QTest::newRow("read-only folder") << true;
    QTest::newRow("disk full") << false;
}

void tst_RegStore::failedWriteKeepsOldFile()
{
    QFETCH(bool, readOnlyFolder);

    {
        RegIniFile store(kBase);
        store.WriteBool(kSettings, QStringLiteral("Sound"), false);
        store.close();
    }
    const QByteArray old = fileBytes(m_path);
    const QString folder = QFileInfo(m_path).absolutePath();

    auto store = std::make_unique<RegIniFile>(kBase);
    store->WriteBool(kSettings, QStringLiteral("Sound"), true);
    store->WriteString(kLevel1, QStringLiteral("Name1"), QByteArray(200, 'n'));

    const QFile::Permissions permissions = QFile::permissions(folder);
    if (readOnlyFolder) {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(folder + QStringLiteral("/probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(folder, permissions);
            QSKIP("This user may write into read-only folders.");
        }
    }
    // Writes past this size fail as on a full disk.
    rlimit oldLimit{};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (!readOnlyFolder) {
        rlimit limit = oldLimit;
        limit.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &limit);
    }

    QString message;
    try {
        store->close();
    } catch (const RegistryError &error) {
        message = QString::fromUtf8(error.what());
    }
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);
    QFile::setPermissions(folder, permissions);
    store.reset();

    QVERIFY2(message.contains(m_path), qPrintable(message));
    QCOMPARE(fileBytes(m_path), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("registry.reg")});
}

void tst_RegStore::writtenBytes()
{
    {
        RegIniFile store(kBase);
        store.WriteInteger(kSettings, QStringLiteral("LastDifficulty"), -5);
        store.WriteBool(kSettings, QStringLiteral("Sound"), false);
        // The backslash bytes inside ソ and 表 are not escapes.
        store.WriteString(kLevel1, QStringLiteral("Name1"), "a\\b\"c" + sjis(QStringLiteral("ソ表")));
        store.close();
    }
    const QByteArray expected = "REGEDIT4\r\n"
                                "\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Ravenmoor]\r\n"
                                "\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Ravenmoor\\Moxagame]\r\n"
                                "\"LastDifficulty\"=\"-5\"\r\n"
                                "\"Sound\"=\"0\"\r\n"
                                "\r\n"
                                "[HKEY_CURRENT_USER\\Software\\Ravenmoor\\Moxagame\\HighScore1]\r\n"
                                "\"Name1\"=\"a\\\\b\\\"c\x83\x5c"
                                "\x95\x5c\"\r\n"
                                "\r\n";
    QCOMPARE(fileBytes(m_path), expected);

    // A first load alone leaves the base key behind.
    QVERIFY(QFile::remove(m_path));
    RegIniFile(kBase).close();
    QCOMPARE(fileBytes(m_path), kHeader + kBaseBlock + "\r\n");
}

void tst_RegStore::lfOnlyFileRead()
{
    const QByteArray lfOnly = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Ravenmoor]\n\n"
                              "[HKEY_CURRENT_USER\\Software\\Ravenmoor\\Moxagame]\n\"Sound\"=\"0\"\n"
                              "\"LastDifficulty\"=\"4\"\n";
    putFile(m_path, lfOnly);
    {
        RegIniFile store(kBase);
        QCOMPARE(store.ReadBool(kSettings, QStringLiteral("Sound"), true), false);
        QCOMPARE(store.ReadInteger(kSettings, QStringLiteral("LastDifficulty"), 0), 4);
        store.close();
    }
    // A load that changes nothing leaves the file as it was.
    QCOMPARE(fileBytes(m_path), lfOnly);
    QVERIFY(!QFile::exists(m_path + QStringLiteral(".bad")));
}

void tst_RegStore::lockHeldElsewhere()
{
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QLockFile other(m_path + QStringLiteral(".lock"));
    QVERIFY(other.lock());

    QElapsedTimer clock;
    clock.start();
    QString message;
    try {
        RegIniFile store(kBase);
    } catch (const RegistryError &error) {
        message = QString::fromUtf8(error.what());
    }
    QVERIFY2(message.contains(m_path), qPrintable(message));
    QVERIFY(clock.elapsed() < 20000);

    other.unlock();
    RegIniFile store(kBase);
    store.close();
}

QTEST_GUILESS_MAIN(tst_RegStore)
#include "tst_regstore.moc"
