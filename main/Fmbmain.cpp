#include "Fmbmain.h"

#include "Fabout.h"
#include "Fhighscore.h"
#include "anchors.h"
#include "keystate.h"
#include "levels.h"
#include "messagebox.h"
#include "recordstore.h"
#include "regstore.h"
#include "score.h"
#include "screen.h"
#include "shell.h"
#include "tickcount.h"
#include "timer.h"
#include "wavecue.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QResizeEvent>

#include <cstdlib>
#include <ctime>
#include <span>

TfrmMBMain *frmMBMain = nullptr;
TfrmAbout *frmAbout = nullptr;

namespace {

// The size the form was laid out at; anchored components keep their
// distances from the edges of this client area.
constexpr QSize kDesignClient(332, 208);
constexpr int kStatusPanelWidth = 120;
constexpr char kVersionText[] = "Moxabell 2025 Ver. 4.01";

int tagOf(const QAction *item)
{
    return item->property("Tag").toInt();
}

// A place along a span too small for the target falls back to 0 rather than
// dividing by zero; rand is still drawn, so the sequence stays the same.
int randomOffset(int range)
{
    const int r = std::rand();
    return range > 0 ? r % range : 0;
}

} // namespace

TfrmMBMain::TfrmMBMain(QWidget *owner)
    : QMainWindow(owner)
{
    frmMBMain = this;
    setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    tmrMain = new platform::Timer(this);
    levelItems = {mnuLevelEasy, mnuLevelNormal, mnuLevelDifficult, mnuLevelTablet, mnuLevelFullScreen};
    createStatusPanels();
    rememberAnchors();
    connectHandlers();
    try {
        FormCreate();
    } catch (const std::exception &error) {
        platform::ShowException(error);
    }
}

TfrmMBMain::~TfrmMBMain()
{
    try {
        FormDestroy();
    } catch (const std::exception &error) {
        platform::ShowException(error);
    }
    if (frmMBMain == this)
        frmMBMain = nullptr;
}

void TfrmMBMain::connectHandlers()
{
    connect(mnuExit, &QAction::triggered, this, &TfrmMBMain::mnuExitClick);
    connect(imgClickable, &ImageBox::mouseDown, this, &TfrmMBMain::imgClickableMouseDown);
    connect(mnuStart, &QAction::triggered, this, &TfrmMBMain::mnuStartClick);
    connect(tmrMain, &QTimer::timeout, this, &TfrmMBMain::tmrMainTimer);
    connect(btnStart, &QPushButton::clicked, this, &TfrmMBMain::btnStartClick);
    for (QAction *item : levelItems)
        connect(item, &QAction::triggered, this, [this, item] { mnuLevelSelect(item); });
    connect(mnuAbout, &QAction::triggered, this, &TfrmMBMain::mnuAboutClick);
    connect(mnuHighScore, &QAction::triggered, this, &TfrmMBMain::mnuHighScoreClick);
    connect(mnuOptionSound, &QAction::triggered, this, &TfrmMBMain::mnuOptionSoundClick);
    connect(mnuReadme, &QAction::triggered, this, &TfrmMBMain::mnuReadmeClick);
    for (QAction *item : grpChar->actions())
        connect(item, &QAction::triggered, this, [this, item] { mnuCharClick(item); });
    connect(mnuEnglish, &QAction::triggered, this, [this] { mnuEnglishClick(mnuEnglish); });
    connect(mnuJapanese, &QAction::triggered, this, [this] { mnuJapaneseClick(mnuJapanese); });
    for (QAction *item : grpTrynum->actions())
        connect(item, &QAction::triggered, this, [this, item] { mnuTryClick(item); });
    connect(imgSyowaColored, &ImageBox::clicked, this, &TfrmMBMain::imgSyowaColoredClick);
    connect(imgSyowa, &ImageBox::clicked, this, &TfrmMBMain::imgSyowaClick);
    connect(imgMoonYellow, &ImageBox::clicked, this, &TfrmMBMain::imgMoonYellowClick);
}

void TfrmMBMain::createStatusPanels()
{
    // Two panels of fixed width and a third reaching to the bar's right end.
    auto *panels = new QWidget(StatusBar);
    auto *layout = new QHBoxLayout(panels);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (std::size_t i = 0; i < statusPanels.size(); ++i) {
        auto *panel = new QLabel(panels);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i + 1 < statusPanels.size())
            panel->setFixedWidth(kStatusPanelWidth);
        layout->addWidget(panel, i + 1 < statusPanels.size() ? 0 : 1);
        statusPanels[i] = panel;
    }
    StatusBar->addWidget(panels, 1);
}

// ---------------------------------------------------------------------------
// Start-up and shut-down

void TfrmMBMain::FormCreate()
{
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    game.eraseRegistry = false;
    seqImage = {imgRovuve, imgSyowa, imgSyowaColored, imgMoon, imgMoonYellow};
    shuffleImage = {imgSyowa, imgMoonYellow, imgRovuve, imgMoon, imgSyowaColored};
    game.exeDir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    loadStore();
    mnuOptionSound->setChecked(soundOn);
    mnuLevelSelect(nullptr);
}

void TfrmMBMain::loadStore()
{
    // A store that cannot be read (another copy holding it too long, a folder
    // we may not read) must not keep the window from showing: the error is
    // shown and the game starts with the defaults.
    highScore = HighScoreTable{};
    soundOn = true;
    level = 0;
    try {
        RegIniFile store{QLatin1String(kStoreBaseKey)};
        const StoredSettings settings = loadSettings(store);
        soundOn = settings.soundOn;
        level = settings.level;
        loadRecords(store, highScore);
        store.close();
        storeLoaded = true;
    } catch (const std::exception &error) {
        platform::ShowException(error);
        highScore.fill(defaultHighScoreRow());
    }
}

void TfrmMBMain::FormDestroy()
{
    if (!storeLoaded)
        return;
    RegIniFile store{QLatin1String(kStoreBaseKey)};
    if (game.eraseRegistry) {
        store.EraseSection(QLatin1String(kSettingsSection));
        platform::MessageBox(nullptr, QStringLiteral("レジストリ情報を削除しました。"),
                             QStringLiteral("レジストリの削除"),
                             platform::MB_OK | platform::MB_ICONINFORMATION);
    } else {
        saveSettings(store, {soundOn, level});
        saveRecords(store, highScore);
    }
    store.close();
}

void TfrmMBMain::mnuExitClick()
{
    // The first query clears the memory of an earlier press; the second tells
    // whether Z is held now.
    platform::GetAsyncKeyState('Z');
    if (platform::GetAsyncKeyState('Z') != 0) {
        const int answer = platform::MessageBox(
            this, QStringLiteral("アンインストールのためにこのソフトの\nレジストリ情報を削除しますか?"),
            QStringLiteral("レジストリの削除"), platform::MB_YESNO | platform::MB_ICONINFORMATION);
        if (answer != platform::IDYES)
            return;
        game.eraseRegistry = true;
    }
    close();
}

// ---------------------------------------------------------------------------
// The game

void TfrmMBMain::mnuStartClick()
{
    for (ImageBox *title : {imgRovuve, imgSyowa, imgSyowaColored, imgMoon, imgMoonYellow})
        title->setVisible(false);
    game.gameOn = true;
    tmrMain->setEnabled(true);
    game.countDown = 4;
    btnStart->setVisible(false);
    game.tryCount = 1;
    game.totalTime = 0;
    tmrMainTimer();
    imgClickable->setVisible(false);
    setMenusEnabled(false);
    setSequencePicture(1);
    setPanel(0, QStringLiteral("Challenge: %1").arg(game.tryCount));
    setPanel(1, QString());
    setPanel(2, QString());
}

void TfrmMBMain::btnStartClick()
{
    mnuStartClick();
}

void TfrmMBMain::tmrMainTimer()
{
    if (game.countDown > 0) {
        --game.countDown;
        lblCountDown->setText(QStringLiteral("Challenge: %1/%2\n%3")
                                  .arg(game.tryCount).arg(game.tryNum).arg(game.countDown));
        PlayWave(game.countDown != 0 ? QStringLiteral("ID_WAVEREADY") : QStringLiteral("ID_WAVESET"));
    }
    if (game.countDown == 0) {
        imgClickable->setVisible(true);
        placeTarget();
        game.countDown = -1;
        game.startTick = platform::GetTickCount();
        tmrMain->setEnabled(false);
    }
}

void TfrmMBMain::placeTarget()
{
    const int left = randomOffset(ClientWidth() - kTargetSize);
    const int top = randomOffset(ClientHeight() - StatusBar->height() - kTargetSize);
    imgClickable->move(left, top);
}

void TfrmMBMain::imgClickableMouseDown(Qt::MouseButton)
{
    const std::uint32_t now = platform::GetTickCount();
    if (!game.gameOn)
        return;
    // Unsigned subtraction keeps the time right across the tick count's wrap.
    const auto reaction = static_cast<std::int32_t>(now - game.startTick);
    PlayWave(QStringLiteral("ID_WAVECLICK"));
    imgClickable->setVisible(false);
    game.tryTime[game.tryCount - 1] = reaction;
    game.totalTime += reaction;
    ++game.tryCount;
    setSequencePicture(game.tryCount);
    setPanel(1, QStringLiteral("Last: %1ms").arg(reaction));
    setPanel(2, QStringLiteral("Total: %1ms").arg(game.totalTime));
    if (game.tryCount <= game.tryNum) {
        game.countDown = 4;
        tmrMain->setEnabled(true);
        setPanel(0, QStringLiteral("Challenge: %1").arg(game.tryCount));
        return;
    }
    game.gameOn = false;
    game.countDown = 0;
    tmrMain->setEnabled(false);
    setPanel(0, QStringLiteral("終了"));
    setMenusEnabled(true);
    const int score = CalcScore(std::span(game.tryTime).first(game.tryNum));
    platform::MessageBox(this, resultText(language(), game.totalTime, score), QStringLiteral("Score"),
                         platform::MB_OK | platform::MB_ICONINFORMATION);
    CheckHighScore(game.totalTime, score);
    btnStart->setVisible(true);
    lblCountDown->setText(QStringLiteral("Moxabell!"));
}

void TfrmMBMain::setPanel(int index, const QString &text)
{
    statusPanels.at(index)->setText(text);
}

void TfrmMBMain::setMenusEnabled(bool enabled)
{
    mnuLevel->menuAction()->setEnabled(enabled);
    mnuTrynum->menuAction()->setEnabled(enabled);
}

// ---------------------------------------------------------------------------
// Best games

void TfrmMBMain::CheckHighScore(std::int32_t totalTime, std::int32_t score)
{
    HighScoreRow &row = highScore.at(level);
    const int rank = insertHighScore(row, totalTime, score);
    if (rank == 0)
        return;
    TfrmHighScore window(this, row);
    window.openNameBox(rank);
    window.exec();
    row[rank - 1].name = window.nameText();
}

void TfrmMBMain::mnuHighScoreClick()
{
    const QString caption = TfrmHighScore::viewingCaption(level);
    TfrmHighScore window(this, highScore.at(level));
    window.setWindowTitle(caption);
    window.exec();
}

// ---------------------------------------------------------------------------
// Play settings

void TfrmMBMain::mnuLevelSelect(QAction *sender)
{
    if (sender)
        level = tagOf(sender);
    // A hand-edited store may hold any number; play the first level instead.
    if (!isValidLevel(level))
        level = 0;
    levelItems[level]->setChecked(true);
    setVisible(false);
    const LevelSize size = levelSize[level];
    const QSize screen = platform::screenSize();
    if (isFullScreenSize(size)) {
        setOuterBounds(QRect(QPoint(0, 0), screen));
    } else {
        setClientSize(size.width, size.height);
        const QRect outer = outerBounds();
        move(centredStart(screen.width(), outer.width()), centredStart(screen.height(), outer.height()));
    }
    setVisible(true);
}

void TfrmMBMain::mnuTryClick(QAction *sender)
{
    sender->setChecked(true);
    game.tryNum = tagOf(sender);
}

void TfrmMBMain::mnuCharClick(QAction *sender)
{
    charMode = tagOf(sender);
    if (charMode == -2 || charMode == -1) {
        if (game.tryCount >= 1)
            setSequencePicture(game.tryCount);
    } else {
        imgClickable->setPixmap(seqImage.at(charMode)->pixmap());
    }
    sender->setChecked(true);
}

void TfrmMBMain::setSequencePicture(int challenge)
{
    // Only the in-order and shuffled modes change the picture per challenge;
    // a fixed character was put on the target when it was chosen.
    const std::size_t index = static_cast<std::size_t>(challenge - 1) % seqImage.size();
    if (charMode == -2)
        imgClickable->setPixmap(shuffleImage[index]->pixmap());
    else if (charMode == -1)
        imgClickable->setPixmap(seqImage[index]->pixmap());
}

// ---------------------------------------------------------------------------
// The window's size and layout

int TfrmMBMain::ClientWidth() const
{
    return width();
}

int TfrmMBMain::ClientHeight() const
{
    return height() - MainMenu->heightForWidth(width());
}

// The frame is fixed: only the level command sizes the window, never the player.
void TfrmMBMain::setClientSize(int width, int height)
{
    setFixedSize(width, height + MainMenu->heightForWidth(width));
}

QRect TfrmMBMain::outerBounds() const
{
    return frameGeometry();
}

void TfrmMBMain::setOuterBounds(const QRect &bounds)
{
    const QSize frame = frameGeometry().size() - size();
    move(bounds.topLeft());
    setFixedSize(bounds.size() - frame);
}

void TfrmMBMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    applyAnchors();
    FormResize();
}

void TfrmMBMain::rememberAnchors()
{
    for (QWidget *widget : client->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QVariant anchors = widget->property("Anchors");
        if (!anchors.isValid())
            continue;
        anchored.push_back({widget, widget->geometry(), platform::parseAnchors(anchors.toString()),
                            widget->property("AutoSize").toBool()});
    }
}

void TfrmMBMain::applyAnchors()
{
    const QSize clientSize(ClientWidth(), ClientHeight());
    for (const AnchoredWidget &a : anchored)
        a.widget->setGeometry(platform::anchoredRect(a.design, kDesignClient, clientSize, a.anchors, a.fixedSize));
}

void TfrmMBMain::FormResize()
{
    lblCountDown->move(centredStart(ClientWidth(), lblCountDown->width()), lblCountDown->y());
    lblCountDown->move(lblCountDown->x(), centredStart(ClientHeight(), lblCountDown->height()));
    btnStart->move(centredStart(ClientWidth(), btnStart->width()), btnStart->y());
    btnStart->move(btnStart->x(), lblCountDown->y() + lblCountDown->height() + 10);
}

// ---------------------------------------------------------------------------
// Captions, sounds, About and readme

Language TfrmMBMain::language() const
{
    return mnuEnglish->isChecked() ? Language::English : Language::Japanese;
}

void TfrmMBMain::mnuEnglishClick(QAction *sender)
{
    applyCaptions(sender, Language::English);
}

void TfrmMBMain::mnuJapaneseClick(QAction *sender)
{
    applyCaptions(sender, Language::Japanese);
}

void TfrmMBMain::applyCaptions(QAction *sender, Language language)
{
    sender->setChecked(true);
    for (const Caption &caption : kCaptions) {
        const QString name = QLatin1String(caption.target);
        const QString text = captionText(caption, language);
        if (auto *menu = findChild<QMenu *>(name))
            menu->setTitle(text);
        else if (auto *item = findChild<QAction *>(name))
            item->setText(text);
        else if (auto *button = findChild<QAbstractButton *>(name))
            button->setText(text);
    }
}

void TfrmMBMain::PlayWave(const QString &name)
{
    if (!soundOn)
        return;
    platform::PlaySound(name);
}

void TfrmMBMain::mnuOptionSoundClick()
{
    // The menu has already turned the check mark over by the time it tells us.
    soundOn = mnuOptionSound->isChecked();
}

void TfrmMBMain::imgSyowaColoredClick()
{
    PlayWave(QStringLiteral("ID_WAVESET"));
}

void TfrmMBMain::imgSyowaClick()
{
    PlayWave(QStringLiteral("ID_WAVEREADY"));
}

void TfrmMBMain::imgMoonYellowClick()
{
    PlayWave(QStringLiteral("ID_WAVECLICK"));
}

void TfrmMBMain::mnuAboutClick()
{
    if (!frmAbout)
        return;
    frmAbout->version = QLatin1String(kVersionText);
    frmAbout->exec();
}

void TfrmMBMain::mnuReadmeClick()
{
    const QString fileName = game.exeDir + QStringLiteral("Moxa.txt");
    platform::ShellExecute(this, QStringLiteral("open"), fileName, QString(), game.exeDir,
                           platform::SW_SHOWMAXIMIZED);
}
