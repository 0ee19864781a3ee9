// Chat, actions, sounds, removal and "just watching": the host adds the
// sender's name and passes the line on to every connection.
#include "host/hostserver.h"

#include "core/names.h"

namespace zz {

void HostServer::chat(int fromSeat, std::string_view args)
{
    const std::string_view seatField = wire::takeField(args);
    if (seatFieldOf(fromSeat, seatField, wire::CmdChat))
        broadcast(wire::chatRelay(seatField, m_seats.name(fromSeat), args));
}

void HostServer::action(int fromSeat, std::string_view args)
{
    const std::string_view seatField = wire::takeField(args);
    if (seatFieldOf(fromSeat, seatField, wire::CmdAction))
        broadcast(wire::actionRelay(seatField, m_seats.name(fromSeat), args));
}

void HostServer::playASound(int fromSeat, std::string_view args)
{
    if (const std::optional<int> seat = seatFieldOf(fromSeat, wire::takeField(args), wire::CmdPlayASound))
        broadcast(wire::playASoundRelay(*seat, args));
}

void HostServer::kickHim(int fromSeat, std::string_view args)
{
    const std::optional<int> requester = seatFieldOf(fromSeat, wire::takeField(args), wire::CmdKickHim);
    if (!requester || *requester != 1)
        return;
    const std::optional<int> target = wire::toInteger(wire::takeField(args));
    if (!target) {
        qWarning("Zig Zop host: removal request with a target that is not a number");
        return;
    }
    // The others learn of it through the ordinary release of the seat.
    if (validSeat(*target))
        closeSeat(*target);
}

void HostServer::justWatch(int fromSeat, std::string_view args)
{
    const std::optional<int> seat = wire::toInteger(wire::takeField(args));
    if (!seat) {
        qWarning("Zig Zop host: %.*s from seat %d: seat field is not a number", int(wire::CmdJustWatch.size()),
                 wire::CmdJustWatch.data(), fromSeat);
        return;
    }
    // The table owner may seat anybody out; everybody else only themselves.
    if (!isPlayerSeat(*seat) || (fromSeat != 1 && *seat != fromSeat))
        return;
    const std::string_view flag = args; // no '+' follows the flag
    if (flag == "2") {
        m_seats.setWatching(*seat, false);
        broadcast(wire::justWatching(*seat, wire::WatchFlag::PlayAgain));
    } else if (flag == "1" && m_gameInProgress) {
        m_seats.setWatching(*seat, true);
        broadcast(wire::justWatching(*seat, wire::WatchFlag::Watch));
    }
}

} // namespace zz
