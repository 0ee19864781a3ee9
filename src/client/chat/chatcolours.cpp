#include "client/chat/chatcolours.h"

namespace zz {

QColor toQColor(Colour value)
{
    const Colour rgb = displayColour(value);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

Colour fromQColor(const QColor &colour)
{
    return Colour(colour.red()) | Colour(colour.green()) << 8 | Colour(colour.blue()) << 16;
}

} // namespace zz
