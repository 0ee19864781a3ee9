// The tally file is read back from disk, where anything may have happened to it:
// unpacking must refuse damage cleanly, and packing must always round-trip.
#include "store/tallycodec.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    try {
        const std::string text = zz::decompressTally(bytes);
        if (zz::decompressTally(zz::compressTally(text)) != text)
            __builtin_trap();
    } catch (const zz::TallyCodecError &) {
        // damage refused: the expected outcome for most inputs
    }

    const std::string packed = zz::compressTally(bytes);
    if (zz::decompressTally(packed) != bytes)
        __builtin_trap();
    return 0;
}
