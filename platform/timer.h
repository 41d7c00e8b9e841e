#pragma once

#include <QTimer>

namespace platform {

// A beat timer with an Enabled switch: enabling a running timer leaves its
// rhythm alone instead of restarting it, so a restart mid-countdown keeps the
// old beat.
class Timer : public QTimer
{
    Q_OBJECT
public:
    static constexpr int kDefaultInterval = 1000;

    explicit Timer(QObject *parent = nullptr);

    bool isEnabled() const { return isActive(); }
    void setEnabled(bool enabled);
};

} // namespace platform
