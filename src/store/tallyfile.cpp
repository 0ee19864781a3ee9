#include "tallyfile.h"

#include "core/names.h"
#include "store/tallycodec.h"

#include <ctime>
#include <system_error>

namespace zz {

std::filesystem::path tallyFileIn(const std::filesystem::path &dir)
{
    return dir / (std::string(GameKey) + std::string(TallyFileSuffix));
}

std::filesystem::path damagedTallyName(const std::filesystem::path &file, std::chrono::system_clock::time_point when)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    char stamp[32] = {};
    if (const std::tm *local = std::localtime(&seconds))
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", local);
    const std::string base = file.string() + ".damaged-" + stamp;
    std::filesystem::path candidate = base;
    std::error_code error;
    for (int n = 2; std::filesystem::exists(candidate, error) || error; ++n) {
        if (n > 1000)
            return {}; // no free name: the caller keeps the file where it is
        candidate = base + "-" + std::to_string(n);
    }
    return candidate;
}

std::filesystem::path keepDamagedFileAside(const std::filesystem::path &file, std::chrono::system_clock::time_point when)
{
    const std::filesystem::path aside = damagedTallyName(file, when);
    if (aside.empty())
        return {};
    std::error_code error;
    std::filesystem::rename(file, aside, error);
    return error ? std::filesystem::path{} : aside;
}

TallyLoad loadTally(const std::filesystem::path &file, std::chrono::system_clock::time_point now)
{
    TallyLoad load;
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return load;

    try {
        if (std::optional<TallyTable> table = TallyTable::fromText(readTallyFile(file))) {
            load.table = std::move(*table);
            load.table.startSession();
            return load;
        }
        load.error = file.string() + " : the tally in this file is damaged !";
    } catch (const TallyCodecError &e) {
        load.error = e.what();
    }

    // Half a tally is worse than none: start empty, and keep the damaged file.
    load.keptAs = keepDamagedFileAside(file, now);
    load.saveAllowed = !load.keptAs.empty();
    return load;
}

bool saveTally(const std::filesystem::path &file, const TallyTable &table)
{
    try {
        writeTallyFile(file, table.toText());
        return true;
    } catch (const TallyCodecError &) {
        return false;
    }
}

} // namespace zz
