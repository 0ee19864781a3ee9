#include "store/filelocations.h"

#include <algorithm>

namespace zz {

namespace {

// "/usr/games/" and "/usr/./games" name the same folder as "/usr/games".
std::filesystem::path plain(const std::filesystem::path &folder)
{
    std::filesystem::path normal = folder.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path())
        normal = normal.parent_path();
    return normal;
}

std::filesystem::path folderFor(const FileLocationInputs &inputs,
                                const std::optional<std::filesystem::path> &override,
                                const std::filesystem::path &userFolder)
{
    if (override && !override->empty())
        return *override;
    if (!runsInstalled(inputs) && inputs.programFolderWritable)
        return inputs.programFolder;
    return userFolder / UserFolderName;
}

} // namespace

bool runsInstalled(const FileLocationInputs &inputs)
{
    const std::filesystem::path program = plain(inputs.programFolder);
    const auto isProgramFolder = [&](const std::filesystem::path &folder) {
        return !folder.empty() && plain(folder) == program;
    };
    return std::any_of(inputs.installedFolders.begin(), inputs.installedFolders.end(), isProgramFolder);
}

std::filesystem::path settingsFolder(const FileLocationInputs &inputs)
{
    return folderFor(inputs, inputs.settingsOverride, inputs.userConfigFolder);
}

std::filesystem::path tallyFolder(const FileLocationInputs &inputs)
{
    return folderFor(inputs, inputs.tallyOverride, inputs.userDataFolder);
}

} // namespace zz
