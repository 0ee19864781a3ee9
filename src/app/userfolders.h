#pragma once
// The folders this run keeps its settings and tally in, chosen from the
// environment, where the executable lies and the user's standard folders.
#include "store/filelocations.h"

#include <filesystem>

namespace zz {

// What this run knows: the program's folder and whether it may write there,
// the binary folder it was built to be installed in, the user's configuration
// and data folders, and ZIGZOP_SETTINGS_DIR and ZIGZOP_TALLY_DIR.
FileLocationInputs fileLocationInputs();

// The chosen folder (see settingsFolder and tallyFolder); a folder of the
// user's is made when missing, an override or the program's folder never is.
std::filesystem::path settingsFolderForThisRun();
std::filesystem::path tallyFolderForThisRun();

} // namespace zz
