#include "application.h"

#include "messagebox.h"

#include <QFont>
#include <QFontDatabase>

#include <stdexcept>

namespace platform {

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    substituteMissingFonts();
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        ShowException(error);
    } catch (...) {
        ShowException(std::runtime_error("An unknown error occurred."));
    }
    return false;
}

void Application::preferX11OnWayland()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    qputenv("QT_QPA_PLATFORM", "xcb");
}

void Application::substituteMissingFonts()
{
    // The windows name Windows faces; without a substitute the Japanese
    // captions could fall back to a face that shows them as empty boxes.
    struct Substitute {
        const char *face;
        const char *replacement;
    };
    static constexpr Substitute kSubstitutes[] = {
        {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"Comic Sans MS", "Comic Neue"},
    };
    const QStringList families = QFontDatabase::families();
    for (const Substitute &s : kSubstitutes) {
        const QString face = QString::fromUtf8(s.face);
        if (!families.contains(face, Qt::CaseInsensitive))
            QFont::insertSubstitution(face, QString::fromUtf8(s.replacement));
    }
}

} // namespace platform
