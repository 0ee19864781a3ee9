#pragma once
// A windowed program's start and weight under the X display in DISPLAY:
// the time from starting it to its window being mapped, polled every 2 ms,
// its resident memory after start, and its use while idle.
#include "benchutil.h"

#include <string>
#include <vector>

namespace bench {

struct WindowFigures
{
    double startMs = 0;  // median over the runs
    double startMinMs = 0, startMaxMs = 0;
    double startCpuMs = 0; // median CPU time of the main thread until the window mapped
    double residentMiB = 0; // median, one second after the window mapped
    double privateMiB = 0;  // the part of it that is no mapped file
    ProcessUse idle;     // over IdleMs, from twelve seconds after the window mapped
    int runs = 0;
};

// Starts each program (its arguments after blanks, env added) runs times;
// titles name the windows waited for.
// Runs of several programs interleave so that both see the same machine.
std::vector<WindowFigures> measureWindows(const std::vector<std::string> &programs,
                                          const std::vector<std::string> &titles,
                                          const std::vector<std::string> &env, int runs);

} // namespace bench
