#pragma once
// The chat flood, run in a process of its own so that its traffic does not
// share the event loop of the client whose verdicts are timed.
#include <cstdint>

namespace bench {

inline constexpr int FloodSeats = 8;     // seats 2..9 of a full table
inline constexpr int Flooders = 7;       // seats 2..8 chat; 9 only watches
inline constexpr int LinesInFlight = 10; // per flooding client

// Joins FloodSeats clients to the host on port and prints "ready". On "start"
// on standard input the flooders keep LinesInFlight lines each in flight; on
// "stop" they stop, and once every line has reached every client (or 20 s
// have passed) it prints "flood <sent> <missing> <out-of-order>" and ends.
int runFlood(std::uint16_t port);

} // namespace bench
