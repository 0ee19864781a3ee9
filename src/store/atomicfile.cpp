#include "store/atomicfile.h"

#include "store/filesync.h"

#include <cstdio>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace zz {

namespace {

// As many links as the system itself follows before it gives up.
constexpr int MaxLinkHops = 40;

using NativeName = std::filesystem::path::string_type;

// Every temporary of a target is named "<its name>.saving-<1 to 6 digits>".
constexpr std::size_t MaxTemporaryDigits = 6;

NativeName temporaryPrefix(const std::filesystem::path &target)
{
    return target.filename().native() + std::filesystem::path(".saving-").native();
}

bool isTemporaryOf(const NativeName &name, const NativeName &prefix)
{
    if (name.size() <= prefix.size() || name.size() > prefix.size() + MaxTemporaryDigits
        || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return false;
    }
    return true;
}

// A killed save cannot clean up after itself; without this, every crash in a
// save would leave a file beside the player's settings for good. Only plain
// files named as this target's temporaries, and only once no save can still
// be writing them.
void removeStaleTemporaries(const std::filesystem::path &target)
{
    const NativeName prefix = temporaryPrefix(target);
    const auto cutoff = std::filesystem::file_time_type::clock::now() - StaleTemporaryAge;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::vector<std::filesystem::path> stale;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code entryError;
        if (!isTemporaryOf(it->path().filename().native(), prefix)
            || it->symlink_status(entryError).type() != std::filesystem::file_type::regular)
            continue;
        const auto written = std::filesystem::last_write_time(it->path(), entryError);
        if (!entryError && written < cutoff)
            stale.push_back(it->path());
    }
    for (const auto &file : stale)
        std::filesystem::remove(file, error);
}

struct TempFile
{
    std::filesystem::path path;
    std::FILE *file = nullptr;
};

// Exclusive creation beside the target: same file system for the rename, and
// never another file's content.
TempFile createBeside(const std::filesystem::path &target)
{
    TempFile temp;
    std::random_device seed;
    std::mt19937 pick(seed());
    for (int attempt = 0; attempt < 16 && temp.file == nullptr; ++attempt) {
        temp.path = target.parent_path() / temporaryPrefix(target);
        temp.path += std::to_string(pick() % 1000000);
        temp.file = std::fopen(temp.path.string().c_str(), "wbx");
    }
    return temp;
}

// Writes, flushes to the disk and closes; the bytes go in only after the
// permissions are set, so a private file is never readable, even half made.
bool fillAndClose(TempFile &temp, std::string_view bytes, const std::filesystem::file_status &old)
{
    std::error_code error;
    bool written = true;
    if (std::filesystem::is_regular_file(old)) {
        std::filesystem::permissions(temp.path, old.permissions(), std::filesystem::perm_options::replace, error);
        written = !error;
    }
    written = written && std::fwrite(bytes.data(), 1, bytes.size(), temp.file) == bytes.size();
    written = std::fflush(temp.file) == 0 && written;
    written = written && syncFile(temp.file);
    written = std::fclose(temp.file) == 0 && written;
    temp.file = nullptr;
    return written;
}

} // namespace

std::filesystem::path writeTarget(const std::filesystem::path &path)
{
    std::filesystem::path target = path;
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, error)))
            return target;
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error)
            return {};
        // A relative link is read from the folder that holds it.
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return {};
}

bool writeFileAtomically(const std::filesystem::path &path, std::string_view bytes)
{
    const std::filesystem::path target = writeTarget(path);
    if (target.empty())
        return false;
    std::error_code error;
    const std::filesystem::file_status old = std::filesystem::status(target, error);

    TempFile temp = createBeside(target);
    if (temp.file == nullptr)
        return false;
    const bool written = fillAndClose(temp, bytes, old);
    if (written)
        std::filesystem::rename(temp.path, target, error);
    if (!written || error) {
        std::filesystem::remove(temp.path, error);
        return false;
    }
    // The new file is in place; a folder that cannot be flushed changes nothing
    // the caller could act on.
    syncFolder(target.parent_path());
    removeStaleTemporaries(target);
    return true;
}

} // namespace zz
