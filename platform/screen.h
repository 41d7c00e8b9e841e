#pragma once

#include <QSize>

class QWidget;

namespace platform {

// The primary display's size in pixels.
QSize screenSize();

// Puts a window's frame in the middle of the screen it is on.
void centreOnScreen(QWidget *window);

} // namespace platform
