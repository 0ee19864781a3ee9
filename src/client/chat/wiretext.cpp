#include "wiretext.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QList>

namespace zz {

namespace {

constexpr const char *WireEncoding = "windows-1252";

} // namespace

QString fromWireText(std::string_view bytes)
{
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder decoder(WireEncoding);
    if (!decoder.isValid())
        return QString::fromLatin1(view);
    return decoder.decode(view);
}

std::string toWireText(const QString &text)
{
    QStringEncoder encoder(WireEncoding);
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    const QList<uint> codePoints = text.toUcs4();
    for (const uint c : codePoints) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes += static_cast<char>(c);
            continue;
        }
        // The encoder's own substitute (0x1A) would read as a real control
        // character, so each character outside Latin-1 is tried alone.
        QByteArray one;
        if (encoder.isValid()) {
            const char32_t single[] = {char32_t(c)};
            one = encoder.encode(QString::fromUcs4(single, 1));
        }
        if (encoder.isValid() && !encoder.hasError() && one.size() == 1)
            bytes += one.front();
        else
            bytes += '?';
        encoder.resetState();
    }
    return bytes;
}

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
