#include "social/soundmodule.h"

#include "net/modulefile.h"

#include <QLibrary>

#include <map>

namespace zz {

QStringList SoundModule::standardPaths()
{
    return ModuleFile::standardPaths(QStringLiteral("zigzop-sounds.so"));
}

const SoundModule *SoundModule::load(const QStringList &paths, QString *error)
{
    static std::map<QLibrary *, SoundModule> modules;
    QLibrary *library = ModuleFile::load(paths, InterfaceSymbol, Interface, error);
    if (!library)
        return nullptr;
    if (const auto found = modules.find(library); found != modules.end())
        return &found->second;
    const auto hasOutput = reinterpret_cast<HasOutputFunction>(library->resolve(HasOutputSymbol));
    const auto makeVoice = reinterpret_cast<MakeVoiceFunction>(library->resolve(MakeVoiceSymbol));
    if (!hasOutput || !makeVoice) {
        if (error)
            *error = library->fileName() + QStringLiteral(": not a sound module");
        return nullptr;
    }
    return &modules.emplace(library, SoundModule(hasOutput, makeVoice)).first->second;
}

} // namespace zz
