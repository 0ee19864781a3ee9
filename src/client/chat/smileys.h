#pragma once
// The eighteen smiley faces of the chat, drawn once on first use.
#include <QImage>

namespace zz {

inline constexpr int SmileySize = 17;

// Image index 0..17 (any other index gives image 0), SmileySize square in
// device-independent pixels, drawn for the device pixel ratio dpr.
const QImage &smileyImage(int index, qreal dpr);

} // namespace zz
