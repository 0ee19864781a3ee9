// Framing, queue and field cutting must survive any bytes a peer can send.
#include "core/wire.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace zz::wire;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    // Feed in two uneven pieces so the kept tail is exercised too.
    FrameSplitter splitter;
    InboundQueue queue;
    const std::size_t half = size / 3;
    if (!splitter.feed(bytes.substr(0, half)) || !splitter.feed(bytes.substr(half)))
        return 0;
    while (auto entry = splitter.next()) {
        if (!queue.push(std::move(*entry)))
            break;
    }
    while (!queue.empty()) {
        const std::string entry = queue.pop();
        if (entry.size() > MaxEntryLength)
            __builtin_trap();
        const Command cmd = splitCommand(entry);
        std::string_view rest = cmd.args;
        for (int i = 0; i < 40 && !rest.empty(); ++i) {
            const std::size_t before = rest.size();
            const std::string_view field = takeField(rest);
            (void)toInteger(field);
            if (rest.size() == before)
                break;   // no '+' left: the rest is the last field
        }
    }
    return 0;
}
