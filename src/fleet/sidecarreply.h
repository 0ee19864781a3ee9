#pragma once
// Reading the game-server sidecar's answers. They are JSON whose spacing
// varies, with 64-bit numbers written as strings and keys added over time, so
// they are parsed, never compared as bytes.
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace zz::fleet {

// A List as the sidecar shows it; nullopt when body is not a List.
struct SidecarList
{
    std::string name;
    long long capacity = 0;
    std::set<std::string> values;
};
std::optional<SidecarList> readList(std::string_view body);

// The "message" of an error answer; "" when there is none or body is not JSON.
std::string errorMessage(std::string_view body);

} // namespace zz::fleet
