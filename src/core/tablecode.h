#pragma once
// A table code is the table's address and port themselves, in Crockford's
// base32 so a person can read it over the phone: ten characters for IPv4
// (K7Q2M-9XA3T), twenty-nine for IPv6. The bits a code has to spare carry a
// check, so most misread characters are caught rather than sending the
// player to a stranger's table. No store: anyone can read any code.
#include "core/tableaddress.h"

#include <optional>
#include <string>
#include <string_view>

namespace zz {

enum class TableCodeError {
    None,
    BadCharacter,      // a character base32 does not have (U, punctuation)
    WrongLength,       // neither an IPv4 nor an IPv6 code's length
    CheckFailed,       // decodes, but a character is wrong
    UnusableAddress,   // unspecified, multicast or broadcast address, or port 0
};

struct TableCodeReading
{
    std::optional<TableAddress> address;   // host as numeric text, the port as coded
    TableCodeError error = TableCodeError::None;
    char badCharacter = 0;                 // for BadCharacter
};

// Groups of five joined by hyphens; nullopt when host is not a numeric
// address a table can use or port is 0.
std::optional<std::string> makeTableCode(std::string_view host, std::uint16_t port);

// Ignores case, blanks and hyphens, and takes I and L as 1 and O as 0.
TableCodeReading readTableCode(std::string_view code);

// Why a code was refused, in words for the player.
std::string tableCodeErrorText(const TableCodeReading &reading);

// True when text is written like a code: letters and digits the length of
// one, with a hyphen or a digit among them. The Join box then reads it as a
// code (and says what is wrong with it), not as a host name; a name of ten
// letters ("gameserver") stays a name.
bool looksLikeTableCode(std::string_view text);

} // namespace zz
