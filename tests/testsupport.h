#pragma once

// Stand-ins that let a test drive the main window: a clock set by hand,
// message boxes answered without a player, and records of the cues and shell
// requests the program makes. Each restores the real service when it goes.

#include "messagebox.h"
#include "shell.h"
#include "tickcount.h"
#include "wavecue.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// One log of what happened, in order, so a test can tell whether a cue came
// before or after a reading of the clock.
using EventLog = QStringList;

class FakeClock
{
public:
    explicit FakeClock(std::uint32_t start = 1000, EventLog *log = nullptr)
        : now(start)
    {
        previous = platform::setTickSource([this, log] {
            if (log)
                log->append(QStringLiteral("tick"));
            return now;
        });
    }
    ~FakeClock() { platform::setTickSource(previous); }
    FakeClock(const FakeClock &) = delete;
    FakeClock &operator=(const FakeClock &) = delete;

    std::uint32_t now;

private:
    platform::TickSource previous;
};

class MessageBoxAnswerer
{
public:
    explicit MessageBoxAnswerer(int answer = platform::IDOK)
        : answer(answer)
    {
        previous = platform::setMessageBoxHandler([this](const platform::MessageBoxRequest &request) {
            shown.push_back(request);
            return this->answer;
        });
    }
    ~MessageBoxAnswerer() { platform::setMessageBoxHandler(previous); }
    MessageBoxAnswerer(const MessageBoxAnswerer &) = delete;
    MessageBoxAnswerer &operator=(const MessageBoxAnswerer &) = delete;

    int answer;
    std::vector<platform::MessageBoxRequest> shown;

private:
    platform::MessageBoxHandler previous;
};

class SoundRecorder
{
public:
    explicit SoundRecorder(EventLog *log)
    {
        class Backend : public platform::SoundBackend
        {
        public:
            explicit Backend(EventLog *log) : log(log) {}
            void play(const QString &name) override { log->append(name); }

        private:
            EventLog *log;
        };
        previous = platform::setSoundBackend(std::make_unique<Backend>(log));
    }
    ~SoundRecorder() { platform::setSoundBackend(std::move(previous)); }
    SoundRecorder(const SoundRecorder &) = delete;
    SoundRecorder &operator=(const SoundRecorder &) = delete;

private:
    std::unique_ptr<platform::SoundBackend> previous;
};

class ShellRecorder
{
public:
    ShellRecorder()
    {
        previous = platform::setShellHandler([this](const platform::ShellRequest &request) {
            requests.push_back(request);
        });
    }
    ~ShellRecorder() { platform::setShellHandler(previous); }
    ShellRecorder(const ShellRecorder &) = delete;
    ShellRecorder &operator=(const ShellRecorder &) = delete;

    std::vector<platform::ShellRequest> requests;

private:
    platform::ShellHandler previous;
};

// A configuration folder of the test's own, so the store starts empty.
class ScopedConfigHome
{
public:
    ScopedConfigHome()
        : previous(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
    }
    ~ScopedConfigHome() { qputenv("XDG_CONFIG_HOME", previous); }

    QString storeFile() const { return dir.filePath(QStringLiteral("Ravenmoor/registry.reg")); }

private:
    QTemporaryDir dir;
    QByteArray previous;
};

// Runs `action` on the next modal window to open (the name entry, say), once
// it has opened.
inline void whenModalOpens(std::function<void(QWidget *)> action)
{
    auto *poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        }
    });
    poll->start();
}
