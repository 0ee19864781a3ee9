// The allocator's answer, as the matchmaker reads it.
#include "core/tablecode.h"
#include "matchmaker/allocatorjson.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    (void)zz::allocatorMessage(body);
    const auto table = zz::readAllocation(body);
    if (!table)
        return 0;
    if (table->address.empty() || table->port == 0)
        __builtin_trap();
    // A code, when the address makes one, names the same table.
    if (const auto code = zz::makeTableCode(table->address, table->port)) {
        const auto reading = zz::readTableCode(*code);
        if (!reading.address || reading.address->port != table->port)
            __builtin_trap();
    }
    return 0;
}
