#pragma once

#include "highscoretable.h"

#include <QByteArray>
#include <QDialog>
#include <QString>

#include <array>
#include <memory>

class QKeyEvent;
class QLabel;
namespace Ui {
class TfrmHighScore;
}

// The five best games of one level, white on black inside a brick frame.
// Viewing: a click or Space closes it. Name entry: the name box lies over the
// new rank's name cell and only Enter in the box closes it.
class TfrmHighScore : public QDialog
{
    Q_OBJECT

public:
    TfrmHighScore(QWidget *owner, const HighScoreRow &row);
    ~TfrmHighScore() override;

    // Puts the name box over the name cell of rank 1-5 and gives it the focus.
    void openNameBox(int rank);
    // What the name box holds, as code page 932 bytes.
    QByteArray nameText() const;

    // The caption for viewing the table of a level.
    static QString viewingCaption(int level);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate(const HighScoreRow &row);
    void FormPaint();
    void FormClick();
    void FormKeyDown(const QKeyEvent &event);
    bool Edit1KeyPress(const QKeyEvent &event);

    std::unique_ptr<Ui::TfrmHighScore> ui;
    // Column c, row r (0 the header) is entry 6c + r.
    std::array<QLabel *, 24> lblGrid{};
};
