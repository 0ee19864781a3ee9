#include "chatline.h"

#include "wire.h"

#include <algorithm>

namespace zz {

namespace {

constexpr std::string_view ActionPrefix = "/me";

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Every word keeps its trailing space, so a run of spaces becomes one-space
// words of its own and the line reads back exactly as it was typed.
void addWords(ChatLine &line, std::string_view text)
{
    std::string rest(text);
    rest += ' ';
    std::string_view words = rest;
    while (!words.empty()) {
        const auto space = words.find(' ');
        const std::string_view word = words.substr(0, space + 1);
        words.remove_prefix(word.size());
        if (isLinkWord(word))
            line.runs.push_back({ChatRun::Link, std::string(word), LinkStyle, 0});
        else
            line.runs.push_back({ChatRun::Text, std::string(word), line.style, 0});
    }
}

int smileyIndex(std::string_view code)
{
    const auto number = wire::toInteger(code);
    if (!number || *number < FirstSmileyCode || *number >= FirstSmileyCode + SmileyCount)
        return 0;
    return *number - FirstSmileyCode;
}

} // namespace

ReceivedChat splitReceivedChat(std::string_view text)
{
    const auto bar = text.find(wire::ColourBar);
    if (bar == std::string_view::npos)
        return {std::string(text), UnreadableChatColour};
    return {std::string(text.substr(0, bar)),
            colourFromText(text.substr(bar + 1)).value_or(UnreadableChatColour)};
}

std::optional<ChatLine> parseChatLine(std::string_view text, Colour colour)
{
    const auto plus = text.find(wire::Separator);
    if (plus == std::string_view::npos)
        return std::nullopt;
    const auto seat = wire::toInteger(text.substr(0, plus));
    // Styles exist for seats 0..9 only; anything else must not reach them.
    if (!seat || *seat < 0 || *seat > MaxChatSeat)
        return std::nullopt;

    ChatLine line;
    line.seat = *seat;
    line.style = *seat > 0 ? *seat + 5 : SystemStyle;
    line.colour = colour;

    std::string_view rest = text.substr(plus + 1);
    const auto colon = rest.find(':');
    const std::string_view head = colon == std::string_view::npos ? std::string_view() : rest.substr(0, colon + 1);
    rest.remove_prefix(head.size());
    line.runs.push_back({ChatRun::Text, std::string(head) + ' ', line.style, 0});

    for (auto at = rest.find(SmileyMarker); at != std::string_view::npos; at = rest.find(SmileyMarker)) {
        addWords(line, rest.substr(0, at));
        rest.remove_prefix(at + SmileyMarker.size());
        // The two code characters go either way, even when they are no code.
        const std::string_view code = rest.substr(0, std::min<std::size_t>(2, rest.size()));
        rest.remove_prefix(code.size());
        const int index = smileyIndex(code);
        line.runs.push_back({ChatRun::Smiley, smileyCode(index), line.style, index});
    }
    if (!rest.empty())
        addWords(line, rest);
    return line;
}

ChatLine programLine(std::string_view text, Colour colour)
{
    ChatLine line;
    line.style = SystemStyle;
    line.colour = colour;
    line.runs.push_back({ChatRun::Text, " ", line.style, 0});   // as after an empty speaker
    addWords(line, text);
    return line;
}

bool isLinkWord(std::string_view word)
{
    std::string folded(word);
    std::transform(folded.begin(), folded.end(), folded.begin(), lower);
    return folded.find("http://") != std::string::npos || folded.find("www.") != std::string::npos;
}

std::string smileyCode(int index)
{
    return std::string(SmileyMarker) + wire::number(index + FirstSmileyCode);
}

ChatSend composeChat(bool loggedIn, std::string_view boxText)
{
    if (!loggedIn)
        return {};
    ChatSend send;
    send.emptyBox = true;
    if (boxText.empty())
        return send;
    if (boxText.front() != '/') {
        send.kind = ChatSend::Chat;
        send.text = boxText;
    } else if (boxText.substr(0, ActionPrefix.size()) == ActionPrefix) {
        send.kind = ChatSend::Action;
        send.text = boxText.substr(std::min<std::size_t>(ActionPrefix.size() + 1, boxText.size()));
    } else {
        return send;
    }
    // A 255 byte would end the message early on the wire.
    std::replace(send.text.begin(), send.text.end(), wire::Terminator, '?');
    return send;
}

} // namespace zz
