#pragma once
// The host's figures under one pacing: verdict round trips on a quiet table,
// back to back and under the chat flood, and the host's use while idle.
#include "benchutil.h"

#include <QString>

namespace bench {

struct HostFigures
{
    Percentiles quiet, burstsBackToBack, backToBack, flood;
    long floodSent = 0, floodMissing = -1, floodDisordered = -1;
    double floodSeconds = 0;
    ProcessUse idle;
    bool ok = false;
};

// Runs the host as "self --host seed|paced" and the flood as "self --flood PORT".
HostFigures measureHost(const QString &self, bool seedPacing);
// The child processes' entry points.
int runHost(int argc, char **argv, bool seedPacing);

inline constexpr int IdleMs = 10000;

} // namespace bench
