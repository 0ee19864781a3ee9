#pragma once
// Flushing to the disk, which standard C++ cannot ask for. The one place in
// the plain C++ folders that calls the operating system directly.
#include <cstdio>
#include <filesystem>

namespace zz {

// Flushes an open file's data from the system's cache to the disk. False when
// the system reports a failure; the file stays open either way.
bool syncFile(std::FILE *file);

// Flushes a folder's entries (a rename inside it) to the disk. False when it
// cannot be opened or flushed; a system without such a flush reports true.
bool syncFolder(const std::filesystem::path &folder);

} // namespace zz
