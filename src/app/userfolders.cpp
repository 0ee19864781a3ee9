#include "app/userfolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace zz {

namespace {

std::filesystem::path pathOf(const QString &folder)
{
    return QFile::encodeName(folder).toStdString();
}

std::optional<std::filesystem::path> overrideFrom(const char *variable)
{
    const QString folder = qEnvironmentVariable(variable);
    if (folder.isEmpty())
        return std::nullopt;
    return pathOf(folder);
}

// The executable's folder comes with its links resolved; so must the folder it
// was built for, or a linked prefix would never count as installed.
std::filesystem::path installedFolder()
{
    const QString built = QStringLiteral(ZIGZOP_INSTALLED_BINDIR);
    const QString resolved = QFileInfo(built).canonicalFilePath();
    return pathOf(resolved.isEmpty() ? built : resolved);
}

std::filesystem::path madeIfUsers(const std::filesystem::path &folder, const std::filesystem::path &userFolder)
{
    if (folder == userFolder / UserFolderName)
        QDir().mkpath(QFile::decodeName(folder.c_str()));
    return folder;
}

} // namespace

FileLocationInputs fileLocationInputs()
{
    FileLocationInputs in;
    const QString program = QCoreApplication::applicationDirPath();
    in.programFolder = pathOf(program);
    in.programFolderWritable = QFileInfo(program).isWritable();
    in.installedFolders = {installedFolder()};
    in.userConfigFolder = pathOf(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    in.userDataFolder = pathOf(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    in.settingsOverride = overrideFrom("ZIGZOP_SETTINGS_DIR");
    in.tallyOverride = overrideFrom("ZIGZOP_TALLY_DIR");
    return in;
}

std::filesystem::path settingsFolderForThisRun()
{
    const FileLocationInputs in = fileLocationInputs();
    return madeIfUsers(settingsFolder(in), in.userConfigFolder);
}

std::filesystem::path tallyFolderForThisRun()
{
    const FileLocationInputs in = fileLocationInputs();
    return madeIfUsers(tallyFolder(in), in.userDataFolder);
}

} // namespace zz
