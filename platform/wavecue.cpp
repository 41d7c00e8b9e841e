#include "wavecue.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

#include <utility>

namespace {

std::unique_ptr<platform::SoundBackend> &installed()
{
    static std::unique_ptr<platform::SoundBackend> backend;
    return backend;
}

const char *const kCueNames[] = {"ID_WAVECLICK", "ID_WAVEREADY", "ID_WAVESET"};

// QSoundEffect plays on the audio system's own thread and returns at once;
// with no device it just stays silent, which is all a cue may do on failure.
class EffectVoice : public platform::CueVoice
{
public:
    EffectVoice(const QString &name, QObject *parent) : m_effect(new QSoundEffect(parent))
    {
        m_effect->setObjectName(name);
        m_effect->setSource(QUrl(QStringLiteral("qrc:/sounds/") + name));
    }
    ~EffectVoice() override
    {
        // The parent owns the effect; let it go now unless the parent went first.
        if (m_effect) {
            m_effect->stop();
            m_effect->deleteLater();
        }
    }
    EffectVoice(const EffectVoice &) = delete;
    EffectVoice &operator=(const EffectVoice &) = delete;

    // The parent may have taken the effect with it already.
    void play() override
    {
        if (m_effect)
            m_effect->play();
    }
    void stop() override
    {
        if (m_effect)
            m_effect->stop();
    }

private:
    QPointer<QSoundEffect> m_effect;
};

} // namespace

namespace platform {

void PlaySound(const QString &resourceName)
{
    if (installed())
        installed()->play(resourceName);
}

std::unique_ptr<SoundBackend> setSoundBackend(std::unique_ptr<SoundBackend> backend)
{
    return std::exchange(installed(), std::move(backend));
}

std::unique_ptr<SoundBackend> makeWaveCuePlayer(QObject *parent)
{
    if (!parent)
        parent = QCoreApplication::instance();
    std::map<QString, std::unique_ptr<CueVoice>> voices;
    for (const char *name : kCueNames)
        voices.emplace(QString::fromLatin1(name), std::make_unique<EffectVoice>(QString::fromLatin1(name), parent));
    return std::make_unique<CuePlayer>(std::move(voices));
}

CuePlayer::CuePlayer(std::map<QString, std::unique_ptr<CueVoice>> voices) : m_voices(std::move(voices)) {}

void CuePlayer::play(const QString &resourceName)
{
    if (m_sounding)
        m_sounding->stop();
    const auto voice = m_voices.find(resourceName);
    m_sounding = voice == m_voices.end() ? nullptr : voice->second.get();
    if (m_sounding)
        m_sounding->play();
}

} // namespace platform
