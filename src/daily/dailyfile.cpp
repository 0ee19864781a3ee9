#include "daily/dailyfile.h"

#include "core/names.h"
#include "store/atomicfile.h"
#include "store/tallyfile.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace zz {

namespace {

// Far beyond any player's years of results: a bigger file is not ours.
constexpr std::uintmax_t MaxFileSize = 16u << 20;

} // namespace

std::filesystem::path dailyFileIn(const std::filesystem::path &dir)
{
    return dir / (std::string(GameKey) + "daily.txt");
}

DailyLoad loadDailyRecords(const std::filesystem::path &file, std::chrono::system_clock::time_point now)
{
    DailyLoad load;
    std::error_code error;
    if (std::filesystem::symlink_status(file, error).type() == std::filesystem::file_type::not_found)
        return load;

    const std::uintmax_t size = std::filesystem::file_size(file, error);
    std::ifstream in(file, std::ios::binary);
    if (!error && size <= MaxFileSize && in) {
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (std::optional<DailyRecords> records = parseDailyRecords(text)) {
            load.records = std::move(*records);
            return load;
        }
    }
    in.close();
    load.error = file.string() + " : the daily results in this file are damaged.";

    // Keep what cannot be read; the player's history may still be in it.
    load.keptAs = keepDamagedFileAside(file, now);
    load.saveAllowed = !load.keptAs.empty();
    return load;
}

bool saveDailyRecords(const std::filesystem::path &file, const DailyRecords &records)
{
    return writeFileAtomically(file, dailyRecordsText(records));
}

} // namespace zz
