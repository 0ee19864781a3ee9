#include "session/wiretext.h"

#include "core/wire.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zz {

namespace {

constexpr const char *WireEncoding = "windows-1252";

QStringDecoder makeDecoder()
{
    QStringDecoder decoder(WireEncoding);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringConverter::Latin1);
    return decoder;
}

// Each code point gets a fresh encoder: encoders keep their error flag once
// set, and some emit a substitution byte instead of failing.
std::string encodeCodePoint(QStringView codePoint)
{
    QStringEncoder encoder(WireEncoding);
    if (!encoder.isValid())
        encoder = QStringEncoder(QStringConverter::Latin1);
    const QByteArray bytes = encoder(codePoint);
    if (encoder.hasError() || bytes.size() != 1 || bytes.front() == wire::Terminator)
        return "?";
    return std::string(1, bytes.front());
}

} // namespace

QString fromWire(std::string_view bytes)
{
    QStringDecoder decoder = makeDecoder();
    return decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string toWire(const QString &text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            length = 2;
        const QStringView codePoint = QStringView(text).mid(i, length);
        if (codePoint.front().unicode() < 0x80)
            out += static_cast<char>(codePoint.front().unicode());
        else
            out += encodeCodePoint(codePoint);
        i += length - 1;
    }
    return out;
}

} // namespace zz
