// The host's messages: builders and the client's reading of them.
#include "core/messages.h"

#include "core/messagejoin.h"
#include "core/wire.h"

#include <initializer_list>

namespace zz::wire {

using detail::head;
using detail::join;

namespace {

// Records that repeat to the end are read from the text with "+@" appended:
// they end where only "@" is left, and a cut-short record meets the "@"
// where a number should be.
constexpr std::string_view EndMark = "@";

std::string withEndMark(std::string_view args)
{
    return std::string(args) + Separator + std::string(EndMark);
}

bool takeIntegers(std::string_view &rest, std::initializer_list<int *> fields)
{
    for (int *field : fields) {
        const std::optional<int> value = takeInteger(rest);
        if (!value)
            return false;
        *field = *value;
    }
    return true;
}

// A seat number, then the rest of the text whole.
template <typename Record>
std::optional<Record> seatAndRest(std::string_view args)
{
    const std::optional<int> seat = takeInteger(args);
    if (!seat)
        return std::nullopt;
    return Record{*seat, std::string(args)};
}

} // namespace

std::string sendLoginInfo(int seat)
{
    return join(head(CmdSendLoginInfo), number(seat));
}

std::optional<SendLoginInfo> parseSendLoginInfo(std::string_view args)
{
    const std::optional<int> seat = toInteger(args.substr(0, args.find(Separator)));
    if (!seat)
        return std::nullopt;
    return SendLoginInfo{*seat};
}

std::string full()
{
    return join(head(CmdFull));
}

std::string newPlayerInfo(int seat, std::string_view name)
{
    return join(head(CmdNewPlayerInfo), number(seat), "+", name);
}

std::string existingPlayers(int seat, std::string_view name)
{
    return join(head(CmdExistingPlayers), number(seat), "+", name);
}

std::optional<NewPlayerInfo> parseNewPlayerInfo(std::string_view args)
{
    return seatAndRest<NewPlayerInfo>(args);
}

std::string haveWrongVersion(std::string_view name)
{
    return join(head(CmdHaveWrongVersion), name);
}

std::optional<HaveWrongVersion> parseHaveWrongVersion(std::string_view args)
{
    return HaveWrongVersion{std::string(args)};
}

std::string wrongVersion()
{
    return join(head(CmdWrongVersion));
}

std::string stats(const Stats &s)
{
    std::string out = head(CmdStats) + number(s.seat) + "+" + s.start + "+" + s.end + "+"
                      + std::string(s.mayPlay ? MayPlayFlag : MayNotPlayFlag) + "+" + number(s.playTo) + "+"
                      + number(s.time) + "+" + number(s.secondsLeft);
    for (const SeatScore &pair : s.scores)
        out += "+" + number(pair.seat) + "+" + number(pair.score);
    out.push_back(Terminator);
    return out;
}

std::optional<Stats> parseStats(std::string_view args)
{
    const std::string text = withEndMark(args);
    std::string_view rest = text;
    Stats s;
    if (!takeIntegers(rest, {&s.seat}))
        return std::nullopt;
    s.start = takeField(rest);
    s.end = takeField(rest);
    s.mayPlay = takeField(rest) == MayPlayFlag;
    if (!takeIntegers(rest, {&s.playTo, &s.time, &s.secondsLeft}))
        return std::nullopt;
    while (rest != EndMark) {
        SeatScore pair;
        if (!takeIntegers(rest, {&pair.seat, &pair.score}))
            return std::nullopt;
        s.scores.push_back(pair);
    }
    return s;
}

std::string playerDisconnected(int seat, std::string_view name)
{
    return join(head(CmdPlayerDisconnected), number(seat), "+", name);
}

std::optional<PlayerDisconnected> parsePlayerDisconnected(std::string_view args)
{
    return seatAndRest<PlayerDisconnected>(args);
}

std::string justWatching(int seat, WatchFlag flag)
{
    return join(head(CmdJustWatching), number(seat), "+", std::string(1, static_cast<char>(flag)));
}

std::optional<JustWatching> parseJustWatching(std::string_view args)
{
    const std::optional<int> seat = takeInteger(args);
    if (!seat)
        return std::nullopt;
    return JustWatching{*seat, args.size() == 1 && args.front() == static_cast<char>(WatchFlag::Watch)};
}

std::string chatRelay(std::string_view seatField, std::string_view name, std::string_view rest)
{
    return join(head(CmdChat), seatField, "+", name, " chats: ", rest);
}

std::string actionRelay(std::string_view seatField, std::string_view name, std::string_view rest)
{
    return join(head(CmdAction), seatField, "+", name, " ", rest);
}

std::optional<ChatRelay> parseChatRelay(std::string_view args)
{
    const auto bar = args.find(ColourBar);
    if (bar == std::string_view::npos)
        return ChatRelay{std::string(args), {}};
    return ChatRelay{std::string(args.substr(0, bar)), std::string(args.substr(bar + 1))};
}

std::string playASoundRelay(int seat, std::string_view rest)
{
    return join(head(CmdPlayASound), number(seat), "+", rest);
}

std::optional<PlayASoundRelay> parsePlayASoundRelay(std::string_view args)
{
    const std::optional<int> seat = takeInteger(args);
    if (!seat)
        return std::nullopt;
    return PlayASoundRelay{*seat, std::string(takeField(args))};
}

std::string startGameAnnounce(std::string_view name, int playTo, int time)
{
    return join(head(CmdStartGame), name, "+", number(playTo), "+", number(time), "+");
}

std::optional<StartGameAnnounce> parseStartGameAnnounce(std::string_view args)
{
    StartGameAnnounce m;
    m.name = takeField(args);
    if (!takeIntegers(args, {&m.playTo, &m.time}))
        return std::nullopt;
    return m;
}

std::string roundStart(int round, std::string_view start, std::string_view end)
{
    return join(head(CmdRoundStart), number(round), "+", start, "+", end, "+");
}

std::optional<RoundStart> parseRoundStart(std::string_view args)
{
    RoundStart m;
    if (!takeIntegers(args, {&m.round}))
        return std::nullopt;
    m.start = takeField(args);
    m.end = takeField(args);
    return m;
}

std::string nextPlayer(int seat)
{
    return join(head(CmdNextPlayer), number(seat), "+");
}

std::optional<NextPlayer> parseNextPlayer(std::string_view args)
{
    const std::optional<int> seat = takeInteger(args);
    if (!seat)
        return std::nullopt;
    return NextPlayer{*seat};
}

std::string goodWord(int seat, std::string_view word, int count)
{
    return join(head(CmdGoodWord), number(seat), "+", word, "+", number(count), "+");
}

std::optional<GoodWord> parseGoodWord(std::string_view args)
{
    GoodWord m;
    if (!takeIntegers(args, {&m.seat}))
        return std::nullopt;
    m.word = takeField(args);
    if (!takeIntegers(args, {&m.count}))
        return std::nullopt;
    return m;
}

std::string invalidWord(int seat, std::string_view word, int code)
{
    return join(head(CmdInvalidWord), number(seat), "+", word, "+", number(code), "+");
}

std::string invalidWord(int seat, std::string_view word, Refusal code)
{
    return invalidWord(seat, word, static_cast<int>(code));
}

std::optional<InvalidWord> parseInvalidWord(std::string_view args)
{
    InvalidWord m;
    if (!takeIntegers(args, {&m.seat}))
        return std::nullopt;
    m.word = takeField(args);
    if (!takeIntegers(args, {&m.code}))
        return std::nullopt;
    return m;
}

std::string completed(int seat, int count)
{
    return join(head(CmdCompleted), number(seat), "+", number(count), "+");
}

std::optional<Completed> parseCompleted(std::string_view args)
{
    Completed m;
    if (!takeIntegers(args, {&m.seat, &m.count}))
        return std::nullopt;
    return m;
}

std::string timeUp()
{
    return join(head(CmdTimeUp));
}

std::string postScores(const std::vector<ScoreLine> &lines)
{
    std::string out(CmdPostScores);
    for (const ScoreLine &l : lines)
        out += "+" + number(l.seat) + "+" + number(l.score) + "+" + number(l.completion) + "+"
               + number(l.emptyBoxes) + "+" + number(l.timeBonus) + "+" + number(l.words);
    if (lines.empty())
        out += "+0+0+0+0";
    out.push_back(Terminator);
    return out;
}

std::optional<PostScores> parsePostScores(std::string_view args)
{
    const std::string text = withEndMark(args);
    std::string_view rest = text;
    PostScores m;
    while (rest != EndMark) {
        ScoreLine l;
        if (!takeIntegers(rest, {&l.seat}))
            return std::nullopt;
        if (l.seat == 0) {
            // Skipped unread, so the shorter empty layout ends at the mark.
            for (int i = 0; i < 5; ++i)
                takeField(rest);
            continue;
        }
        if (!takeIntegers(rest, {&l.score, &l.completion, &l.emptyBoxes, &l.timeBonus, &l.words}))
            return std::nullopt;
        m.lines.push_back(l);
    }
    return m;
}

std::string addCorrect(int seat, const std::vector<std::pair<int, std::string>> &boxes)
{
    std::string out = head(CmdAddCorrect) + number(seat);
    for (const auto &[box, word] : boxes)
        out += "+" + number(box) + "+" + word;
    out.push_back(Terminator);
    return out;
}

std::optional<Ladder> parseLadder(std::string_view args)
{
    const std::string text = withEndMark(args);
    std::string_view rest = text;
    Ladder m;
    if (!takeIntegers(rest, {&m.seat}))
        return std::nullopt;
    while (rest != EndMark) {
        const std::optional<int> box = takeInteger(rest);
        if (!box)
            return std::nullopt;
        m.boxes.emplace_back(*box, takeField(rest));
    }
    return m;
}

std::string winner(std::string_view name)
{
    return join(head(CmdWinner), name, "+");
}

std::optional<Winner> parseWinner(std::string_view args)
{
    if (!args.empty() && args.back() == Separator)
        args.remove_suffix(1);
    return Winner{std::string(args)};
}

} // namespace zz::wire
