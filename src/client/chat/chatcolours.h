#pragma once
// Chat colours travel as 0x00BBGGRR values; the user sees QColor.
#include "core/colourtext.h"

#include <QColor>

namespace zz {

// System colours show as their desktop stand-ins.
QColor toQColor(Colour value);
Colour fromQColor(const QColor &colour);

} // namespace zz
