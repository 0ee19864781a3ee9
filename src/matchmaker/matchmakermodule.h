#pragma once
// The matchmaker comes as a module of its own (zigzop-matchmaker.so), so the
// HTTP server and Qt Network are loaded by --matchmaker alone.
#include <QStringList>

namespace zz::matchmakermodule {

inline constexpr int Interface = 1;
inline constexpr char FileName[] = "zigzop-matchmaker.so";
inline constexpr char InterfaceSymbol[] = "zz_matchmakerModuleInterface";
inline constexpr char RunSymbol[] = "zz_matchmakerModuleRun";
// Runs the matchmaker on the running QCoreApplication until a signal ends
// it; the exit code. arguments exclude the program name.
using RunFunction = int (*)(const QStringList &arguments);

} // namespace zz::matchmakermodule
