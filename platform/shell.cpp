#include "shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <utility>

namespace {

platform::ShellHandler &handler()
{
    static platform::ShellHandler current;
    return current;
}

// Every verb ends up as xdg-open's one action, "open": the desktop keeps no
// table of other verbs. Parameters go nowhere for the same reason; nothing
// passes any. The show command is dropped too: no Linux desktop lets one
// program ask another to open maximised, so the opened program decides.
void launch(const platform::ShellRequest &request)
{
    if (request.file.isEmpty())
        return;
    // A missing folder would make the start fail; the opened program then
    // simply inherits ours.
    const QString folder = QDir(request.directory).exists() ? request.directory : QString();

    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!xdgOpen.isEmpty()) {
        QProcess process;
        process.setProgram(xdgOpen);
        process.setArguments({request.file});
        process.setWorkingDirectory(folder);
        // xdg-open reports a missing association on its own streams; the
        // player is never shown such a report.
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        if (process.startDetached())
            return;
    }
    QDesktopServices::openUrl(QUrl::fromUserInput(request.file, folder, QUrl::AssumeLocalFile));
}

} // namespace

namespace platform {

void ShellExecute(QWidget *window, const QString &verb, const QString &file, const QString &parameters,
                  const QString &directory, int showCommand)
{
    const ShellRequest request{window, verb, file, parameters, directory, showCommand};
    if (handler())
        handler()(request);
    else
        launch(request);
}

ShellHandler setShellHandler(ShellHandler replacement)
{
    return std::exchange(handler(), std::move(replacement));
}

} // namespace platform
