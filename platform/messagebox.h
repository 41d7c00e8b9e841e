#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace platform {

// The flags and answers of the application's message box.
inline constexpr unsigned MB_OK = 0x00;
inline constexpr unsigned MB_YESNO = 0x04;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
inline constexpr int IDOK = 1;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

struct MessageBoxRequest {
    QString text;
    QString caption;
    unsigned flags = MB_OK;
};

// Shows a modal message box and returns the button chosen (IDOK, IDYES, IDNO).
int MessageBox(QWidget *parent, const QString &text, const QString &caption, unsigned flags);

// Tests answer message boxes themselves; an empty handler restores the real
// boxes. Returns the previous handler.
using MessageBoxHandler = std::function<int(const MessageBoxRequest &)>;
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

// The application title, the caption of the exception display.
QString applicationTitle();
void setApplicationTitle(const QString &title);

// The standard exception display: the message, the application title as
// caption and an error icon.
void ShowException(const std::exception &error);

} // namespace platform
