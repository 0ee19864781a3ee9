#pragma once
#include <functional>

namespace zz::test {

// Runs the event loop until condition() holds or timeoutMs pass; returns
// whether it held. The only place where tests spin the event loop.
bool waitFor(const std::function<bool()> &condition, int timeoutMs = 5000);

} // namespace zz::test
