// A table address typed by a player or given on the command line.
#include "core/tableaddress.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const auto address = zz::parseTableAddress(text, 7772);
    if (!address)
        return 0;
    if (address->host.empty() || address->port == 0)
        __builtin_trap();
    // What the game shows reads back as the same address.
    if (zz::parseTableAddress(zz::tableAddressText(*address, 7772), 7772) != address)
        __builtin_trap();
    return 0;
}
