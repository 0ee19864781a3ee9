#include "http/httpclient.h"

#include "net/modulefile.h"

#include <QLibrary>
#include <QStringList>

namespace zz {

std::unique_ptr<HttpClient> makeHttpClient(std::string *error)
{
    std::vector<std::string> paths;
    for (const QString &path : ModuleFile::standardPaths(QString::fromLatin1(httpmodule::FileName)))
        paths.push_back(path.toStdString());
    return makeHttpClient(paths, error);
}

std::unique_ptr<HttpClient> makeHttpClient(const std::vector<std::string> &modulePaths, std::string *error)
{
    QStringList paths;
    for (const std::string &path : modulePaths)
        paths << QString::fromStdString(path);
    QString reason;
    QLibrary *library = ModuleFile::load(paths, httpmodule::InterfaceSymbol, httpmodule::Interface, &reason);
    const auto make = library ? reinterpret_cast<httpmodule::MakeClientFunction>(
                                    library->resolve(httpmodule::MakeClientSymbol))
                              : nullptr;
    if (library && !make)
        reason = library->fileName() + QStringLiteral(": not an HTTP module");
    if (!make) {
        if (error)
            *error = "the HTTP module cannot be loaded: " + reason.toStdString();
        return nullptr;
    }
    return std::unique_ptr<HttpClient>(make());
}

} // namespace zz
