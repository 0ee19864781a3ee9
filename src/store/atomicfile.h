#pragma once
// Putting a file in place so that a failed save or a power cut leaves either
// the old bytes or the new ones, never a mix and never nothing.
#include <chrono>
#include <filesystem>
#include <string_view>

namespace zz {

// A temporary left by a save that was killed is removed by a later save of
// the same file once it is this old; a younger one may still be another
// process's save in progress.
inline constexpr std::chrono::minutes StaleTemporaryAge{10};

// The file that writing path really changes: path itself, or where its chain
// of symbolic links ends (which need not exist yet). An empty path when the
// chain loops or runs too long; writing then fails and changes nothing.
std::filesystem::path writeTarget(const std::filesystem::path &path);

// Writes bytes to a new file beside path's target (see writeTarget), flushes
// it to the disk, gives it the old file's permissions and renames it over the
// target, then flushes the folder so the rename lasts. False on any failure,
// in which case the target is untouched and no temporary file remains. A
// save that succeeds also removes the target's own temporaries older than
// StaleTemporaryAge, and no other file.
bool writeFileAtomically(const std::filesystem::path &path, std::string_view bytes);

} // namespace zz
