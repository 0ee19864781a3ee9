#include "core/tablecode.h"

#include "core/ipaddress.h"

#include <cctype>
#include <vector>

namespace zz {

namespace {

constexpr std::string_view Alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr std::size_t Ipv4Length = 10;   // 48 bits of address and port, 2 check bits
constexpr std::size_t Ipv6Length = 29;   // 144 bits of address and port, 1 check bit
constexpr std::size_t GroupLength = 5;

// -1 for a character a code never holds; blanks and hyphens are skipped by the caller.
int symbolValue(char c)
{
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    if (c == 'O')
        return 0;
    if (c == 'I' || c == 'L')
        return 1;
    const auto at = Alphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

bool isSeparator(char c) { return c == '-' || c == ' ' || c == '\t'; }

// FNV-1a: its low bits change with any change of the payload.
unsigned checkBits(const std::vector<std::uint8_t> &payload, unsigned bits)
{
    std::uint32_t hash = 2166136261u;
    for (const auto byte : payload)
        hash = (hash ^ byte) * 16777619u;
    return (hash ^ hash >> 16) & ((1u << bits) - 1);
}

std::vector<std::uint8_t> payloadOf(const IpBytes &address, std::uint16_t port)
{
    std::vector<std::uint8_t> payload;
    std::visit([&payload](const auto &bytes) { payload.assign(bytes.begin(), bytes.end()); }, address);
    payload.push_back(static_cast<std::uint8_t>(port >> 8));
    payload.push_back(static_cast<std::uint8_t>(port & 0xff));
    return payload;
}

// The code's bits, most significant first: the check bits, then the payload.
bool bitAt(const std::vector<std::uint8_t> &payload, unsigned check, unsigned checkCount, std::size_t i)
{
    if (i < checkCount)
        return (check >> (checkCount - 1 - i)) & 1u;
    i -= checkCount;
    return (payload[i / 8] >> (7 - i % 8)) & 1u;
}

} // namespace

std::optional<std::string> makeTableCode(std::string_view host, std::uint16_t port)
{
    const auto address = parseIpAddress(host);
    if (!address || port == 0 || !isUsableTableAddress(*address))
        return std::nullopt;
    const auto payload = payloadOf(*address, port);
    const std::size_t length = payload.size() == 6 ? Ipv4Length : Ipv6Length;
    const auto checkCount = static_cast<unsigned>(length * 5 - payload.size() * 8);
    const unsigned check = checkBits(payload, checkCount);
    std::string code;
    for (std::size_t symbol = 0; symbol < length; ++symbol) {
        if (symbol > 0 && symbol % GroupLength == 0)
            code += '-';
        unsigned value = 0;
        for (std::size_t bit = 0; bit < 5; ++bit)
            value = value << 1 | bitAt(payload, check, checkCount, symbol * 5 + bit);
        code += Alphabet[value];
    }
    return code;
}

TableCodeReading readTableCode(std::string_view code)
{
    std::vector<unsigned> symbols;
    for (const char c : code) {
        if (isSeparator(c))
            continue;
        const int value = symbolValue(c);
        if (value < 0)
            return {std::nullopt, TableCodeError::BadCharacter, c};
        symbols.push_back(static_cast<unsigned>(value));
    }
    if (symbols.size() != Ipv4Length && symbols.size() != Ipv6Length)
        return {std::nullopt, TableCodeError::WrongLength};
    const std::size_t payloadBytes = symbols.size() == Ipv4Length ? 6 : 18;
    const auto checkCount = static_cast<unsigned>(symbols.size() * 5 - payloadBytes * 8);
    std::vector<std::uint8_t> payload(payloadBytes, 0);
    unsigned check = 0;
    for (std::size_t i = 0; i < symbols.size() * 5; ++i) {
        const unsigned bit = symbols[i / 5] >> (4 - i % 5) & 1u;
        if (i < checkCount) {
            check = check << 1 | bit;
        } else {
            const std::size_t at = i - checkCount;
            payload[at / 8] = static_cast<std::uint8_t>(payload[at / 8] | bit << (7 - at % 8));
        }
    }
    if (check != checkBits(payload, checkCount))
        return {std::nullopt, TableCodeError::CheckFailed};
    IpBytes address = Ipv4Bytes{};
    if (payloadBytes == 6) {
        Ipv4Bytes v4{};
        std::copy(payload.begin(), payload.begin() + 4, v4.begin());
        address = v4;
    } else {
        Ipv6Bytes v6{};
        std::copy(payload.begin(), payload.begin() + 16, v6.begin());
        address = v6;
    }
    const auto port = static_cast<std::uint16_t>(payload[payloadBytes - 2] << 8 | payload[payloadBytes - 1]);
    if (port == 0 || !isUsableTableAddress(address))
        return {std::nullopt, TableCodeError::UnusableAddress};
    return {TableAddress{ipAddressText(address), port}, TableCodeError::None};
}

std::string tableCodeErrorText(const TableCodeReading &reading)
{
    switch (reading.error) {
    case TableCodeError::None:
        return {};
    case TableCodeError::BadCharacter: {
        const auto c = static_cast<unsigned char>(reading.badCharacter);
        const std::string shown = c >= 0x21 && c < 0x7f ? std::string(1, reading.badCharacter) : "an unprintable one";
        return "A table code has no character " + shown + ".";
    }
    case TableCodeError::WrongLength:
        return "A table code has 10 characters (or 29 for an IPv6 table).";
    case TableCodeError::CheckFailed:
        return "That code has a mistyped character: check it with whoever gave it to you.";
    case TableCodeError::UnusableAddress:
        return "That code names no table anyone could reach.";
    }
    return {};
}

bool looksLikeTableCode(std::string_view text)
{
    std::size_t symbols = 0;
    bool hyphenOrDigit = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            hyphenOrDigit = true;
        if (c == '-')
            hyphenOrDigit = true;
        if (isSeparator(c))
            continue;
        if (!std::isalnum(static_cast<unsigned char>(c)))
            return false;
        ++symbols;
    }
    return hyphenOrDigit && (symbols == Ipv4Length || symbols == Ipv6Length);
}

} // namespace zz
