#pragma once

#include <QString>

#include <functional>

class QWidget;

// Stand-in for the desktop shell's "execute": opening a document or a web
// address with whatever program the desktop associates with it.
namespace platform {

inline constexpr int SW_SHOWMAXIMIZED = 3;

struct ShellRequest {
    QWidget *window;
    QString verb;
    QString file;
    QString parameters;
    QString directory;
    int showCommand;
};

// Hands a file or web address to the program the desktop associates with it, without waiting and without
// reporting anything; an empty verb is the default action. Failures are silent.
void ShellExecute(QWidget *window, const QString &verb, const QString &file, const QString &parameters,
                  const QString &directory, int showCommand);

// Tests replace the real launcher with a recorder; returns the previous handler. An empty function restores the real one.
using ShellHandler = std::function<void(const ShellRequest &)>;
ShellHandler setShellHandler(ShellHandler handler);

} // namespace platform
