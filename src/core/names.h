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
// A tenth connection is told "full" from place 10, which is never a seat.
// Seat 0 on the wire means "nobody" (no player's turn, no player's score).
inline constexpr int PlayerSeatCount = 6;
inline constexpr int MaxConnections = 9;
inline constexpr int RefusedSeat = 10;
// The table owner's seat: it alone starts games, removes players and seats others out.
inline constexpr int OwnerSeat = 1;
// A seat with a place on the board, as opposed to a watching connection.
inline constexpr bool isPlayerSeat(int seat) { return seat >= 1 && seat <= PlayerSeatCount; }
inline constexpr bool isBoardSeat(int seat) { return isPlayerSeat(seat); }
inline constexpr bool isWatcherSeat(int seat) { return seat > PlayerSeatCount && seat <= MaxConnections; }
// Any seat a connection can hold, playing or watching.
inline constexpr bool isTableSeat(int seat) { return seat >= 1 && seat <= MaxConnections; }

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
inline constexpr std::string_view HasStartedAGame = " has started a game.";
inline constexpr std::string_view IsJustWatching = " is just watching";   // after the name, no full stop
inline constexpr std::string_view IsPlayingAgain = " is now playing again";
// After each round's results: "Shortest ladder: COLD CORD CARD WARD WARM (4 words)",
// or "No ladder joins COLD and WARM."
inline constexpr std::string_view ShortestLadder = " Shortest ladder:"; // the chat view adds the blank after it
inline constexpr std::string_view LadderWordsOne = " word)";
inline constexpr std::string_view LadderWordsMany = " words)";
inline constexpr std::string_view NoLadderJoins = "No ladder joins ";
inline constexpr std::string_view NoLadderAnd = " and ";
// "Could not reach the table at HOST:PORT: connection refused."
inline constexpr std::string_view CouldNotReach = "Could not reach the table at ";
} // namespace line

// Message box texts.
namespace message {
inline constexpr std::string_view GameFull = "Game is full";
inline constexpr std::string_view NotConnected = "You are not connected";
// "The table at HOST:PORT closed the connection."
inline constexpr std::string_view TableAt = "The table at ";
inline constexpr std::string_view ClosedTheConnection = " closed the connection.";
inline constexpr std::string_view DictionaryMissing = "English.dic dictionary not found!";
inline constexpr std::string_view NoLetterCount = "You must select at least one Letter Count.";
} // namespace message

// The board's status line; a word shown in upper case goes before the
// texts that start with a blank.
namespace status {
inline constexpr std::string_view Welcome = "Welcome to Zig Zop by Quib77 Software";
inline constexpr std::string_view YourTurn = "Your Turn.";
inline constexpr std::string_view Linking = "Player's are linking the words.";
inline constexpr std::string_view Accepted = " Accepted.";
inline constexpr std::string_view WrongLength = " is not the correct length.";
inline constexpr std::string_view NotAWord = " is not a word.";
inline constexpr std::string_view OneLetter = "You can change only one letter at a time.";
inline constexpr std::string_view ListTooLong = "Your word list is too long";
inline constexpr std::string_view Completed = "You Completed the Link.";
inline constexpr std::string_view PostingScores = "Posting Scores..Please Wait.";
inline constexpr std::string_view GameOver = "Game Over!";
} // namespace status

// The board's other texts.
namespace boardtext {
inline constexpr std::string_view PlayToPrefix = "Play To Score: ";
inline constexpr std::string_view TimePrefix = "Time: ";
inline constexpr std::string_view TimeSuffix = "secs";   // no blank before it
inline constexpr std::string_view WordCountSuffix = " Wds";
inline constexpr std::string_view InitialWordCount = "20 Wds";
inline constexpr std::string_view OwnWin = "You have Won the Game!";
inline constexpr std::string_view OtherWinSuffix = " has Won the Game!";
// The lines of a seat's bonus hint, joined by CR LF.
inline constexpr std::string_view HintCompleted = " Completed Zig Zop: ";
inline constexpr std::string_view HintEmptyBoxes = " Empty Boxes: ";
inline constexpr std::string_view HintTimeBonus = " Time Bonus: ";
inline constexpr std::string_view HintWordCount = " Word Count: ";
inline constexpr std::string_view HintLineBreak = "\r\n";
// The completed-ladder dialog: name + title suffix, and the word count line.
inline constexpr std::string_view LadderTitleSuffix = "'s Zig Zop";
inline constexpr std::string_view LadderWordCount = "Word Count: ";
} // namespace boardtext

// Sounds the game plays, by resource name.
namespace sound {
inline constexpr std::string_view Entered = "entered";
inline constexpr std::string_view Turn = "turn";
inline constexpr std::string_view TurnNew = "turnnew";
inline constexpr std::string_view Submit = "submit";
inline constexpr std::string_view GoodWord = "goodword";
inline constexpr std::string_view Invalid = "invalid";
inline constexpr std::string_view Finished = "finished";
inline constexpr std::string_view RoundOver = "roundover";
inline constexpr std::string_view Winner = "winner";
inline constexpr std::string_view Tick = "tick";
inline constexpr std::string_view TimeUp = "timeup";
} // namespace sound

// Seat labels: the text of an empty seat, and each seat's quiet name (the
// name in its hint), whose departure is not announced. Index 0 is unused.
inline constexpr std::string_view WaitingSeat = "<Waiting>";
// Seat 3 is "Klick" here but "Klock" in FallbackSeatNames: the lists differ on purpose.
inline constexpr std::string_view QuietSeatNames[] = {"", "", "Klot", "Klick", "Kling", "Klick", "Krazy"};
// The host's name for a seat 2..6 that never logged in, used when it wins.
inline constexpr std::string_view FallbackSeatNames[] = {"", "", "Klot", "Klock", "Kling", "Klick", "Krazy"};

// Menu entries and captions of controls.
namespace label {
inline constexpr std::string_view StartGame = "Start Game";
inline constexpr std::string_view AddComputerPlayer = "Add Computer Player";
inline constexpr std::string_view ViewTally = "View Tally";
inline constexpr std::string_view PhraseList = "Phrase List";
inline constexpr std::string_view RemoveFromGame = "Remove From Game";
inline constexpr std::string_view SetToJustWatch = "Set to Just Watch";
inline constexpr std::string_view UnsetJustWatch = "Unset Just Watch";
inline constexpr std::string_view JustWatch = "Just Watch";   // the Options menu entry
inline constexpr std::string_view Done = "Done";
inline constexpr std::string_view SpyList = "Spy List";   // the menu entry and the window's title
inline constexpr std::string_view GameOptions = "Game Options";
inline constexpr std::string_view YourTotalTally = "Your Total Tally";
inline constexpr std::string_view PhraseButton = "Phrase Button ";   // + number + ":"
inline constexpr std::string_view PhraseCoolDown = "Buttons can only be used once every 2 seconds";
// The game options dialog.
inline constexpr std::string_view PlayToScore = "Play to Score:";
inline constexpr std::string_view TimePerTurn = "Time Per Turn:";
inline constexpr std::string_view Secs = "secs";
inline constexpr std::string_view SelectOne = "Select at least one of the following";
inline constexpr std::string_view LetterWords[] = {"3 Letter Words", "4 Letter Words", "5 Letter Words"};
} // namespace label

// The settings file and its keys, all in section GameKey.
namespace setting {
inline constexpr std::string_view FileName = "quibplazo.ini";
inline constexpr std::string_view TextSize = "Textsize";
inline constexpr std::string_view Top = "Top";
inline constexpr std::string_view Left = "Left";
inline constexpr std::string_view Width = "Width";
inline constexpr std::string_view Height = "Height";
inline constexpr std::string_view TextColor = "Textcolor";
inline constexpr std::string_view DefaultTextColor = "clblack";
inline constexpr std::string_view PlayToScore = "Playtoscore";
inline constexpr std::string_view TimePerTurn = "Timeperturn";
inline constexpr std::string_view Three = "Three";
inline constexpr std::string_view Four = "Four";
inline constexpr std::string_view Five = "Five";
inline constexpr std::string_view BotSpeed = "Botspeed";
inline constexpr std::string_view TurnSound = "Turnsound";
inline constexpr std::string_view PhrasePrefix = "Phrase";   // + 1..9
inline constexpr std::string_view PlaySounds = "Playsounds";
inline constexpr std::string_view PlayerPhraseSounds = "Playerphrasesounds";
inline constexpr std::string_view True = "true";
inline constexpr std::string_view False = "false";
// "%s" stands for the file's full path.
inline constexpr std::string_view UnableToWrite = "Unable to write to %s";
} // namespace setting

// The phrase buttons' built-in phrases, buttons 1..9 at index 0..8.
inline constexpr std::string_view BuiltInPhrases[] = {
    "Way To Go!", "Good One!", "Nice Try!", "Excellent!", "Brilliant!",
    "Wow, WTG!", "Thanks!", "Way To Go Teamie!", "Good Game Everyone!"};
inline constexpr std::string_view MeCommand = "/me ";   // a phrase sent as an action
inline constexpr std::string_view SaysPrefix = "says: ";

// Chatter sounds: "wave" + n on the wire, n = 1..20 at index n - 1.
namespace chatter {
inline constexpr std::string_view SoundPrefix = "wave";
inline constexpr std::string_view Cancel = "<Cancel>";
inline constexpr std::string_view ButtonHint = "Chatter Sounds";
inline constexpr std::string_view LineInfix = ": <Chatter Sound> ";   // name + this + caption
inline constexpr std::string_view Captions[] = {
    "Doh", "Cough", "Hello", "Thank You", "Where have you been?", "Snoring", "Sneezing",
    "Sorry", "Welcome", "Yeehaa", "Yippee", "Oh No", "Applause", "Honk", "Oooh",
    "Razzberry", "Cheer", "Woman Laughing", "Man Laughing", "Crying"};
inline constexpr int Count = 20;
} // namespace chatter

// The Options menu's entries for speed, screen and sounds.
namespace optionlabel {
inline constexpr std::string_view BotSpeed = "Bot Speed";
inline constexpr std::string_view Slow = "Slow";
inline constexpr std::string_view Normal = "Normal";
inline constexpr std::string_view Fast = "Fast";
inline constexpr std::string_view ResetScreenLocation = "Reset Screen Location";
inline constexpr std::string_view PlaySounds = "Play Sounds";
inline constexpr std::string_view PlayerPhraseSounds = "Player Phrase Sounds";
inline constexpr std::string_view TurnSound = "Turn Sound";
inline constexpr std::string_view Classic = "Classic";
inline constexpr std::string_view New = "New";
} // namespace optionlabel

} // namespace zz
