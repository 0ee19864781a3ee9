#pragma once
// Every message of the game: its command word, its record, the builder that
// writes it and the parser that reads it back, side by side.
//
// A builder returns the whole message, terminator included. A parser takes
// the text after the command word and its '+' (Command::args) and reads it
// exactly as the receiving side always has, quirks included. It returns
// nullopt when a field that must be a number is not one; the caller then
// drops the message with a warning. Parsed records own their text.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zz::wire {

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

// The codes both sides share.
enum class WatchFlag : char { Watch = '1', PlayAgain = '2' };
// Why the host refused a word; the client shows nothing for any other code.
enum class Refusal { WrongLength = 1, NotAWord = 2, NotOneLetter = 3, LadderFull = 4 };
// The stats flag: may the newcomer still play this round? Only "t" means yes.
inline constexpr std::string_view MayPlayFlag = "t";
inline constexpr std::string_view MayNotPlayFlag = "f";

// ---- client to host ---------------------------------------------------------
// The seat field of a request is read first; a parser gives nullopt only when
// that field is not a number, so the host can warn about it. Whether the seat
// is the sender's own is the host's check.

// The reply to sendlogininfo; the name is the rest and may hold '+'.
struct LoginInfo
{
    int seat = 0;
    std::string version;
    std::string name;
    bool operator==(const LoginInfo &) const = default;
};
std::string loginInfo(int seat, std::string_view version, std::string_view name);
std::optional<LoginInfo> parseLoginInfo(std::string_view args);

// The word is a field: without its closing '+' it reads as "".
struct SendWord
{
    int seat = 0;
    std::string word;
    bool operator==(const SendWord &) const = default;
};
std::string sendWord(int seat, std::string_view word);
std::optional<SendWord> parseSendWord(std::string_view args);

// Every field is kept as typed; never nullopt. A number that does not read
// falls back to the defaults below, and each length flag counts only as
// exactly "1" or "0" (see the host's lengthMode).
struct StartGameRequest
{
    static constexpr int FallbackPlayTo = 5;
    static constexpr int FallbackTimePerTurn = 120;
    std::string name;
    std::optional<int> playTo;
    std::optional<int> time;
    std::string three, four, five;
    int playToOrFallback() const { return playTo.value_or(FallbackPlayTo); }
    int timeOrFallback() const { return time.value_or(FallbackTimePerTurn); }
    bool operator==(const StartGameRequest &) const = default;
};
// playTo and time are sent as typed in the options dialog.
std::string startGameRequest(std::string_view name, std::string_view playTo, std::string_view time,
                             bool three, bool four, bool five);
std::optional<StartGameRequest> parseStartGameRequest(std::string_view args);

// Chat and action requests; the host echoes the seat field as it came ("03")
// and passes the rest on untouched.
struct ChatRequest
{
    int seat = 0;
    std::string seatField;
    std::string rest;   // "text|colour", as received
    bool operator==(const ChatRequest &) const = default;
};
using ActionRequest = ChatRequest;
// text and colour travel joined by '|'; colour is in colour text form.
std::string chatRequest(int seat, std::string_view text, std::string_view colour);
std::string actionRequest(int seat, std::string_view text, std::string_view colour);
std::optional<ChatRequest> parseChatRequest(std::string_view args);
inline std::optional<ActionRequest> parseActionRequest(std::string_view args) { return parseChatRequest(args); }

struct PlayASoundRequest
{
    int seat = 0;
    std::string rest;   // after the seat field, as received ("wave7+")
    bool operator==(const PlayASoundRequest &) const = default;
};
std::string playASoundRequest(int seat, int sound);
std::optional<PlayASoundRequest> parsePlayASoundRequest(std::string_view args);

// The flag is the rest of the message: no '+' follows it, so "1+" is neither.
struct JustWatch
{
    int seat = 0;
    std::optional<WatchFlag> flag;   // nullopt: neither "1" nor "2"
    bool operator==(const JustWatch &) const = default;
};
std::string justWatch(int seat, WatchFlag flag);
std::optional<JustWatch> parseJustWatch(std::string_view args);

struct KickHim
{
    int seat = 0;                 // the requester
    std::optional<int> target;    // nullopt: not a number
    bool operator==(const KickHim &) const = default;
};
std::string kickHim(int seat, int target);
std::optional<KickHim> parseKickHim(std::string_view args);

// ---- host to client ---------------------------------------------------------

// The seat is the first field, or the whole text when no '+' follows it.
struct SendLoginInfo
{
    int seat = 0;
    bool operator==(const SendLoginInfo &) const = default;
};
std::string sendLoginInfo(int seat);
std::optional<SendLoginInfo> parseSendLoginInfo(std::string_view args);

std::string full();

// The name is the rest and may hold '+'.
struct NewPlayerInfo
{
    int seat = 0;
    std::string name;
    bool operator==(const NewPlayerInfo &) const = default;
};
using ExistingPlayers = NewPlayerInfo;
std::string newPlayerInfo(int seat, std::string_view name);
std::string existingPlayers(int seat, std::string_view name);
std::optional<NewPlayerInfo> parseNewPlayerInfo(std::string_view args);
inline std::optional<ExistingPlayers> parseExistingPlayers(std::string_view args) { return parseNewPlayerInfo(args); }

// The whole text is the name; never nullopt.
struct HaveWrongVersion
{
    std::string name;
    bool operator==(const HaveWrongVersion &) const = default;
};
std::string haveWrongVersion(std::string_view name);
std::optional<HaveWrongVersion> parseHaveWrongVersion(std::string_view args);

std::string wrongVersion();

// The state of a running game, sent to a newcomer. The (seat, score) pairs
// are read as they came, however many, so no seat the message did not name
// is touched; the host sends all six player seats.
struct SeatScore
{
    int seat = 0;
    int score = 0;
    bool operator==(const SeatScore &) const = default;
};
struct Stats
{
    int seat = 0;
    std::string start, end;
    bool mayPlay = false;
    int playTo = 0;
    int time = 0;
    int secondsLeft = 0;   // may be negative
    std::vector<SeatScore> scores;
    bool operator==(const Stats &) const = default;
};
std::string stats(const Stats &s);
std::optional<Stats> parseStats(std::string_view args);

struct PlayerDisconnected
{
    int seat = 0;
    std::string name;   // the rest; may hold '+'
    bool operator==(const PlayerDisconnected &) const = default;
};
std::string playerDisconnected(int seat, std::string_view name);
std::optional<PlayerDisconnected> parsePlayerDisconnected(std::string_view args);

// Any flag but exactly "1" means the seat plays again.
struct JustWatching
{
    int seat = 0;
    bool watching = false;
    bool operator==(const JustWatching &) const = default;
};
std::string justWatching(int seat, WatchFlag flag);
std::optional<JustWatching> parseJustWatching(std::string_view args);

// A relayed chat or action: the whole text split at its first '|'. The line
// keeps the echoed seat field ("03+Bo chats: hi"); colour is "" without a '|'.
// Never nullopt.
struct ChatRelay
{
    std::string line;
    std::string colour;
    bool operator==(const ChatRelay &) const = default;
};
using ActionRelay = ChatRelay;
// seatField is echoed exactly as received; rest is "text|colour" as received.
std::string chatRelay(std::string_view seatField, std::string_view name, std::string_view rest);
std::string actionRelay(std::string_view seatField, std::string_view name, std::string_view rest);
std::optional<ChatRelay> parseChatRelay(std::string_view args);
inline std::optional<ActionRelay> parseActionRelay(std::string_view args) { return parseChatRelay(args); }

struct PlayASoundRelay
{
    int seat = 0;
    std::string sound;   // "wave7"; "" when no '+' closes it
    bool operator==(const PlayASoundRelay &) const = default;
};
// rest is the request's text after its seat field ("wave7+").
std::string playASoundRelay(int seat, std::string_view rest);
std::optional<PlayASoundRelay> parsePlayASoundRelay(std::string_view args);

struct StartGameAnnounce
{
    std::string name;
    int playTo = 0;
    int time = 0;
    bool operator==(const StartGameAnnounce &) const = default;
};
std::string startGameAnnounce(std::string_view name, int playTo, int time);
std::optional<StartGameAnnounce> parseStartGameAnnounce(std::string_view args);

struct RoundStart
{
    int round = 0;
    std::string start, end;
    bool operator==(const RoundStart &) const = default;
};
std::string roundStart(int round, std::string_view start, std::string_view end);
std::optional<RoundStart> parseRoundStart(std::string_view args);

// Seat 0: a watcher's turn, which is nobody's.
struct NextPlayer
{
    int seat = 0;
    bool operator==(const NextPlayer &) const = default;
};
std::string nextPlayer(int seat);
std::optional<NextPlayer> parseNextPlayer(std::string_view args);

struct GoodWord
{
    int seat = 0;
    std::string word;
    int count = 0;
    bool operator==(const GoodWord &) const = default;
};
std::string goodWord(int seat, std::string_view word, int count);
std::optional<GoodWord> parseGoodWord(std::string_view args);

struct InvalidWord
{
    int seat = 0;
    std::string word;
    int code = 0;   // a Refusal, or any other number as it came
    bool operator==(const InvalidWord &) const = default;
};
std::string invalidWord(int seat, std::string_view word, int code);
std::string invalidWord(int seat, std::string_view word, Refusal code);
std::optional<InvalidWord> parseInvalidWord(std::string_view args);

struct Completed
{
    int seat = 0;
    int count = 0;
    bool operator==(const Completed &) const = default;
};
std::string completed(int seat, int count);
std::optional<Completed> parseCompleted(std::string_view args);

std::string timeUp();

struct ScoreLine
{
    int seat = 0;
    int score = 0;
    int completion = 0;
    int emptyBoxes = 0;
    int timeBonus = 0;
    int words = 0;
    bool operator==(const ScoreLine &) const = default;
};
// Records of seat 0 are read past and left out: the empty layout is one.
struct PostScores
{
    std::vector<ScoreLine> lines;
    bool operator==(const PostScores &) const = default;
};
// An empty list gives the fixed "+0+0+0+0" layout.
std::string postScores(const std::vector<ScoreLine> &lines);
std::optional<PostScores> parsePostScores(std::string_view args);

// The first finisher's ladder (addcorrect).
struct Ladder
{
    int seat = 0;
    std::vector<std::pair<int, std::string>> boxes;   // (box number 1..20, word), in order
    bool operator==(const Ladder &) const = default;
};
std::string addCorrect(int seat, const std::vector<std::pair<int, std::string>> &boxes);
std::optional<Ladder> parseLadder(std::string_view args);

// The name may hold '+': it is the whole text less one closing '+'. Never nullopt.
struct Winner
{
    std::string name;
    bool operator==(const Winner &) const = default;
};
std::string winner(std::string_view name);
std::optional<Winner> parseWinner(std::string_view args);

} // namespace zz::wire
