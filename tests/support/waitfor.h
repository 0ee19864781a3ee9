#pragma once
#include <functional>

namespace zz::test {

// Runs the event loop until condition() holds or timeoutMs pass; returns
// whether it held. The only place where tests spin the event loop.
bool waitFor(const std::function<bool()> &condition, int timeoutMs = 5000);

// Runs the event loop without waiting until a turn delivers no event at all
// (at most maxTurns turns); returns whether it got there. Whatever was
// already due has then happened, so "nothing happens" needs no wall-clock wait.
bool runUntilIdle(int maxTurns = 1000);

} // namespace zz::test
