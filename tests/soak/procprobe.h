#pragma once
// What the system knows about a running process, read from /proc. Each
// returns nullopt when the process or the figure is not there.
#include <optional>

namespace zz::soak {

// Resident memory (VmRSS) in KiB.
std::optional<long> residentKiB(long long pid);
// Open file descriptors.
std::optional<int> openDescriptors(long long pid);
// Processor time spent in user and system mode together, in seconds.
std::optional<double> processorSeconds(long long pid);

} // namespace zz::soak
