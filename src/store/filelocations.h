#pragma once
// Where the settings and the tally are kept. A copy run from a build or an
// unpacked folder keeps them beside the program; an installed copy cannot
// write there (and even root should not), so it uses the user's folders.
#include <filesystem>
#include <optional>
#include <vector>

namespace zz {

// What the program knows about itself and the user when it starts.
struct FileLocationInputs
{
    std::filesystem::path programFolder;                    // where the executable lies
    bool programFolderWritable = true;
    std::vector<std::filesystem::path> installedFolders;    // the binary folders it was built to be installed in
    std::filesystem::path userConfigFolder;                 // such as ~/.config
    std::filesystem::path userDataFolder;                   // such as ~/.local/share
    std::optional<std::filesystem::path> settingsOverride;  // ZIGZOP_SETTINGS_DIR, when set and not empty
    std::optional<std::filesystem::path> tallyOverride;     // ZIGZOP_TALLY_DIR, when set and not empty
};

// The name of the game's own folder inside each of the user's folders.
inline constexpr char UserFolderName[] = "zigzop";

// True when the program runs from one of the folders it was built to be
// installed in (the names compared as written, trailing separators aside).
bool runsInstalled(const FileLocationInputs &inputs);

// The folder for the settings file: the override; else beside the program
// when it is not installed and may write there; else the game's folder in
// the user's configuration folder. Never fails; the folder may not exist yet.
std::filesystem::path settingsFolder(const FileLocationInputs &inputs);
// The same for the tally, with the user's data folder.
std::filesystem::path tallyFolder(const FileLocationInputs &inputs);

} // namespace zz
