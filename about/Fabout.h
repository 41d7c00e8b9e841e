#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class TfrmAbout;
}

// The About window: title and version, credits and a link to the author's
// page. One instance lives as long as the program and is shown again and
// again, keeping its state in between.
class TfrmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget *parent = nullptr);
    ~TfrmAbout() override;

    // The title line; set by the main window before each showing.
    QString version;

    void FormActivate();
    void lblURLClick();
    void lblURLMouseDown();
    void lblURLMouseUp();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::TfrmAbout> ui;
    // Set by a plain left press on the link: only its release is a click,
    // so the second press of a double click does not open the page again.
    bool urlClickPending = false;
};
