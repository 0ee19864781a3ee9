#pragma once
// --matchmaker: loads the matchmaker's module and runs it headless.

namespace zz {

// The exit code; 1 with the reason on standard error when the module is missing.
int runMatchmaker(int argc, char *argv[]);

} // namespace zz
