#include "abuse.h"

#include "core/messages.h"
#include "core/names.h"
#include "core/wire.h"

#include <initializer_list>
#include <string_view>

namespace zz::soak {

namespace {

// The fields joined by '+', closed by the terminator: any layout, right or wrong.
std::string request(std::initializer_list<std::string_view> fields)
{
    std::string bytes;
    for (const std::string_view field : fields) {
        if (!bytes.empty())
            bytes += wire::Separator;
        bytes += field;
    }
    return bytes + wire::Terminator;
}

} // namespace

std::string chatFlood(int seat, const std::string &prefix, int count)
{
    std::string bytes;
    for (int n = 1; n <= count; ++n)
        bytes += wire::chatRequest(seat, prefix + ' ' + wire::number(n), "0");
    return bytes;
}

std::string longChat(int seat, std::size_t length)
{
    return wire::chatRequest(seat, std::string(length, 'w'), "0");
}

std::string garbage(std::mt19937 &random, std::size_t length)
{
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes;
    while (bytes.size() < length) {
        const int roll = byte(random);
        if (roll < 8)
            bytes += std::string(wire::CmdChat) + wire::Separator; // a real word now and then
        else if (roll < 24)
            bytes += wire::Separator;
        else
            bytes += static_cast<char>(byte(random));
    }
    return bytes + wire::Terminator;
}

std::string unterminated(std::size_t length)
{
    return std::string(length, 'z');
}

std::string badSeatRequests(int ownSeat, int victimSeat)
{
    const std::string own = wire::number(ownSeat);
    const std::string victim = wire::number(victimSeat);
    const std::string owner = wire::number(OwnerSeat);
    std::string bytes;
    for (const std::string_view seat : {"0", "10", "-1", "99", "4294967303", "$7FFFFFFF", "abc", "", "+"})
        bytes += request({wire::CmdChat, seat, "SPOOF bad seat|0"});
    for (const std::string_view seat : {std::string_view(victim), std::string_view(owner)}) {
        bytes += request({wire::CmdChat, seat, "SPOOF another's seat|0"});
        bytes += request({wire::CmdAction, seat, "SPOOF another's seat|0"});
        bytes += request({wire::CmdLoginInfo, seat, VersionText, "SPOOF"});
        bytes += request({wire::CmdSendWord, seat, "cat", ""});
        bytes += request({wire::CmdPlayASound, seat, "3", ""});
    }
    for (const std::string_view seat : {"0", "10", "12", "-5"}) {
        bytes += request({wire::CmdLoginInfo, seat, VersionText, "SPOOF"});
        bytes += request({wire::CmdSendWord, seat, "cat", ""});
        bytes += request({wire::CmdPlayASound, seat, "3", ""});
        bytes += request({wire::CmdJustWatch, seat, "1"});
        bytes += request({wire::CmdKickHim, own, seat});
    }
    // Only the owner's connection may remove, seat out or start a game.
    bytes += request({wire::CmdKickHim, own, victim});
    bytes += request({wire::CmdKickHim, owner, victim});
    bytes += request({wire::CmdJustWatch, victim, "1"});
    bytes += request({wire::CmdJustWatch, owner, "1"});
    bytes += request({wire::CmdStartGame, "SPOOF", "1", "30", "1", "0", "0"});
    for (const std::string_view odd : {"", "+", "CMD_", "CMD_chat", "CMD_kickhim+", "\x01\x02\x03"})
        bytes += std::string(odd) + wire::Terminator;
    return bytes;
}

} // namespace zz::soak
