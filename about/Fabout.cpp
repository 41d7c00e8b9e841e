#include "Fabout.h"
#include "ui_Fabout.h"

#include "screen.h"
#include "shell.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>

namespace {

constexpr auto kPageAddress = "https://ravenmoor.example/moxabell/";
constexpr int kFontPixels = 16;

void setTextColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

// A picture that sizes itself keeps its box until there is a picture to fit.
void fitToPicture(QLabel *image)
{
    const QPixmap picture = image->pixmap();
    if (!picture.isNull())
        image->resize(picture.deviceIndependentSize().toSize());
}

void centreHorizontally(QWidget *control, int clientWidth)
{
    control->move((clientWidth - control->width()) / 2, control->y());
}

} // namespace

TfrmAbout::TfrmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::TfrmAbout>())
{
    ui->setupUi(this);

    // The layout is laid out in pixels: fonts are held at their pixel size so
    // that the text keeps to its boxes whatever the screen's density.
    for (QWidget *control : {static_cast<QWidget *>(ui->Label2), static_cast<QWidget *>(ui->Label5),
                             static_cast<QWidget *>(ui->Label1), static_cast<QWidget *>(ui->lblURL),
                             static_cast<QWidget *>(ui->Button1)}) {
        QFont font = control->font();
        font.setPixelSize(kFontPixels);
        control->setFont(font);
    }
    for (QLabel *label : {ui->Label2, ui->Label5, ui->Label1})
        label->adjustSize();
    fitToPicture(ui->Image1);
    fitToPicture(ui->Image2);

    ui->lblURL->installEventFilter(this);
    connect(ui->Button1, &QPushButton::clicked, this, &QDialog::accept);
}

TfrmAbout::~TfrmAbout() = default;

void TfrmAbout::FormActivate()
{
    ui->Label1->setText(version);
    ui->Label1->adjustSize();
    const int clientWidth = width();
    for (QWidget *control : {static_cast<QWidget *>(ui->Label1), static_cast<QWidget *>(ui->Label2),
                             static_cast<QWidget *>(ui->Label5), static_cast<QWidget *>(ui->lblURL)})
        centreHorizontally(control, clientWidth);
}

void TfrmAbout::lblURLClick()
{
    // Passed whole, however long: a folder cut to fit a fixed length would
    // name some other folder.
    const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    platform::ShellExecute(this, QString(), QString::fromLatin1(kPageAddress), QString(), folder,
                           platform::SW_SHOWMAXIMIZED);
}

void TfrmAbout::lblURLMouseDown()
{
    setTextColor(ui->lblURL, Qt::red);
}

void TfrmAbout::lblURLMouseUp()
{
    setTextColor(ui->lblURL, Qt::blue);
}

void TfrmAbout::showEvent(QShowEvent *event)
{
    // The window is modal, so it becomes active only by being shown: once per
    // showing is every activation there is.
    if (!event->spontaneous()) {
        platform::centreOnScreen(this);
        FormActivate();
    }
    QDialog::showEvent(event);
}

bool TfrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != ui->lblURL)
        return QDialog::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton)
            urlClickPending = event->type() == QEvent::MouseButtonPress;
        lblURLMouseDown();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            const bool over = ui->lblURL->rect().contains(mouse->position().toPoint());
            const bool click = urlClickPending && over;
            urlClickPending = false;
            if (click)
                lblURLClick();
        }
        lblURLMouseUp();
        return true;
    }
    default:
        return QDialog::eventFilter(watched, event);
    }
}

