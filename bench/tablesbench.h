#pragma once
// zz_bench --tables N: what a fleet pays per table. N `zigzop --serve`
// processes, six clients at each playing at a human pace, and per table the
// proportional memory, the CPU per minute of play, and whether every word
// was judged and every chat line relayed.

namespace bench {

// Runs the measurement with the program at game; minutes of play measured.
// Returns the exit code: 0 when nothing was dropped.
int runTables(const char *game, int tables, double minutes);

} // namespace bench
