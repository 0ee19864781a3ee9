#pragma once
// Putting a file in place so that a failed save or a power cut leaves either
// the old bytes or the new ones, never a mix and never nothing.
#include <filesystem>
#include <string_view>

namespace zz {

// The file that writing path really changes: path itself, or where its chain
// of symbolic links ends (which need not exist yet). A chain that loops or
// runs too long gives path unchanged, and writing then replaces the link.
std::filesystem::path writeTarget(const std::filesystem::path &path);

// Writes bytes to a new file beside path's target (see writeTarget), flushes
// it to the disk, gives it the old file's permissions and renames it over the
// target, then flushes the folder so the rename lasts. False on any failure,
// in which case the target is untouched and no temporary file remains.
bool writeFileAtomically(const std::filesystem::path &path, std::string_view bytes);

} // namespace zz
