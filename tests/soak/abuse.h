#pragma once
// The bytes the fault lanes send: floods, garbage and requests that speak
// for seats that are not the sender's. Every request that must be dropped
// carries "SPOOF", so any client that sees that word has caught a fault.
#include <cstdint>
#include <random>
#include <string>

namespace zz::soak {

// Chat requests "<prefix> 1" .. "<prefix> count" from a seat, in one piece.
std::string chatFlood(int seat, const std::string &prefix, int count);
// One chat request of about length bytes.
std::string longChat(int seat, std::size_t length);
// Random bytes, terminators and '+' among them, then a terminator to close
// whatever frame they left open.
std::string garbage(std::mt19937 &random, std::size_t length);
// Bytes with no terminator at all, past the host's bound for one message.
std::string unterminated(std::size_t length);
// Requests naming seats outside 1..9, another player's seat or the owner's,
// and numbers that do not read, sent from ownSeat. victimSeat is a seat in
// play that the requests try to speak for, rename, seat out and remove.
std::string badSeatRequests(int ownSeat, int victimSeat);

} // namespace zz::soak
