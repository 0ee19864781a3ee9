#include "soundplayer.h"

#include "social/soundmodule.h"

#include <QFile>

#include <cstdio>
#include <utility>

namespace zz {

WaveSoundPlayer::WaveSoundPlayer(QObject *parent) : WaveSoundPlayer(SoundModule::standardPaths(), parent)
{
}

WaveSoundPlayer::WaveSoundPlayer(QStringList modulePaths, QObject *parent)
    : QObject(parent)
    , m_makeVoice([this](const QString &path) { return makeEffect(path); })
    , m_modulePaths(std::move(modulePaths))
{
}

WaveSoundPlayer::WaveSoundPlayer(VoiceMaker makeVoice, QObject *parent)
    : QObject(parent)
    , m_makeVoice(std::move(makeVoice))
{
}

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
    Voice *sound = voice(path);
    if (!sound)
        return;
    // A new sound replaces the one still playing instead of sounding over it.
    if (m_playing)
        m_playing->stop();
    m_playing = sound;
    sound->start();
}

WaveSoundPlayer::Voice *WaveSoundPlayer::voice(const QString &path)
{
    if (const auto found = m_voices.find(path); found != m_voices.end())
        return found->second.get();
    std::unique_ptr<Voice> made = m_makeVoice(path);
    if (!made)
        return nullptr;
    return m_voices.emplace(path, std::move(made)).first->second.get();
}

std::unique_ptr<WaveSoundPlayer::Voice> WaveSoundPlayer::makeEffect(const QString &path)
{
    QString error;
    const SoundModule *module = SoundModule::load(m_modulePaths, &error);
    if (!module)
        std::fprintf(stderr, "zigzop: no sounds, the sound module did not load: %s\n", qUtf8Printable(error));
    // A machine without an audio device (a server, a test run) would answer
    // every effect with an error line; ask once and keep quiet instead.
    if (!module || !module->hasOutput()) {
        m_noOutput = true;
        return nullptr;
    }
    return module->makeVoice(path, this);
}

} // namespace zz
