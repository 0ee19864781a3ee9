// Every message parser must survive any text a peer can send, and whatever it
// reads must come back the same once written out again and read once more.
#include "core/wire.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace zz::wire;

namespace {

// The args a receiver gets from one built message.
std::string argsOf(const std::string &bytes)
{
    const std::string entry = bytes.substr(0, bytes.find(Terminator));
    return std::string(splitCommand(entry).args);
}

// build returns nullopt where the record cannot be written back as it was read.
template <typename Parse, typename Build>
void roundTrip(std::string_view args, Parse parse, Build build)
{
    const auto first = parse(args);
    if (!first)
        return;
    const std::optional<std::string> bytes = build(*first);
    if (bytes && parse(argsOf(*bytes)) != first)
        __builtin_trap();
}

std::optional<std::string> startGameBytes(const StartGameRequest &m)
{
    auto flag = [](const std::string &f) { return f == "1" || f == "0"; };
    if (!flag(m.three) || !flag(m.four) || !flag(m.five))
        return std::nullopt;
    auto text = [](const std::optional<int> &n) { return n ? number(*n) : std::string(); };
    return startGameRequest(m.name, text(m.playTo), text(m.time), m.three == "1", m.four == "1", m.five == "1");
}

std::optional<std::string> chatBytes(const ChatRequest &m)
{
    const auto bar = m.rest.find(ColourBar);
    if (m.seatField != number(m.seat) || bar == std::string::npos)
        return std::nullopt;
    return chatRequest(m.seat, m.rest.substr(0, bar), m.rest.substr(bar + 1));
}

std::optional<std::string> soundBytes(const PlayASoundRequest &m)
{
    const std::string_view rest = m.rest;
    if (rest.size() < 5 || rest.substr(0, 4) != "wave" || rest.back() != Separator)
        return std::nullopt;
    const std::optional<int> sound = toInteger(rest.substr(4, rest.size() - 5));
    if (!sound || number(*sound) != rest.substr(4, rest.size() - 5))
        return std::nullopt;
    return playASoundRequest(m.seat, *sound);
}

void clientRequests(std::string_view a)
{
    roundTrip(a, parseLoginInfo, [](const LoginInfo &m) { return loginInfo(m.seat, m.version, m.name); });
    roundTrip(a, parseSendWord, [](const SendWord &m) { return sendWord(m.seat, m.word); });
    roundTrip(a, parseStartGameRequest, startGameBytes);
    roundTrip(a, parseChatRequest, chatBytes);
    roundTrip(a, parseActionRequest, chatBytes);
    roundTrip(a, parsePlayASoundRequest, soundBytes);
    roundTrip(a, parseJustWatch, [](const JustWatch &m) {
        return m.flag ? std::optional(justWatch(m.seat, *m.flag)) : std::nullopt;
    });
    roundTrip(a, parseKickHim, [](const KickHim &m) {
        return m.target ? std::optional(kickHim(m.seat, *m.target)) : std::nullopt;
    });
}

void hostMessages(std::string_view a)
{
    using Bytes = std::optional<std::string>;
    roundTrip(a, parseSendLoginInfo, [](const SendLoginInfo &m) -> Bytes { return sendLoginInfo(m.seat); });
    roundTrip(a, parseNewPlayerInfo, [](const NewPlayerInfo &m) -> Bytes { return newPlayerInfo(m.seat, m.name); });
    roundTrip(a, parseExistingPlayers,
              [](const ExistingPlayers &m) -> Bytes { return existingPlayers(m.seat, m.name); });
    roundTrip(a, parseHaveWrongVersion, [](const HaveWrongVersion &m) -> Bytes { return haveWrongVersion(m.name); });
    roundTrip(a, parseStats, [](const Stats &m) -> Bytes { return stats(m); });
    roundTrip(a, parsePlayerDisconnected,
              [](const PlayerDisconnected &m) -> Bytes { return playerDisconnected(m.seat, m.name); });
    roundTrip(a, parseJustWatching, [](const JustWatching &m) -> Bytes {
        return justWatching(m.seat, m.watching ? WatchFlag::Watch : WatchFlag::PlayAgain);
    });
    // The relay's own builder takes the sender's pieces; line and colour are
    // written back as the client split them.
    roundTrip(a, parseChatRelay, [](const ChatRelay &m) -> Bytes {
        return std::string(CmdChat) + Separator + m.line + ColourBar + m.colour + Terminator;
    });
    roundTrip(a, parsePlayASoundRelay,
              [](const PlayASoundRelay &m) -> Bytes { return playASoundRelay(m.seat, m.sound + "+"); });
    roundTrip(a, parseStartGameAnnounce,
              [](const StartGameAnnounce &m) -> Bytes { return startGameAnnounce(m.name, m.playTo, m.time); });
    roundTrip(a, parseRoundStart, [](const RoundStart &m) -> Bytes { return roundStart(m.round, m.start, m.end); });
    roundTrip(a, parseNextPlayer, [](const NextPlayer &m) -> Bytes { return nextPlayer(m.seat); });
    roundTrip(a, parseGoodWord, [](const GoodWord &m) -> Bytes { return goodWord(m.seat, m.word, m.count); });
    roundTrip(a, parseInvalidWord, [](const InvalidWord &m) -> Bytes { return invalidWord(m.seat, m.word, m.code); });
    roundTrip(a, parseCompleted, [](const Completed &m) -> Bytes { return completed(m.seat, m.count); });
    roundTrip(a, parsePostScores, [](const PostScores &m) -> Bytes { return postScores(m.lines); });
    roundTrip(a, parseLadder, [](const Ladder &m) -> Bytes { return addCorrect(m.seat, m.boxes); });
    roundTrip(a, parseWinner, [](const Winner &m) -> Bytes { return winner(m.name); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view args(reinterpret_cast<const char *>(data), size);
    // A received entry never holds a terminator and is cut to MaxEntryLength.
    if (args.find(Terminator) != std::string_view::npos || args.size() > MaxEntryLength)
        return 0;
    clientRequests(args);
    hostMessages(args);
    return 0;
}
