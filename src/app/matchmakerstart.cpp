#include "app/matchmakerstart.h"

#include "matchmaker/matchmakermodule.h"
#include "net/modulefile.h"

#include <QCoreApplication>
#include <QLibrary>

#include <cstdio>

namespace zz {

int runMatchmaker(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString error;
    QLibrary *module = ModuleFile::load(ModuleFile::standardPaths(QString::fromLatin1(matchmakermodule::FileName)),
                                        matchmakermodule::InterfaceSymbol, matchmakermodule::Interface, &error);
    const auto run = module ? reinterpret_cast<matchmakermodule::RunFunction>(module->resolve(matchmakermodule::RunSymbol))
                            : nullptr;
    if (!run) {
        std::fprintf(stderr, "zigzop --matchmaker: the matchmaker module cannot be loaded: %s\n",
                     (module ? module->errorString() : error).toLocal8Bit().constData());
        return 1;
    }
    return run(app.arguments().mid(1));
}

} // namespace zz
