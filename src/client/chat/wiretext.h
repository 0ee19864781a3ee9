#pragma once
// The chat's crossings between wire values and Qt: Windows-1252 bytes and
// text, 0x00BBGGRR colours and QColor.
#include "core/colourtext.h"

#include <QColor>
#include <QString>

#include <string>
#include <string_view>

namespace zz {

QString fromWireText(std::string_view bytes);
// Characters that Windows-1252 cannot hold become '?'.
std::string toWireText(const QString &text);

// For the program's own ASCII names and texts.
inline QString fromAscii(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// System colours show as their desktop stand-ins.
QColor toQColor(Colour value);
Colour fromQColor(const QColor &colour);

} // namespace zz
