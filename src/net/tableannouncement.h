#pragma once
// What a hosting table says about itself on the local network, once every
// two seconds, as one UTF-8 JSON object in one datagram.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zz::net {

inline constexpr std::uint16_t AnnouncePort = 7773;
inline constexpr int AnnounceIntervalMs = 2000;

struct TableAnnouncement
{
    std::string version;        // the game's version text
    std::uint16_t port = 0;     // where the table listens
    std::string name;           // UTF-8
    std::string owner;          // seat 1's name, UTF-8; empty while nobody sits there
    int players = 0;            // 0..6
    int watchers = 0;           // 0..3
    bool playing = false;

    bool operator==(const TableAnnouncement &) const = default;
};

std::string encodeAnnouncement(const TableAnnouncement &table);
// Texts are written with control characters as '?' and cut to 64 characters.
// nullopt for anything but such an object of this game: garbage, more than
// 1,024 bytes, another game, a missing field, a number out of range, a text
// with a control character or over 64 characters.
std::optional<TableAnnouncement> decodeAnnouncement(std::string_view bytes);

} // namespace zz::net
