#pragma once
// What every part of the benchmark shares: running the event loop until a
// condition holds, percentiles, and what /proc says about a process.
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace bench {

// Runs the event loop until done() holds; false after timeoutMs.
bool runUntil(const std::function<bool()> &done, int timeoutMs = 600000);
// Runs the event loop for ms milliseconds.
void runFor(int ms);

struct Percentiles
{
    double p50 = 0, p99 = 0, max = 0;
};
Percentiles percentiles(std::vector<double> values);
double median(std::vector<double> values);

// CPU time (user + system, ms) and context switches of every thread of a process.
struct ProcessUse
{
    double cpuMs = 0;
    long wakeUps = 0;     // voluntary switches: each is a sleep after a wake-up
    long mainWakeUps = 0; // the same for the main thread alone
};
ProcessUse processUse(pid_t pid);
// CPU time (ms, to the nanosecond) the main thread has had so far.
double mainThreadCpuMs(pid_t pid);
// Resident memory in KiB, 0 when the process is gone; private: only what
// is not a mapped file (heap, stacks), shared libraries left out.
long residentKiB(pid_t pid);
long privateResidentKiB(pid_t pid);

// Gives this process a network of its own with only loopback in it, so no
// other program's port can get in the way. False when it may not.
bool ownLoopbackOnly();

} // namespace bench
