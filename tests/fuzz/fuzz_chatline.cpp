// Any relayed chat text must parse into runs the view can draw safely, and
// nothing the send rule makes may hold the terminator byte.
#include "core/chatline.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace zz;
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    const ReceivedChat received = splitReceivedChat(bytes);
    if (received.line.find('|') != std::string::npos)
        __builtin_trap();
    (void)colourToText(received.colour);

    if (const auto line = parseChatLine(received.line, received.colour)) {
        if (line->style < 0 || line->style >= ChatStyleCount || line->runs.empty())
            __builtin_trap();
        for (const ChatRun &run : line->runs) {
            if (run.style < 0 || run.style >= ChatStyleCount)
                __builtin_trap();
            if (run.kind == ChatRun::Smiley && (run.smiley < 0 || run.smiley >= SmileyCount))
                __builtin_trap();
            if (run.kind != ChatRun::Smiley && (run.text.empty() || run.text.back() != ' '))
                __builtin_trap();
        }
    }

    const ChatSend send = composeChat(true, bytes);
    if (send.text.find('\xff') != std::string::npos)
        __builtin_trap();
    if (const auto colour = colourFromText(bytes)) {
        if (colourFromText(colourToText(*colour)) != colour)
            __builtin_trap();
    }
    return 0;
}
