#pragma once
// The sound effects come from a module of their own, loaded when the first
// sound plays: linked into the program, the multimedia libraries they need
// were loaded by every start, the headless host's and computer player's too.
#include "social/soundplayer.h"

#include <QString>
#include <QStringList>

#include <memory>

class QObject;

namespace zz {

class SoundModule
{
public:
    // What the module exports, by these names; the interface number changes
    // whenever the functions or WaveSoundPlayer::Voice do.
    static constexpr int Interface = 1;
    static constexpr char InterfaceSymbol[] = "zz_soundModuleInterface";
    static constexpr char HasOutputSymbol[] = "zz_soundModuleHasOutput";
    static constexpr char MakeVoiceSymbol[] = "zz_soundModuleMakeVoice";
    using InterfaceFunction = int (*)();
    using HasOutputFunction = bool (*)();
    // A voice that plays the sound resource at path; its effect is a child of owner.
    using MakeVoiceFunction = WaveSoundPlayer::Voice *(*)(const QString &path, QObject *owner);

    // The module at the first of paths that loads and has this interface;
    // nullptr when none does, with the reason in error. A module stays
    // loaded for the rest of the run.
    static const SoundModule *load(const QStringList &paths, QString *error = nullptr);
    // Beside the program (a build or an unpacked folder), then where an
    // installed copy keeps it.
    static QStringList standardPaths();

    // False on a machine without an audio device (a server, a test run).
    bool hasOutput() const { return m_hasOutput(); }
    std::unique_ptr<WaveSoundPlayer::Voice> makeVoice(const QString &path, QObject *owner) const
    {
        return std::unique_ptr<WaveSoundPlayer::Voice>(m_makeVoice(path, owner));
    }

private:
    SoundModule(HasOutputFunction hasOutput, MakeVoiceFunction makeVoice)
        : m_hasOutput(hasOutput), m_makeVoice(makeVoice)
    {
    }

    HasOutputFunction m_hasOutput;
    MakeVoiceFunction m_makeVoice;
};

} // namespace zz
