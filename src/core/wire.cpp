#include "wire.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace zz::wire {

bool FrameSplitter::feed(std::string_view bytes)
{
    m_pending.append(bytes);
    std::size_t from = 0;
    for (std::size_t at = m_pending.find(Terminator); at != std::string::npos;
         at = m_pending.find(Terminator, from)) {
        m_ready.emplace_back(m_pending, from, at - from);
        from = at + 1;
    }
    m_pending.erase(0, from);
    if (m_pending.size() > MaxPendingBytes) {
        m_pending.clear();
        m_pending.shrink_to_fit();
        return false;
    }
    return true;
}

std::optional<std::string> FrameSplitter::next()
{
    if (m_ready.empty())
        return std::nullopt;
    std::string entry = std::move(m_ready.front());
    m_ready.pop_front();
    return entry;
}

bool InboundQueue::push(std::string entry)
{
    if (m_entries.size() >= MaxQueuedEntries)
        return false;
    m_entries.push_back(std::move(entry));
    return true;
}

std::string InboundQueue::pop()
{
    if (m_entries.empty())
        return {};
    std::string entry = std::move(m_entries.front());
    m_entries.pop_front();
    if (entry.size() > MaxEntryLength)
        entry.resize(MaxEntryLength);
    return entry;
}

Command splitCommand(std::string_view entry)
{
    const auto plus = entry.find(Separator);
    if (plus == std::string_view::npos)
        return {};
    return {entry.substr(0, plus), entry.substr(plus + 1)};
}

std::string_view takeField(std::string_view &rest)
{
    const auto plus = rest.find(Separator);
    if (plus == std::string_view::npos)
        return {};
    const std::string_view field = rest.substr(0, plus);
    rest.remove_prefix(plus + 1);
    return field;
}

std::optional<int> toInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (base == 16) {
        // Hexadecimal text names a 32-bit pattern: "$FFFFFFFF" is -1.
        if (magnitude > std::numeric_limits<std::uint32_t>::max())
            return std::nullopt;
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
        return negative ? static_cast<int>(0u - static_cast<std::uint32_t>(value)) : value;
    }
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    if (magnitude > limit)
        return std::nullopt;
    return negative ? static_cast<int>(-static_cast<std::int64_t>(magnitude)) : static_cast<int>(magnitude);
}

std::string number(int value)
{
    return std::to_string(value);
}

namespace {

// Joins the pieces of one message and appends the terminator.
template <typename... Pieces>
std::string message(const Pieces &...pieces)
{
    std::string out;
    (out.append(pieces), ...);
    out.push_back(Terminator);
    return out;
}

std::string word(std::string_view command)
{
    return std::string(command) + Separator;
}

const char *flag(bool on)
{
    return on ? "1" : "0";
}

std::string flag(WatchFlag f)
{
    return std::string(1, static_cast<char>(f));
}

} // namespace

std::string loginInfo(int seat, std::string_view version, std::string_view name)
{
    // The name is followed by two terminators; the second yields an empty entry.
    return message(word(CmdLoginInfo), number(seat), "+", version, "+", name) + Terminator;
}

std::string sendWord(int seat, std::string_view w)
{
    return message(word(CmdSendWord), number(seat), "+", w, "+");
}

std::string startGameRequest(std::string_view name, std::string_view playTo, std::string_view time,
                             bool three, bool four, bool five)
{
    return message(word(CmdStartGame), name, "+", playTo, "+", time, "+", flag(three), "+", flag(four), "+",
                   flag(five), "+");
}

std::string chatRequest(int seat, std::string_view text, std::string_view colour)
{
    return message(word(CmdChat), number(seat), "+", text, "|", colour);
}

std::string actionRequest(int seat, std::string_view text, std::string_view colour)
{
    return message(word(CmdAction), number(seat), "+", text, "|", colour);
}

std::string playASoundRequest(int seat, int sound)
{
    return message(word(CmdPlayASound), number(seat), "+wave", number(sound), "+");
}

std::string justWatch(int seat, WatchFlag f)
{
    return message(word(CmdJustWatch), number(seat), "+", flag(f));
}

std::string kickHim(int seat, int target)
{
    return message(word(CmdKickHim), number(seat), "+", number(target), "+");
}

std::string sendLoginInfo(int seat)
{
    return message(word(CmdSendLoginInfo), number(seat));
}

std::string full()
{
    return message(word(CmdFull));
}

std::string newPlayerInfo(int seat, std::string_view name)
{
    return message(word(CmdNewPlayerInfo), number(seat), "+", name);
}

std::string existingPlayers(int seat, std::string_view name)
{
    return message(word(CmdExistingPlayers), number(seat), "+", name);
}

std::string haveWrongVersion(std::string_view name)
{
    return message(word(CmdHaveWrongVersion), name);
}

std::string wrongVersion()
{
    return message(word(CmdWrongVersion));
}

std::string stats(const Stats &s)
{
    std::string out = word(CmdStats) + number(s.seat) + "+" + std::string(s.start) + "+" + std::string(s.end) + "+"
                      + (s.mayPlay ? "t" : "f") + "+" + number(s.playTo) + "+" + number(s.time) + "+"
                      + number(s.secondsLeft);
    for (int k = 1; k <= 6; ++k)
        out += "+" + number(k) + "+" + number(s.scores[k - 1]);
    out.push_back(Terminator);
    return out;
}

std::string playerDisconnected(int seat, std::string_view name)
{
    return message(word(CmdPlayerDisconnected), number(seat), "+", name);
}

std::string justWatching(int seat, WatchFlag f)
{
    return message(word(CmdJustWatching), number(seat), "+", flag(f));
}

std::string chatRelay(std::string_view seatField, std::string_view name, std::string_view rest)
{
    return message(word(CmdChat), seatField, "+", name, " chats: ", rest);
}

std::string actionRelay(std::string_view seatField, std::string_view name, std::string_view rest)
{
    return message(word(CmdAction), seatField, "+", name, " ", rest);
}

std::string playASoundRelay(int seat, std::string_view rest)
{
    return message(word(CmdPlayASound), number(seat), "+", rest);
}

std::string startGameAnnounce(std::string_view name, int playTo, int time)
{
    return message(word(CmdStartGame), name, "+", number(playTo), "+", number(time), "+");
}

std::string roundStart(int round, std::string_view start, std::string_view end)
{
    return message(word(CmdRoundStart), number(round), "+", start, "+", end, "+");
}

std::string nextPlayer(int seat)
{
    return message(word(CmdNextPlayer), number(seat), "+");
}

std::string goodWord(int seat, std::string_view w, int count)
{
    return message(word(CmdGoodWord), number(seat), "+", w, "+", number(count), "+");
}

std::string invalidWord(int seat, std::string_view w, int code)
{
    return message(word(CmdInvalidWord), number(seat), "+", w, "+", number(code), "+");
}

std::string completed(int seat, int count)
{
    return message(word(CmdCompleted), number(seat), "+", number(count), "+");
}

std::string timeUp()
{
    return message(word(CmdTimeUp));
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

std::string addCorrect(int seat, const std::vector<std::pair<int, std::string>> &boxes)
{
    std::string out = word(CmdAddCorrect) + number(seat);
    for (const auto &[box, w] : boxes)
        out += "+" + number(box) + "+" + w;
    out.push_back(Terminator);
    return out;
}

std::string winner(std::string_view name)
{
    return message(word(CmdWinner), name, "+");
}

} // namespace zz::wire
