#include "Fhighscore.h"

#include "cp932.h"
#include "namelimit.h"
#include "screen.h"
#include "ui_Fhighscore.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QShowEvent>
#include <QValidator>

namespace {

enum Column { kRankColumn, kTimeColumn, kScoreColumn, kNameColumn, kColumnCount };

struct ColumnBounds {
    int left;
    int width;
};
constexpr std::array<ColumnBounds, kColumnCount> kColumns{{{20, 40}, {58, 105}, {176, 57}, {256, 129}}};
constexpr int kRowsPerColumn = kRankCount + 1; // the header, then the ranks
constexpr int kGridTop = 40;
constexpr int kRowPitch = 32;
constexpr int kCellHeight = 16;

constexpr int kClientWidth = 416;
constexpr int kClientHeight = 256;
constexpr int kOffside = 10; // how far past the window the spare box hides

constexpr int kBrick = 32; // the brick picture is square
constexpr int kBand = 16;  // the frame's width

// The layout's cells were fitted to its fonts at 96 dpi, so the fonts keep
// the pixel heights they had there on any screen.
constexpr int kWindowFontPixels = 12;
constexpr int kCellFontPixels = 16;

void fitFont(QWidget *widget, int pixels)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

void setBlack(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Qt::black);
    widget->setPalette(palette);
}

// Checks every change to the name box, whether typed, pasted or committed by
// an input method, and refuses the change as a whole when it does not fit.
class NameValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        return nameFits(input) ? Acceptable : Invalid;
    }
};

} // namespace

TfrmHighScore::TfrmHighScore(QWidget *owner, const HighScoreRow &row)
    : QDialog(owner)
    , ui(std::make_unique<Ui::TfrmHighScore>())
{
    ui->setupUi(this);
    // A title bar and nothing on it: no system menu, no close button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    fitFont(this, kWindowFontPixels);
    ui->Edit1->setValidator(new NameValidator(ui->Edit1));
    ui->Edit1->installEventFilter(this);
    ui->edtDummy->setAttribute(Qt::WA_InputMethodEnabled, false);

    FormCreate(row);
    for (QLabel *label : lblGrid)
        fitFont(label, kCellFontPixels);
}

TfrmHighScore::~TfrmHighScore() = default;

void TfrmHighScore::FormCreate(const HighScoreRow &row)
{
    setBlack(this);

    lblGrid = {ui->Label1,  ui->Label2,  ui->Label3,  ui->Label4,  ui->Label5,  ui->Label6,
               ui->Label7,  ui->Label8,  ui->Label9,  ui->Label10, ui->Label11, ui->Label12,
               ui->Label13, ui->Label14, ui->Label15, ui->Label16, ui->Label17, ui->Label18,
               ui->Label19, ui->Label20, ui->Label21, ui->Label22, ui->Label23, ui->Label24};
    const auto cell = [this](int column, int r) { return lblGrid[kRowsPerColumn * column + r]; };

    for (int r = 0; r < kRowsPerColumn; ++r) {
        for (int c = 0; c < kColumnCount; ++c)
            setBlack(cell(c, r));
        for (int c = 0; c < kColumnCount; ++c)
            cell(c, r)->setGeometry(kColumns[c].left, kGridTop + kRowPitch * r, kColumns[c].width, kCellHeight);
    }

    for (int r = 1; r <= kRankCount; ++r) {
        const shighScore &entry = row[r - 1];
        cell(kTimeColumn, r)->setText(QString::number(entry.time));
        cell(kNameColumn, r)->setText(cp932::decode(entry.name));
        cell(kScoreColumn, r)->setText(QString::number(entry.score));
    }

    setFixedSize(kClientWidth, kClientHeight);

    // Until the window is shown its frame is unknown, so this is at least the
    // client size: the box lies beyond the client area either way.
    const QSize outer = frameGeometry().size();
    ui->edtDummy->move(outer.width() + kOffside, outer.height() + kOffside);
}

void TfrmHighScore::openNameBox(int rank)
{
    if (rank < 1 || rank > kRankCount)
        return;
    QLabel *nameCell = lblGrid[kRowsPerColumn * kNameColumn + rank];
    ui->Edit1->setVisible(true);
    ui->Edit1->move(nameCell->pos());
    nameCell->setVisible(false);
    ui->Edit1->raise();
    ui->Edit1->setFocus();
}

QByteArray TfrmHighScore::nameText() const
{
    return cp932::encode(ui->Edit1->text()).value_or(QByteArray());
}

QString TfrmHighScore::viewingCaption(int level)
{
    // Full screen is named like the others, after its menu item.
    static constexpr std::array<const char *, kLevelCount> kSuffixes{
        "(初級)", "(中級)", "(上級)", "(縦画面)", "(全画面)"};
    QString caption = QStringLiteral("BestTime");
    if (level >= 0 && level < kLevelCount)
        caption += QString::fromUtf8(kSuffixes[level]);
    return caption;
}

bool TfrmHighScore::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched == ui->Edit1)
        return Edit1KeyPress(static_cast<const QKeyEvent &>(*event));
    return QDialog::eventFilter(watched, event);
}

void TfrmHighScore::paintEvent(QPaintEvent *)
{
    FormPaint();
}

// The labels leave mouse events to the window, so this takes their clicks too.
void TfrmHighScore::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        FormClick();
}

// Replaces the dialog's own keys: Escape and Enter must do nothing here.
void TfrmHighScore::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(*event);
}

void TfrmHighScore::showEvent(QShowEvent *event)
{
    // Centred on the screen rather than over the owner.
    if (!event->spontaneous())
        platform::centreOnScreen(this);
    QDialog::showEvent(event);
}

void TfrmHighScore::FormPaint()
{
    const QPixmap brick = ui->imgRenga->pixmap();
    if (brick.isNull())
        return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const int w = width();
    const int h = height();
    // Each band runs one tile past its end; the sides go over the corners.
    for (int i = 0; i <= w / kBrick; ++i) {
        painter.drawPixmap(kBrick * i, 0, brick, 0, 0, kBrick, kBand);
        painter.drawPixmap(kBrick * i, h - kBand, brick, 0, 0, kBrick, kBand);
    }
    for (int i = 0; i <= h / kBrick; ++i) {
        painter.drawPixmap(0, kBrick * i, brick, 0, 0, kBand, kBrick);
        painter.drawPixmap(w - kBand, kBrick * i, brick, 0, 0, kBand, kBrick);
    }
}

void TfrmHighScore::FormClick()
{
    if (ui->Edit1->isHidden())
        close();
}

void TfrmHighScore::FormKeyDown(const QKeyEvent &event)
{
    if (ui->Edit1->isHidden() && event.key() == Qt::Key_Space)
        close();
}

bool TfrmHighScore::Edit1KeyPress(const QKeyEvent &event)
{
    if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter)
        return false;
    // The spare box has the input method off: passing the focus through it
    // closes the player's input method before the window goes.
    ui->edtDummy->setVisible(true);
    ui->edtDummy->setFocus();
    ui->edtDummy->setVisible(false);
    close();
    return true;
}
