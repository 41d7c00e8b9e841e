#include "keystate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>

#include <array>
#include <cstdint>

namespace {

struct KeyState {
    bool down = false;
    bool pressedSinceQuery = false;
};

constexpr int kVirtualKeyCount = 256;
std::array<KeyState, kVirtualKeyCount> keys;

constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkMenu = 0x12;

// Letters and digits share their codes with the virtual keys; of the rest
// only the modifiers are of use.
int virtualKeyOf(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    switch (qtKey) {
    case Qt::Key_Shift:
        return kVkShift;
    case Qt::Key_Control:
        return kVkControl;
    case Qt::Key_Alt:
        return kVkMenu;
    default:
        return -1;
    }
}

void forgetAll()
{
    keys.fill(KeyState{});
}

class KeyStateTracker : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            // One key event reaches the filter once for each object it passes
            // through; setting the state is the same every time.
            const auto *key = static_cast<const QKeyEvent *>(event);
            const int vk = virtualKeyOf(key->key());
            if (vk < 0)
                break;
            if (event->type() == QEvent::KeyPress) {
                keys[vk].down = true;
                keys[vk].pressedSinceQuery = true;
            } else if (!key->isAutoRepeat()) {
                // Auto-repeat sends a release before each repeated press
                // while the key is still held.
                keys[vk].down = false;
            }
            break;
        }
        case QEvent::ApplicationStateChange:
            if (static_cast<const QApplicationStateChangeEvent *>(event)->applicationState() != Qt::ApplicationActive)
                forgetAll();
            break;
        case QEvent::ApplicationDeactivate:
            forgetAll();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

QPointer<KeyStateTracker> tracker;

} // namespace

namespace platform {

void installKeyStateTracker(QCoreApplication *app)
{
    if (tracker)
        return;
    tracker = new KeyStateTracker(app);
    app->installEventFilter(tracker);
}

short GetAsyncKeyState(int virtualKey)
{
    if (virtualKey < 0 || virtualKey >= kVirtualKeyCount)
        return 0;
    KeyState &state = keys[virtualKey];
    std::uint16_t bits = 0;
    if (state.down)
        bits |= 0x8000;
    if (state.pressedSinceQuery)
        bits |= 0x0001;
    state.pressedSinceQuery = false;
    return static_cast<short>(bits);
}

} // namespace platform
