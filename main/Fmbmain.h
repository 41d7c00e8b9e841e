#pragma once

#include "captions.h"
#include "gamestate.h"
#include "highscoretable.h"
#include "ui_Fmbmain.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <vector>

class TfrmAbout;
namespace platform {
class Timer;
}

// The game's window. Its components come from the form; its handlers carry
// the names of the components and events they answer.
class TfrmMBMain : public QMainWindow, public Ui::TfrmMBMain
{
    Q_OBJECT
public:
    static constexpr int kTargetSize = 32;

    explicit TfrmMBMain(QWidget *owner = nullptr);
    ~TfrmMBMain() override;

    void mnuExitClick();
    void imgClickableMouseDown(Qt::MouseButton button);
    void mnuStartClick();
    void tmrMainTimer();
    void btnStartClick();
    void FormResize();
    void mnuLevelSelect(QAction *sender);
    void mnuAboutClick();
    void mnuHighScoreClick();
    void mnuOptionSoundClick();
    void mnuReadmeClick();
    void mnuCharClick(QAction *sender);
    void mnuEnglishClick(QAction *sender);
    void mnuJapaneseClick(QAction *sender);
    void mnuTryClick(QAction *sender);
    void imgSyowaColoredClick();
    void imgSyowaClick();
    void imgMoonYellowClick();

    void CheckHighScore(std::int32_t totalTime, std::int32_t score);
    void PlayWave(const QString &name);

    // The client area lies under the menu bar and takes in the status bar.
    int ClientWidth() const;
    int ClientHeight() const;
    void setClientSize(int width, int height);
    // Left, top, width and height with the frame, as far as the desktop tells it.
    QRect outerBounds() const;

    const GameState &state() const { return game; }
    Language language() const;
    QLabel *statusPanel(int index) const { return statusPanels.at(index); }

    HighScoreTable highScore{};
    std::int32_t level = 0;
    std::int32_t charMode = 0;
    bool soundOn = false;
    std::array<ImageBox *, 5> seqImage{};
    std::array<ImageBox *, 5> shuffleImage{};
    platform::Timer *tmrMain = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormCreate();
    void FormDestroy();
    void loadStore();
    void connectHandlers();
    void createStatusPanels();
    void rememberAnchors();
    void applyAnchors();
    void setOuterBounds(const QRect &bounds);
    void setPanel(int index, const QString &text);
    void setMenusEnabled(bool enabled);
    void placeTarget();
    void setSequencePicture(int challenge);
    void applyCaptions(QAction *sender, Language language);

    struct AnchoredWidget {
        QWidget *widget;
        QRect design;
        Qt::Edges anchors;
        bool fixedSize;
    };

    GameState game;
    std::array<QAction *, 5> levelItems{};
    std::array<QLabel *, 3> statusPanels{};
    std::vector<AnchoredWidget> anchored;
    // A store that could not be read is not overwritten with defaults at exit.
    bool storeLoaded = false;
};

extern TfrmMBMain *frmMBMain;
extern TfrmAbout *frmAbout;
