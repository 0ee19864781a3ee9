#include "soundplayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace zz {

WaveSoundPlayer::WaveSoundPlayer(QObject *parent) : QObject(parent) {}

WaveSoundPlayer::~WaveSoundPlayer() = default;

QString WaveSoundPlayer::resourcePath(std::string_view name)
{
    // Names from the wire may come in any letter case; the resources are lower case.
    return QStringLiteral(":/sounds/") + QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).toLower()
           + QStringLiteral(".wav");
}

void WaveSoundPlayer::play(std::string_view name)
{
    // A name from the wire must not reach other resources than the sounds.
    if (m_noOutput || name.empty() || name.find_first_of("/\\:") != std::string_view::npos)
        return;
    const QString path = resourcePath(name);
    if (!QFile::exists(path))
        return;
    if (QSoundEffect *sound = effect(path))
        sound->play();
}

QSoundEffect *WaveSoundPlayer::effect(const QString &path)
{
    if (const auto found = m_effects.find(path); found != m_effects.end())
        return found->second;
    // A machine without an audio device (a server, a test run) would answer
    // every effect with an error line; ask once and keep quiet instead.
    if (QMediaDevices::audioOutputs().isEmpty()) {
        m_noOutput = true;
        return nullptr;
    }
    auto *sound = new QSoundEffect(this);
    sound->setSource(QUrl(QStringLiteral("qrc") + path));
    m_effects.emplace(path, sound);
    return sound;
}

} // namespace zz
