#pragma once
// Host names resolved without blocking the event loop. The system's look-up
// may take seconds, so it runs on a worker thread that does nothing else; the
// answer comes back through the event loop.
#include "net/hostlookup.h"

#include <functional>
#include <optional>
#include <string>

class QObject;

namespace zz::net {

using Resolver = std::function<std::optional<IpAddress>(const std::string &)>;

// Calls done on context's thread with the address of hostName, or nullopt
// when it does not resolve; never once context is gone. A resolved name joins
// lookUpHost's cache, so a socket given the name then connects at once.
// resolve stands in for the system in tests.
void lookUpHostLater(const std::string &hostName, QObject &context,
                     std::function<void(std::optional<IpAddress>)> done,
                     Resolver resolve = resolveThroughSystem);

} // namespace zz::net
