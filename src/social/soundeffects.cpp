// The sound module: plays the game's sounds through QSoundEffect. Built on
// its own and loaded by the first sound (see soundmodule.h).
#include "social/soundmodule.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace {

class EffectVoice : public zz::WaveSoundPlayer::Voice
{
public:
    EffectVoice(const QString &path, QObject *owner) : m_effect(new QSoundEffect(owner))
    {
        m_effect->setSource(QUrl(QStringLiteral("qrc") + path));
    }
    void start() override { m_effect->play(); }
    void stop() override { m_effect->stop(); }

private:
    QSoundEffect *m_effect; // a child of the owner, which outlives its voices
};

} // namespace

extern "C" {

Q_DECL_EXPORT int zz_soundModuleInterface()
{
    return zz::SoundModule::Interface;
}

Q_DECL_EXPORT bool zz_soundModuleHasOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

Q_DECL_EXPORT zz::WaveSoundPlayer::Voice *zz_soundModuleMakeVoice(const QString &path, QObject *owner)
{
    return new EffectVoice(path, owner);
}

} // extern "C"
