#pragma once
// What a game and the matchmaker say to each other: the routes, and the
// fields of the JSON answer. Named once, read on both sides.
#include <string_view>

namespace zz::offer {

inline constexpr std::string_view QuickRoute = "/v1/tables/quick";
inline constexpr std::string_view PrivateRoute = "/v1/tables/private";
inline constexpr std::string_view HealthRoute = "/healthz";
inline constexpr std::string_view MetricsRoute = "/metrics";

// 200: {"address":"1.2.3.4","port":7772,"table":"zigzop-abc","code":"K7Q2M-9XA3T"}
inline constexpr std::string_view AddressField = "address";
inline constexpr std::string_view PortField = "port";
inline constexpr std::string_view TableField = "table";
inline constexpr std::string_view CodeField = "code";
// Any other status: {"error":"what went wrong, in words"}
inline constexpr std::string_view ErrorField = "error";

inline constexpr std::string_view NoTableFree = "no table is free; try again in a moment";

} // namespace zz::offer
