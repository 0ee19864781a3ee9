#pragma once
// The game's sounds by name ("tick", "winner", ...). Views and the game table
// only ask for a sound; whether and how it is heard is the player's business.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <string_view>

namespace zz {

class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Never fails: a sound that cannot be played is skipped.
    virtual void play(std::string_view name) = 0;
};

// Forwards to another player while switched on, so one switch silences a
// whole group of sounds. The other player is not owned and may be null.
class SwitchedSoundPlayer : public SoundPlayer
{
public:
    void setTarget(SoundPlayer *target) { m_target = target; }
    void setOn(bool on) { m_on = on; }
    bool isOn() const { return m_on; }
    void play(std::string_view name) override
    {
        if (m_on && m_target)
            m_target->play(name);
    }

private:
    SoundPlayer *m_target = nullptr;
    bool m_on = true;
};

// Plays ":/sounds/<name>.wav" (the name in lower case) when the program carries that resource; any
// other name does nothing. Effects are made on first use, so a program
// without sound resources never loads the sound module nor opens the audio
// device. One sound plays at a time: a new one stops the one still playing.
class WaveSoundPlayer : public QObject, public SoundPlayer
{
    Q_OBJECT
public:
    // One loaded sound that starts from its beginning and can be stopped.
    class Voice
    {
    public:
        virtual ~Voice() = default;
        virtual void start() = 0;
        virtual void stop() = 0;
    };
    // Makes the voice for a resource path; nullptr when it cannot be played.
    using VoiceMaker = std::function<std::unique_ptr<Voice>(const QString &path)>;

    // Plays through QSoundEffect from the sound module, and not at all
    // without an audio device or the module.
    explicit WaveSoundPlayer(QObject *parent = nullptr);
    // The same with the module at the first of modulePaths that loads.
    explicit WaveSoundPlayer(QStringList modulePaths, QObject *parent = nullptr);
    // Plays through the voices makeVoice gives.
    explicit WaveSoundPlayer(VoiceMaker makeVoice, QObject *parent = nullptr);
    ~WaveSoundPlayer() override;

    void play(std::string_view name) override;

    static QString resourcePath(std::string_view name);

private:
    Voice *voice(const QString &path);
    std::unique_ptr<Voice> makeEffect(const QString &path);

    VoiceMaker m_makeVoice;
    QStringList m_modulePaths;
    std::map<QString, std::unique_ptr<Voice>> m_voices;
    Voice *m_playing = nullptr;   // the last one started, one of m_voices
    bool m_noOutput = false;      // no audio device: stay quiet
};

} // namespace zz
