// Words from the wire reach the dictionary and the ladder solver: any bytes,
// any length, must give an answer and never read outside the records.
#include "dict/builtindata.h"
#include "dict/dictionary.h"
#include "dict/laddersolver.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto split = bytes.find('\n');
    const std::string_view from = bytes.substr(0, split);
    const std::string_view to = split == std::string_view::npos ? from : bytes.substr(split + 1);
    (void)zz::builtinDictionary().isWord(from);
    const auto ladder = zz::builtinLadderSolver().shortestLadder(from, to);
    if (!ladder.empty() && (ladder.front().size() != from.size() || ladder.size() > 200000))
        __builtin_trap();
    return 0;
}
