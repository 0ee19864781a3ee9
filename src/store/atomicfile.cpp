#include "store/atomicfile.h"

#include "store/filesync.h"

#include <cstdio>
#include <random>
#include <string>
#include <system_error>

namespace zz {

namespace {

// As many links as the system itself follows before it gives up.
constexpr int MaxLinkHops = 40;

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
        temp.path = target;
        temp.path += ".saving-" + std::to_string(pick() % 1000000);
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
    return true;
}

} // namespace zz
