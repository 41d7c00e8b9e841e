#include "timer.h"

namespace platform {

Timer::Timer(QObject *parent)
    : QTimer(parent)
{
    // A coarse timer may drift by 5 % a beat; the countdown should not.
    setTimerType(Qt::PreciseTimer);
    setInterval(kDefaultInterval);
}

void Timer::setEnabled(bool enabled)
{
    if (!enabled)
        stop();
    else if (!isActive())
        start();
}

} // namespace platform
