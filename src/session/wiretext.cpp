#include "session/wiretext.h"

#include "core/codepage.h"
#include "core/wire.h"

#include <optional>

namespace zz {

QString fromWire(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(static_cast<char16_t>(codepage::toUnicode(static_cast<unsigned char>(byte))));
    return text;
}

std::string toWire(const QString &text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t character = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        const std::optional<unsigned char> byte = codepage::fromUnicode(character);
        const bool sendable = byte && static_cast<char>(*byte) != wire::Terminator;
        out += sendable ? static_cast<char>(*byte) : '?';
    }
    return out;
}

} // namespace zz
