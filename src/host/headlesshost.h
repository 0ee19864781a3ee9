#pragma once
// The host alone, without a window or a client of its own: `--serve`.
#include "host/tablecompanion.h"

namespace zz {

// Parses "--serve [--port N]" (port 7772 unless given), creates the
// application object and serves until SIGINT, SIGTERM or SIGHUP, which close
// every connection in order. Returns the process exit code: 0 after a
// signal, 2 for bad arguments (reported on standard error), 1 when the port
// cannot be bound or the companion cannot run or gives up.
int runHeadlessHost(int argc, char **argv, const CompanionFactory &companion = {});

} // namespace zz
