#include "Fhighscore.h"
#include "cp932.h"
#include "namelimit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QtTest>

#include <limits>

namespace {

const char *const kBrickPicture = ":/images/renga.png";

QByteArray sjis(const QString &text)
{
    return cp932::encode(text).value();
}

// A row as a tablet table might hold it after a hand-edited store.
HighScoreRow sampleRow()
{
    return {{{-250, sjis(u"山田太郎"_qs), 100},
             {10000, "Rovuve", 60},
             {12345, "", 0},
             {16000, sjis(u"ｶﾀｶﾅ"_qs), 45},
             {std::numeric_limits<std::int32_t>::min(), "Rovuve", 40}}};
}

QLabel *cell(const TfrmHighScore &dialog, int index)
{
    return dialog.findChild<QLabel *>(QStringLiteral("Label%1").arg(index));
}

QLineEdit *nameBox(const TfrmHighScore &dialog)
{
    return dialog.findChild<QLineEdit *>(QStringLiteral("Edit1"));
}

enum class Action { ClickCell, ClickHeader, ClickBlack, Space, Return, Enter, Escape, LetterA };

} // namespace

Q_DECLARE_METATYPE(Action)

class tst_HighScoreWindow : public QObject
{
    Q_OBJECT

private slots:
    void grid_data();
    void grid();
    void windowSize();
    void closing_data();
    void closing();
    void nameEntry_data();
    void nameEntry();
    void openNameBox_data();
    void openNameBox();
    void nameFits_data();
    void nameFits();
    void nameBoxRefuses();
    void viewingCaption_data();
    void viewingCaption();
    void brickFrame_data();
    void brickFrame();
};

void tst_HighScoreWindow::grid_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("texts"); // rank, time, score, name

    QTest::newRow("header") << 0 << QStringList{"Rank", "Time(ms)", "Score", "Name"};
    QTest::newRow("negative time, Japanese name") << 1 << QStringList{"1", "-250", "100", u"山田太郎"_qs};
    QTest::newRow("no separator") << 2 << QStringList{"2", "10000", "60", "Rovuve"};
    QTest::newRow("empty name") << 3 << QStringList{"3", "12345", "0", ""};
    QTest::newRow("half-width kana") << 4 << QStringList{"4", "16000", "45", u"ｶﾀｶﾅ"_qs};
    QTest::newRow("lowest time") << 5 << QStringList{"5", "-2147483648", "40", "Rovuve"};
}

void tst_HighScoreWindow::grid()
{
    QFETCH(int, row);
    QFETCH(QStringList, texts);
    static constexpr int kLeft[] = {20, 58, 176, 256};
    static constexpr int kWidth[] = {40, 105, 57, 129};

    TfrmHighScore dialog(nullptr, sampleRow());
    for (int column = 0; column < 4; ++column) {
        const QLabel *label = cell(dialog, 6 * column + row + 1);
        QVERIFY(label);
        QCOMPARE(label->text(), texts[column]);
        QCOMPARE(label->geometry(), QRect(kLeft[column], 40 + 32 * row, kWidth[column], 16));
        QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    }
}

void tst_HighScoreWindow::windowSize()
{
    TfrmHighScore dialog(nullptr, sampleRow());
    QCOMPARE(dialog.size(), QSize(416, 256));
    QCOMPARE(dialog.windowTitle(), "BestTime");
    const auto *spare = dialog.findChild<QLineEdit *>(QStringLiteral("edtDummy"));
    QVERIFY(spare);
    QVERIFY(!spare->geometry().intersects(dialog.rect()));
}

void tst_HighScoreWindow::closing_data()
{
    QTest::addColumn<bool>("entry");
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("closes");

    QTest::newRow("viewing, click on a cell") << false << Action::ClickCell << true;
    QTest::newRow("viewing, click on a header") << false << Action::ClickHeader << true;
    QTest::newRow("viewing, click on the black") << false << Action::ClickBlack << true;
    QTest::newRow("viewing, Space") << false << Action::Space << true;
    QTest::newRow("viewing, Return") << false << Action::Return << false;
    QTest::newRow("viewing, keypad Enter") << false << Action::Enter << false;
    QTest::newRow("viewing, Escape") << false << Action::Escape << false;
    QTest::newRow("viewing, a letter") << false << Action::LetterA << false;
    QTest::newRow("entry, click on a cell") << true << Action::ClickCell << false;
    QTest::newRow("entry, click on the black") << true << Action::ClickBlack << false;
    QTest::newRow("entry, Space") << true << Action::Space << false;
    QTest::newRow("entry, Escape") << true << Action::Escape << false;
}

void tst_HighScoreWindow::closing()
{
    QFETCH(bool, entry);
    QFETCH(Action, action);
    QFETCH(bool, closes);

    TfrmHighScore dialog(nullptr, sampleRow());
    if (entry)
        dialog.openNameBox(2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QWindow *window = dialog.windowHandle();

    switch (action) {
    case Action::ClickCell:
        QTest::mouseClick(window, Qt::LeftButton, {}, cell(dialog, 10)->geometry().center());
        break;
    case Action::ClickHeader:
        QTest::mouseClick(window, Qt::LeftButton, {}, cell(dialog, 19)->geometry().center());
        break;
    case Action::ClickBlack:
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(240, 64));
        break;
    case Action::Space:
        QTest::keyClick(window, Qt::Key_Space);
        break;
    case Action::Return:
        QTest::keyClick(window, Qt::Key_Return);
        break;
    case Action::Enter:
        QTest::keyClick(window, Qt::Key_Enter, Qt::KeypadModifier);
        break;
    case Action::Escape:
        QTest::keyClick(window, Qt::Key_Escape);
        break;
    case Action::LetterA:
        QTest::keyClick(window, 'a');
        break;
    }
    QCOMPARE(dialog.isVisible(), !closes);
}

void tst_HighScoreWindow::nameEntry_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QByteArray>("name");

    QTest::newRow("Return") << "Bob Lee" << Qt::Key_Return << QByteArray("Bob Lee");
    QTest::newRow("keypad Enter") << "x" << Qt::Key_Enter << QByteArray("x");
    QTest::newRow("empty box") << "" << Qt::Key_Return << QByteArray();
}

void tst_HighScoreWindow::nameEntry()
{
    QFETCH(QString, typed);
    QFETCH(Qt::Key, key);
    QFETCH(QByteArray, name);

    TfrmHighScore dialog(nullptr, sampleRow());
    dialog.openNameBox(3);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QWindow *window = dialog.windowHandle();

    for (QChar c : typed)
        QTest::keyClick(window, c.toLatin1());
    QVERIFY(dialog.isVisible());
    QTest::keyClick(window, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.nameText(), name);
}

void tst_HighScoreWindow::openNameBox_data()
{
    QTest::addColumn<int>("rank");
    QTest::newRow("rank 1") << 1;
    QTest::newRow("rank 5") << 5;
}

void tst_HighScoreWindow::openNameBox()
{
    QFETCH(int, rank);

    TfrmHighScore dialog(nullptr, sampleRow());
    QLineEdit *box = nameBox(dialog);
    QVERIFY(box->isHidden());
    dialog.openNameBox(rank);

    const int top = 40 + 32 * rank;
    QVERIFY(!box->isHidden());
    QCOMPARE(box->geometry(), QRect(256, top, 121, 20));
    QVERIFY(box->text().isEmpty());
    QVERIFY(cell(dialog, 19 + rank)->isHidden());
}

void tst_HighScoreWindow::nameFits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fits");

    QTest::newRow("empty") << "" << true;
    QTest::newRow("16 ASCII") << QString(16, u'a') << true;
    QTest::newRow("17 ASCII") << QString(17, u'a') << false;
    QTest::newRow("8 kanji") << QString(8, u'漢') << true;
    QTest::newRow("9 kanji") << QString(9, u'漢') << false;
    QTest::newRow("16 half-width kana") << QString(16, u'ｱ') << true;
    QTest::newRow("4 ASCII and 6 kana, 16 bytes") << u"ABCDテストです"_qs << true;
    QTest::newRow("15 ASCII and a kanji") << QString(15, u'a') + u'漢' << false;
    QTest::newRow("accented letter") << u"José"_qs << false;
    QTest::newRow("emoji") << u"😀"_qs << false;
}

void tst_HighScoreWindow::nameFits()
{
    QFETCH(QString, text);
    QFETCH(bool, fits);
    QCOMPARE(::nameFits(text), fits);
}

// The rule holds for every way text gets into the box.
void tst_HighScoreWindow::nameBoxRefuses()
{
    TfrmHighScore dialog(nullptr, sampleRow());
    dialog.openNameBox(1);
    QLineEdit *box = nameBox(dialog);

    for (int i = 0; i < 9; ++i) {
        QInputMethodEvent commit;
        commit.setCommitString(u"漢"_qs);
        QApplication::sendEvent(box, &commit);
    }
    QCOMPARE(box->text(), QString(8, u'漢'));
    QCOMPARE(dialog.nameText(), sjis(QString(8, u'漢')));

    box->clear();
    QTest::keyClicks(box, "abcdefghijklmnopq");
    QCOMPARE(box->text(), "abcdefghijklmnop");

    box->clear();
    box->insert(u"Zoë"_qs); // as a paste does
    QCOMPARE(box->text(), "");
}

void tst_HighScoreWindow::viewingCaption_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("caption");

    QTest::newRow("easy") << 0 << u"BestTime(初級)"_qs;
    QTest::newRow("normal") << 1 << u"BestTime(中級)"_qs;
    QTest::newRow("difficult") << 2 << u"BestTime(上級)"_qs;
    QTest::newRow("tablet") << 3 << u"BestTime(縦画面)"_qs;
    QTest::newRow("full screen") << 4 << u"BestTime(全画面)"_qs;
    QTest::newRow("below range") << -1 << u"BestTime"_qs;
    QTest::newRow("above range") << 5 << u"BestTime"_qs;
}

void tst_HighScoreWindow::viewingCaption()
{
    QFETCH(int, level);
    QFETCH(QString, caption);
    QCOMPARE(TfrmHighScore::viewingCaption(level), caption);
}

void tst_HighScoreWindow::brickFrame_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("from"); // in the brick picture; empty for black

    QTest::newRow("top band") << QRect(32, 0, 32, 16) << QRect(0, 0, 32, 16);
    QTest::newRow("bottom band") << QRect(192, 240, 32, 16) << QRect(0, 0, 32, 16);
    QTest::newRow("left band") << QRect(0, 96, 16, 32) << QRect(0, 0, 16, 32);
    QTest::newRow("right band") << QRect(400, 96, 16, 32) << QRect(0, 0, 16, 32);
    QTest::newRow("side over bottom corner") << QRect(400, 240, 16, 16) << QRect(0, 16, 16, 16);
    QTest::newRow("inside the frame") << QRect(16, 16, 4, 224) << QRect();
    QTest::newRow("between the rows") << QRect(20, 56, 365, 16) << QRect();
}

void tst_HighScoreWindow::brickFrame()
{
    QFETCH(QRect, area);
    QFETCH(QRect, from);

    const QImage brick = QPixmap(kBrickPicture).toImage().convertToFormat(QImage::Format_RGB32);
    if (brick.isNull())
        QSKIP("the brick picture :/images/renga.png is not in the resources");

    TfrmHighScore dialog(nullptr, sampleRow());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QImage shown = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(area);

    QImage expected(area.size(), QImage::Format_RGB32);
    expected.fill(Qt::black);
    if (!from.isEmpty())
        expected = brick.copy(from);
    QCOMPARE(shown, expected);
}

QTEST_MAIN(tst_HighScoreWindow)
#include "tst_highscorewindow.moc"
