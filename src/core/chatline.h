#pragma once
// Chat lines as the chat view draws them: the received text cut into its line
// and colour, the line cut into styled runs, and the rule for what Enter sends.
#include "colourtext.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zz {

inline constexpr int ChatStyleCount = 15;
inline constexpr int SystemStyle = 0;
inline constexpr int LinkStyle = 4;
inline constexpr int MaxChatSeat = 9;

inline constexpr int SmileyCount = 18;
inline constexpr int FirstSmileyCode = 10;   // code n shows image n - 10
inline constexpr std::string_view SmileyMarker = ":)#";

// Status lines of the game itself are drawn in blue.
inline constexpr Colour SystemLineColour = colour::Blue;
// A received chat text whose colour cannot be read shows in red.
inline constexpr Colour UnreadableChatColour = colour::Red;

struct ChatRun
{
    enum Kind { Text, Smiley, Link };
    Kind kind = Text;
    // Text and Link: the bytes as drawn, each word with its trailing space, so a
    // link carries its own text. Smiley: the code the image stands for (":)#12").
    std::string text;
    int style = 0;     // Text and Link
    int smiley = 0;    // Smiley: image index 0..17

    bool operator==(const ChatRun &) const = default;
};

struct ChatLine
{
    int seat = 0;
    int style = 0;     // the style the seat's lines share: seat + 5, or 0
    Colour colour = 0;
    std::vector<ChatRun> runs;   // the first run begins a new line
};

struct ReceivedChat
{
    std::string line;
    Colour colour = UnreadableChatColour;
};

// Cuts a relayed chat or action text at its first '|'; no '|' or an unreadable
// colour gives red.
ReceivedChat splitReceivedChat(std::string_view text);

// Parses seat "+" text into runs. nullopt when the seat field is not an integer
// in 0..9; nothing should then be drawn.
std::optional<ChatLine> parseChatLine(std::string_view line, Colour colour);

// A line of the program itself that names no speaker: unlike a parsed line,
// its first colon is no speaker's and gets no blank after it ("HOST:PORT").
ChatLine programLine(std::string_view text, Colour colour);

// A word is a link when it holds "http://" or "www." in any letter case.
bool isLinkWord(std::string_view word);

// ":)#" and the two-digit code of smiley image index (0..17).
std::string smileyCode(int index);

struct ChatSend
{
    enum Kind { Nothing, Chat, Action };
    Kind kind = Nothing;
    std::string text;        // never holds the terminator byte
    bool emptyBox = false;
};

// What Enter in the chat box sends, given the box's Windows-1252 bytes.
ChatSend composeChat(bool loggedIn, std::string_view boxText);

} // namespace zz
