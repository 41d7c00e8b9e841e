#pragma once

class QCoreApplication;

namespace platform {

// Starts following key presses and releases across the whole application,
// whichever window or menu has the keyboard at the time.
void installKeyStateTracker(QCoreApplication *app);

// The key's state as Windows reports it, for a virtual-key code ('Z' is
// 0x5A): 0x8000 set while the key is down, 0x0001 set when it was pressed
// since the previous query of that key. Keys are forgotten when the
// application loses focus, since their releases go elsewhere.
short GetAsyncKeyState(int virtualKey);

} // namespace platform
