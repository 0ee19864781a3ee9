#include "social/soundmodule.h"

#include <QCoreApplication>
#include <QLibrary>

#include <map>

namespace zz {

namespace {

constexpr char FileName[] = "zigzop-sounds.so";

// One per file, never unloaded: voices made by a module must outlive it.
std::map<QString, std::unique_ptr<QLibrary>> &libraries()
{
    static std::map<QString, std::unique_ptr<QLibrary>> loaded;
    return loaded;
}

} // namespace

QStringList SoundModule::standardPaths()
{
    const QString name = QString::fromLatin1(FileName);
    return {QCoreApplication::applicationDirPath() + QLatin1Char('/') + name,
            QStringLiteral(ZIGZOP_INSTALLED_MODULEDIR "/") + name};
}

const SoundModule *SoundModule::load(const QStringList &paths, QString *error)
{
    static std::map<QString, SoundModule> modules;
    QStringList reasons;
    for (const QString &path : paths) {
        if (const auto found = modules.find(path); found != modules.end())
            return &found->second;
        auto library = std::make_unique<QLibrary>(path);
        const auto interface = reinterpret_cast<InterfaceFunction>(library->resolve(InterfaceSymbol));
        const auto hasOutput = reinterpret_cast<HasOutputFunction>(library->resolve(HasOutputSymbol));
        const auto makeVoice = reinterpret_cast<MakeVoiceFunction>(library->resolve(MakeVoiceSymbol));
        if (!interface || !hasOutput || !makeVoice) {
            reasons << library->errorString();
            continue;
        }
        if (interface() != Interface) {
            reasons << path + QStringLiteral(": a sound module of another version");
            continue;
        }
        libraries().emplace(path, std::move(library));
        return &modules.emplace(path, SoundModule(hasOutput, makeVoice)).first->second;
    }
    if (error)
        *error = reasons.join(QStringLiteral("; "));
    return nullptr;
}

} // namespace zz
