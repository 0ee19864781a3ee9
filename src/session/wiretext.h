#pragma once
// The one place where wire bytes meet user text: the wire carries
// Windows-1252, the user sees QString.
#include <QString>

#include <string>
#include <string_view>

namespace zz {

// Bytes from the wire as text. Never fails: every byte maps to a character.
QString fromWire(std::string_view bytes);

// Text for a field the client sends. A character that Windows-1252 cannot
// hold becomes "?", and so does one that would encode as the terminator.
std::string toWire(const QString &text);

// For the program's own ASCII names and texts.
inline QString fromAscii(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace zz
