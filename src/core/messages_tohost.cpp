// The client's requests: builders and the host's reading of them.
#include "core/messages.h"

#include "core/messagejoin.h"
#include "core/wire.h"

namespace zz::wire {

using detail::head;
using detail::join;

namespace {

const char *lengthFlag(bool on)
{
    return on ? "1" : "0";
}

std::string watchFlag(WatchFlag flag)
{
    return std::string(1, static_cast<char>(flag));
}

} // namespace

std::string loginInfo(int seat, std::string_view version, std::string_view name)
{
    // The name is followed by two terminators; the second yields an empty entry.
    return join(head(CmdLoginInfo), number(seat), "+", version, "+", name) + Terminator;
}

std::optional<LoginInfo> parseLoginInfo(std::string_view args)
{
    const std::optional<int> seat = takeInteger(args);
    if (!seat)
        return std::nullopt;
    LoginInfo m;
    m.seat = *seat;
    m.version = takeField(args);
    m.name = args;
    return m;
}

std::string sendWord(int seat, std::string_view word)
{
    return join(head(CmdSendWord), number(seat), "+", word, "+");
}

std::optional<SendWord> parseSendWord(std::string_view args)
{
    const std::optional<int> seat = takeInteger(args);
    if (!seat)
        return std::nullopt;
    return SendWord{*seat, std::string(takeField(args))};
}

std::string startGameRequest(std::string_view name, std::string_view playTo, std::string_view time,
                             bool three, bool four, bool five)
{
    return join(head(CmdStartGame), name, "+", playTo, "+", time, "+", lengthFlag(three), "+", lengthFlag(four), "+",
                lengthFlag(five), "+");
}

std::optional<StartGameRequest> parseStartGameRequest(std::string_view args)
{
    StartGameRequest m;
    m.name = takeField(args);
    m.playTo = takeInteger(args);
    m.time = takeInteger(args);
    m.three = takeField(args);
    m.four = takeField(args);
    m.five = takeField(args);
    return m;
}

std::string chatRequest(int seat, std::string_view text, std::string_view colour)
{
    return join(head(CmdChat), number(seat), "+", text, "|", colour);
}

std::string actionRequest(int seat, std::string_view text, std::string_view colour)
{
    return join(head(CmdAction), number(seat), "+", text, "|", colour);
}

std::optional<ChatRequest> parseChatRequest(std::string_view args)
{
    const std::string_view seatField = takeField(args);
    const std::optional<int> seat = toInteger(seatField);
    if (!seat)
        return std::nullopt;
    return ChatRequest{*seat, std::string(seatField), std::string(args)};
}

std::string playASoundRequest(int seat, int sound)
{
    return join(head(CmdPlayASound), number(seat), "+wave", number(sound), "+");
}

std::optional<PlayASoundRequest> parsePlayASoundRequest(std::string_view args)
{
    const std::optional<int> seat = takeInteger(args);
    if (!seat)
        return std::nullopt;
    return PlayASoundRequest{*seat, std::string(args)};
}

std::string justWatch(int seat, WatchFlag flag)
{
    return join(head(CmdJustWatch), number(seat), "+", watchFlag(flag));
}

std::optional<JustWatch> parseJustWatch(std::string_view args)
{
    const std::optional<int> seat = takeInteger(args);
    if (!seat)
        return std::nullopt;
    JustWatch m{*seat, std::nullopt};
    if (args == watchFlag(WatchFlag::Watch))
        m.flag = WatchFlag::Watch;
    else if (args == watchFlag(WatchFlag::PlayAgain))
        m.flag = WatchFlag::PlayAgain;
    return m;
}

std::string kickHim(int seat, int target)
{
    return join(head(CmdKickHim), number(seat), "+", number(target), "+");
}

std::optional<KickHim> parseKickHim(std::string_view args)
{
    const std::optional<int> seat = takeInteger(args);
    if (!seat)
        return std::nullopt;
    return KickHim{*seat, takeInteger(args)};
}

} // namespace zz::wire
