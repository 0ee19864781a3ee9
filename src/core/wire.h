#pragma once
// The wire format shared by host and client: framing at byte 255, the inbound
// queue, field cutting, the integer rule and one builder per command.
// Messages are bytes (std::string) from the socket to the handler.
#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zz::wire {

inline constexpr char Terminator = '\xff';
inline constexpr char Separator = '+';
inline constexpr char ColourBar = '|';

// An entry is read back with at most this many characters.
inline constexpr std::size_t MaxEntryLength = 4096;
// A peer that sends this much without a terminator is dropped.
inline constexpr std::size_t MaxPendingBytes = 64 * 1024;
// A peer with this many unhandled messages is dropped.
inline constexpr std::size_t MaxQueuedEntries = 1000;

// Command words. Client to host first, then host to client; two words serve
// both directions with different layouts.
inline constexpr std::string_view CmdLoginInfo = "CMD_logininfo";
inline constexpr std::string_view CmdSendWord = "CMD_sendword";
inline constexpr std::string_view CmdStartGame = "CMD_startgame";
inline constexpr std::string_view CmdChat = "CMD_chat";
inline constexpr std::string_view CmdAction = "CMD_action";
inline constexpr std::string_view CmdPlayASound = "CMD_playasound";
inline constexpr std::string_view CmdJustWatch = "CMD_justwatch";
inline constexpr std::string_view CmdKickHim = "CMD_kickhim";

inline constexpr std::string_view CmdSendLoginInfo = "CMD_sendlogininfo";
inline constexpr std::string_view CmdFull = "CMD_full";
inline constexpr std::string_view CmdNewPlayerInfo = "CMD_newplayerinfo";
inline constexpr std::string_view CmdExistingPlayers = "CMD_existingplayers";
inline constexpr std::string_view CmdHaveWrongVersion = "CMD_havewrongversion";
inline constexpr std::string_view CmdWrongVersion = "CMD_wrongversion";
inline constexpr std::string_view CmdStats = "CMD_stats";
inline constexpr std::string_view CmdPlayerDisconnected = "CMD_playerdisconnected";
inline constexpr std::string_view CmdJustWatching = "CMD_justwatching";
inline constexpr std::string_view CmdRoundStart = "CMD_roundstart";
inline constexpr std::string_view CmdNextPlayer = "CMD_nextplayer";
inline constexpr std::string_view CmdGoodWord = "CMD_goodword";
inline constexpr std::string_view CmdInvalidWord = "CMD_invalidword";
inline constexpr std::string_view CmdCompleted = "CMD_completed";
inline constexpr std::string_view CmdTimeUp = "CMD_timeup";
inline constexpr std::string_view CmdPostScores = "CMD_postscores";
inline constexpr std::string_view CmdAddCorrect = "CMD_addcorrect";
inline constexpr std::string_view CmdWinner = "CMD_winner";

// Cuts a byte stream into messages at each terminator. The unfinished tail
// lives on between reads, so a message split by TCP is rebuilt.
class FrameSplitter
{
public:
    // Appends bytes and moves every complete message to the ready list.
    // Returns false once more than MaxPendingBytes stand without a terminator;
    // the caller should then drop the peer (the splitter keeps nothing more).
    bool feed(std::string_view bytes);
    // The next complete message, terminator removed; "" is a real (empty) one.
    std::optional<std::string> next();
    std::size_t pendingBytes() const { return m_pending.size(); }

private:
    std::string m_pending;
    std::deque<std::string> m_ready;
};

// The ordered list of received messages, oldest first.
class InboundQueue
{
public:
    // Returns false when the queue already holds MaxQueuedEntries entries;
    // the entry is then not added.
    bool push(std::string entry);
    // The oldest entry cut to MaxEntryLength, or "" when the queue is empty.
    std::string pop();
    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }
    void clear() { m_entries.clear(); }

private:
    std::deque<std::string> m_entries;
};

struct Command
{
    std::string_view word;   // "" when the entry holds no '+'
    std::string_view args;   // everything after the first '+'
};
Command splitCommand(std::string_view entry);

// Cuts the field before the next '+' and removes it and the '+' from rest.
// Returns "" and leaves rest unchanged when no '+' is left.
std::string_view takeField(std::string_view &rest);

// The platform's integer rule: optional sign, then decimal digits or '$' and
// hexadecimal digits, within 32 bits. nullopt for anything else.
std::optional<int> toInteger(std::string_view text);

// Decimal text of an integer, without leading zeros.
std::string number(int value);

// ---- client to host -------------------------------------------------------
std::string loginInfo(int seat, std::string_view version, std::string_view name);
std::string sendWord(int seat, std::string_view word);
// playTo and time are sent as typed in the options dialog.
std::string startGameRequest(std::string_view name, std::string_view playTo, std::string_view time,
                             bool three, bool four, bool five);
// text and colour travel joined by '|'; colour is in colour text form.
std::string chatRequest(int seat, std::string_view text, std::string_view colour);
std::string actionRequest(int seat, std::string_view text, std::string_view colour);
std::string playASoundRequest(int seat, int sound);
enum class WatchFlag : char { Watch = '1', PlayAgain = '2' };
std::string justWatch(int seat, WatchFlag flag);
std::string kickHim(int seat, int target);

// ---- host to client -------------------------------------------------------
std::string sendLoginInfo(int seat);
std::string full();
std::string newPlayerInfo(int seat, std::string_view name);
std::string existingPlayers(int seat, std::string_view name);
std::string haveWrongVersion(std::string_view name);
std::string wrongVersion();

struct Stats
{
    int seat = 0;
    std::string_view start, end;
    bool mayPlay = false;
    int playTo = 0;
    int time = 0;
    int secondsLeft = 0;
    std::array<int, 6> scores{};   // seats 1..6
};
std::string stats(const Stats &s);

std::string playerDisconnected(int seat, std::string_view name);
std::string justWatching(int seat, WatchFlag flag);
// seatField is echoed exactly as received; rest is "text|colour" as received.
std::string chatRelay(std::string_view seatField, std::string_view name, std::string_view rest);
std::string actionRelay(std::string_view seatField, std::string_view name, std::string_view rest);
// rest is the request's text after its seat field ("wave7+").
std::string playASoundRelay(int seat, std::string_view rest);
std::string startGameAnnounce(std::string_view name, int playTo, int time);
std::string roundStart(int round, std::string_view start, std::string_view end);
std::string nextPlayer(int seat);
std::string goodWord(int seat, std::string_view word, int count);
std::string invalidWord(int seat, std::string_view word, int code);
std::string completed(int seat, int count);
std::string timeUp();

struct ScoreLine
{
    int seat = 0;
    int score = 0;
    int completion = 0;
    int emptyBoxes = 0;
    int timeBonus = 0;
    int words = 0;
};
// An empty list gives the fixed "+0+0+0+0" layout.
std::string postScores(const std::vector<ScoreLine> &lines);
// boxes: (box number 1..20, word) for each filled box, in order.
std::string addCorrect(int seat, const std::vector<std::pair<int, std::string>> &boxes);
std::string winner(std::string_view name);

} // namespace zz::wire
