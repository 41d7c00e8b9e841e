#pragma once

#include <QApplication>

namespace platform {

// The application object: an exception escaping any event handler is shown
// with the standard exception display and the program goes on.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Window placement needs X11: on a Wayland session the compositor places
    // windows itself. Call before the application object exists.
    static void preferX11OnWayland();

private:
    static void substituteMissingFonts();
};

} // namespace platform
