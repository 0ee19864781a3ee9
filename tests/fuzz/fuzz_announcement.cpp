// A table announcement is a datagram anybody on the network can send.
#include "net/tableannouncement.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const auto table = zz::net::decodeAnnouncement(bytes);
    if (!table)
        return 0;
    if (table->port == 0 || table->players < 0 || table->players > 6 || table->watchers < 0 || table->watchers > 3)
        __builtin_trap();
    // Whatever was accepted is written and read back unchanged.
    if (zz::net::decodeAnnouncement(zz::net::encodeAnnouncement(*table)) != table)
        __builtin_trap();
    return 0;
}
