#pragma once
// What the command line asks for, read before any Qt object exists.
#include <QString>

namespace zz {

enum class StartMode { Play, Help, Version, Serve, Bot, Matchmaker, Daily };

// "--serve" anywhere wins, then "--bot", then "--matchmaker", then "--daily";
// then "--help" and "--version".
// Anything else is a launch parameter of the game.
StartMode startMode(int argc, const char *const *argv);

QString helpText();
QString versionText();

// The name that keeps one game per user: the fixed instance name and the
// user's login name.
QString singleInstanceName();

// Tests and several local clients may set ZIGZOP_ALLOW_SECOND_INSTANCE=1.
bool secondInstanceAllowed();

} // namespace zz
