#pragma once

#include <QString>

#include <map>
#include <memory>

class QObject;

// Stand-in for playing the program's wave resources: a cue is started by its
// resource name, never waited for, cuts off the cue still sounding, and fails
// silently.
namespace platform {

// Where cues go. The game installs the real player at start-up; tests install a recorder.
class SoundBackend
{
public:
    virtual ~SoundBackend() = default;
    virtual void play(const QString &resourceName) = 0; // "ID_WAVECLICK", "ID_WAVEREADY", "ID_WAVESET"
};

// Fire and forget: never waits, never reports; with no backend installed nothing happens.
void PlaySound(const QString &resourceName);

// Installs a backend (replacing any), returns the previous one.
std::unique_ptr<SoundBackend> setSoundBackend(std::unique_ptr<SoundBackend> backend);

// The real player: one QSoundEffect per wave resource, all loaded here so that a cue starts at once.
// The effects live under the parent (the application when none is given), so they go before the
// audio system does, whenever the player itself is destroyed.
std::unique_ptr<SoundBackend> makeWaveCuePlayer(QObject *parent = nullptr);

// One sound the cue player can start and stop.
class CueVoice
{
public:
    virtual ~CueVoice() = default;
    virtual void play() = 0;
    virtual void stop() = 0;
};

// The player's one rule, apart from any sound device so that tests can watch it: every call stops
// the cue started last, then starts the named one; an unknown name starts nothing.
class CuePlayer : public SoundBackend
{
public:
    explicit CuePlayer(std::map<QString, std::unique_ptr<CueVoice>> voices);
    void play(const QString &resourceName) override;

private:
    std::map<QString, std::unique_ptr<CueVoice>> m_voices;
    CueVoice *m_sounding = nullptr;
};

} // namespace platform
