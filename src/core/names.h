#pragma once
// Texts, numbers and names that the game shows, stores or sends. Defined once
// here and never retyped elsewhere.
#include <cstdint>
#include <string_view>

namespace zz {

inline constexpr std::string_view VersionText = "1.0.2";
inline constexpr std::string_view ApplicationTitle = "Zig Zop";
inline constexpr std::string_view GameKey = "Zigzop";

inline constexpr std::uint16_t GamePort = 7772;
inline constexpr std::string_view GamePortName = "7772";
inline constexpr std::string_view LoopbackAddress = "127.0.0.1";
inline constexpr std::uint16_t LobbyPort = 9001;   // the matchmaking program's local port

inline constexpr std::string_view SingleInstanceName = "77biuq";
inline constexpr std::string_view LaunchMarkerName = "zigzop";
inline constexpr std::string_view SoloPlayerName = "You";
inline constexpr std::string_view HostFlagTrue = "true";   // case-sensitive

// Seats: 1..6 play, 7..9 watch; the host accepts nine connections at most.
inline constexpr int PlayerSeatCount = 6;
inline constexpr int MaxConnections = 9;

// Window captions, in the order the windows are created.
namespace caption {
inline constexpr std::string_view Main = "ZigZop";
inline constexpr std::string_view About = "ZigZop - About";
inline constexpr std::string_view Download = "Download The Quib77 Plazo";
inline constexpr std::string_view GameStart = "ZigZop - Game Start";
inline constexpr std::string_view Help = "ZigZop - Help File";
inline constexpr std::string_view Phrases = "ZigZop - Phrase Buttons ";   // trailing blank is part of it
inline constexpr std::string_view SpyList = "ZigZop - Spys";
inline constexpr std::string_view TallyList = "ZigZop - Tally List";
inline constexpr std::string_view Correct = "Zig Zop";
} // namespace caption

// System lines added to the chat view ("0+" marks a line of the program itself).
namespace line {
inline constexpr std::string_view LoadingSolo = "0+Loading Solo Game..Please wait.";
inline constexpr std::string_view LoadingMulti = "0+Loading Multi-player Game.. Please Wait.";
inline constexpr std::string_view SystemPrefix = "0+";
inline constexpr std::string_view YouAreConnected = "0+You are Connected.";
inline constexpr std::string_view IsConnected = " is Connected.";   // after the name
inline constexpr std::string_view YouAreSpying = "0+You are spying.";
inline constexpr std::string_view IsSpying = " is spying.";
inline constexpr std::string_view Disconnected = " disconnected.";
inline constexpr std::string_view HasLeft = " has left.";
// The two version lines keep their original wording, misspellings included.
inline constexpr std::string_view OtherHasWrongVersion = " has a different version of the game then you.";
inline constexpr std::string_view OwnWrongVersion = "0+You have a differnt version of the game then the host.";
} // namespace line

// Message box texts.
namespace message {
inline constexpr std::string_view GameFull = "Game is full";
inline constexpr std::string_view NotConnected = "You are not connected";
inline constexpr std::string_view DictionaryMissing = "English.dic dictionary not found!";
} // namespace message

// Seat labels: the text of an empty seat, and each seat's quiet name (the
// name in its hint), whose departure is not announced. Index 0 is unused.
inline constexpr std::string_view WaitingSeat = "<Waiting>";
inline constexpr std::string_view QuietSeatNames[] = {"", "", "Klot", "Klick", "Kling", "Klick", "Krazy"};

// Menu entries and captions of controls.
namespace label {
inline constexpr std::string_view StartGame = "Start Game";
inline constexpr std::string_view ViewTally = "View Tally";
inline constexpr std::string_view PhraseList = "Phrase List";
inline constexpr std::string_view RemoveFromGame = "Remove From Game";
inline constexpr std::string_view Done = "Done";
inline constexpr std::string_view SpyList = "Spy List";   // the menu entry and the window's title
inline constexpr std::string_view GameOptions = "Game Options";
inline constexpr std::string_view YourTotalTally = "Your Total Tally";
inline constexpr std::string_view PhraseButton = "Phrase Button ";   // + number + ":"
inline constexpr std::string_view PhraseCoolDown = "Buttons can only be used once every 2 seconds";
} // namespace label

} // namespace zz
