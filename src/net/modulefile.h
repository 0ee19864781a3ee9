#pragma once
// Parts that need libraries the rest of the program must not load (sound,
// HTTP) come as modules of our own, loaded on first use: linked in, those
// libraries were loaded by every start, the window's and --bot's too.
#include <QStringList>

class QLibrary;

namespace zz {

class ModuleFile
{
public:
    // Beside the program (a build or an unpacked folder), then where an
    // installed copy keeps its modules.
    static QStringList standardPaths(const QString &fileName);

    // The module at the first of paths that loads and whose interfaceSymbol
    // (an int function) returns interface; nullptr when none does, with the
    // reasons in error. A module stays loaded for the rest of the run: what
    // it made must outlive it. The library is owned here.
    static QLibrary *load(const QStringList &paths, const char *interfaceSymbol, int interface, QString *error);
};

} // namespace zz
