#include "screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

QSize screenSize()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->geometry().center());
    window->move(frame.topLeft());
}

} // namespace platform
