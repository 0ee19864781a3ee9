#pragma once
// For the builders in messages_*.cpp only: how a message is put together.
#include "core/wire.h"

#include <string>
#include <string_view>

namespace zz::wire::detail {

// The command word and its '+'.
inline std::string head(std::string_view command)
{
    return std::string(command) + Separator;
}

// Joins the pieces of one message and appends the terminator.
template <typename... Pieces>
std::string join(const Pieces &...pieces)
{
    std::string out;
    (out.append(pieces), ...);
    out.push_back(Terminator);
    return out;
}

} // namespace zz::wire::detail
