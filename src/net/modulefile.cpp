#include "net/modulefile.h"

#include <QCoreApplication>
#include <QLibrary>

#include <map>
#include <memory>

namespace zz {

QStringList ModuleFile::standardPaths(const QString &fileName)
{
    return {QCoreApplication::applicationDirPath() + QLatin1Char('/') + fileName,
            QStringLiteral(ZIGZOP_INSTALLED_MODULEDIR "/") + fileName};
}

QLibrary *ModuleFile::load(const QStringList &paths, const char *interfaceSymbol, int interface, QString *error)
{
    // One per file, never unloaded.
    static std::map<QString, std::unique_ptr<QLibrary>> loaded;
    QStringList reasons;
    for (const QString &path : paths) {
        if (const auto found = loaded.find(path); found != loaded.end())
            return found->second.get();
        auto library = std::make_unique<QLibrary>(path);
        using InterfaceFunction = int (*)();
        const auto number = reinterpret_cast<InterfaceFunction>(library->resolve(interfaceSymbol));
        if (!number) {
            reasons << library->errorString();
            continue;
        }
        if (number() != interface) {
            reasons << path + QStringLiteral(": a module of another version");
            continue;
        }
        return loaded.emplace(path, std::move(library)).first->second.get();
    }
    if (error)
        *error = reasons.join(QStringLiteral("; "));
    return nullptr;
}

} // namespace zz
