// A table code typed by a player into the Join box.
#include "core/tablecode.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const auto reading = zz::readTableCode(text);
    if (!reading.address) {
        if (reading.error == zz::TableCodeError::None || zz::tableCodeErrorText(reading).empty())
            __builtin_trap();
        return 0;
    }
    // A code that reads makes the same code again, and reads as the same table.
    const auto again = zz::makeTableCode(reading.address->host, reading.address->port);
    if (!again || zz::readTableCode(*again).address != reading.address)
        __builtin_trap();
    return 0;
}
