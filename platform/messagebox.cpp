#include "messagebox.h"

#include <QMessageBox>

#include <utility>

namespace platform {
namespace {

MessageBoxHandler &installedHandler()
{
    static MessageBoxHandler handler;
    return handler;
}

QString &title()
{
    static QString text;
    return text;
}

QMessageBox::Icon iconFor(unsigned flags)
{
    if (flags & MB_ICONINFORMATION)
        return QMessageBox::Information;
    if (flags & MB_ICONERROR)
        return QMessageBox::Critical;
    return QMessageBox::NoIcon;
}

int showRealBox(QWidget *parent, const MessageBoxRequest &request)
{
    QMessageBox box(iconFor(request.flags), request.caption, request.text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    if (request.flags & MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? IDYES : IDNO;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return IDOK;
}

} // namespace

int MessageBox(QWidget *parent, const QString &text, const QString &caption, unsigned flags)
{
    const MessageBoxRequest request{text, caption, flags};
    if (const MessageBoxHandler &handler = installedHandler())
        return handler(request);
    return showRealBox(parent, request);
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

QString applicationTitle()
{
    return title();
}

void setApplicationTitle(const QString &text)
{
    title() = text;
}

void ShowException(const std::exception &error)
{
    MessageBox(nullptr, QString::fromLocal8Bit(error.what()), applicationTitle(), MB_OK | MB_ICONERROR);
}

} // namespace platform
