#pragma once
// Error codes of the socket component. Reports use the Windows Sockets codes
// and names on every platform, so a report reads the same wherever it ran.
#include <string>

namespace zz::net {

// The Windows Sockets code for a system errno value; a value without one is
// passed through unchanged (and is named "UNKNOWN ERROR").
int socketErrorCode(int systemError);

// The text of an Error report: "Error #10061 (WSAECONNREFUSED)".
std::string socketErrorText(int code);

// Why a connection could not be made, in a player's words ("connection
// refused"); the report's text for a code without words of its own.
std::string socketErrorReason(int code);

} // namespace zz::net
