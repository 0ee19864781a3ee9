#pragma once
// The word lists compiled into the program. Plain declarations: callers need
// no Qt.
#include <string_view>

namespace zz {

// The dictionary's 15-byte records; an empty view when they are missing. The
// bytes live as long as the program.
std::string_view builtinDictionaryRecords();
// The round words, one per line; an empty view when they are missing. The
// bytes live as long as the program.
std::string_view builtinWordPool();

} // namespace zz
