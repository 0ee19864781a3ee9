#pragma once
// Texts the chat shows; defined here once.
#include <string_view>

namespace zz::chattext {

inline constexpr std::string_view Placeholder = "<Enter Chat Here>";
inline constexpr std::string_view CannotOpenWebpage = "Cannot open Webpage";

inline constexpr std::string_view SelectAll = "Select All";
inline constexpr std::string_view Copy = "Copy";
inline constexpr std::string_view Paste = "Paste";
inline constexpr std::string_view ClearMainChat = "Clear Main Chat";
inline constexpr std::string_view ScrollChatOff = "Scroll Chat Off";
inline constexpr std::string_view TextColor = "Text Color";
inline constexpr std::string_view TextSize = "Text Size";

// What a screen reader calls the chat's parts.
inline constexpr std::string_view ChatViewName = "Chat";
inline constexpr std::string_view ChatBoxName = "Your chat line";
inline constexpr std::string_view Smileys = "Smileys";

} // namespace zz::chattext
