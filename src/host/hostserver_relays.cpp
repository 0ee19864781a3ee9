// Chat, actions, sounds, removal and "just watching": the host adds the
// sender's name and passes the line on to every connection.
#include "host/hostserver.h"

#include "core/names.h"

namespace zz {

void HostServer::chat(int fromSeat, std::string_view args)
{
    const std::optional<wire::ChatRequest> request = wire::parseChatRequest(args);
    if (!request)
        return warnUnreadable(fromSeat, wire::CmdChat);
    if (speaksFor(fromSeat, request->seat))
        broadcast(wire::chatRelay(request->seatField, m_seats.name(fromSeat), request->rest));
}

void HostServer::action(int fromSeat, std::string_view args)
{
    const std::optional<wire::ActionRequest> request = wire::parseActionRequest(args);
    if (!request)
        return warnUnreadable(fromSeat, wire::CmdAction);
    if (speaksFor(fromSeat, request->seat))
        broadcast(wire::actionRelay(request->seatField, m_seats.name(fromSeat), request->rest));
}

void HostServer::playASound(int fromSeat, std::string_view args)
{
    const std::optional<wire::PlayASoundRequest> request = wire::parsePlayASoundRequest(args);
    if (!request)
        return warnUnreadable(fromSeat, wire::CmdPlayASound);
    if (speaksFor(fromSeat, request->seat))
        broadcast(wire::playASoundRelay(request->seat, request->rest));
}

void HostServer::kickHim(int fromSeat, std::string_view args)
{
    const std::optional<wire::KickHim> request = wire::parseKickHim(args);
    if (!request)
        return warnUnreadable(fromSeat, wire::CmdKickHim);
    if (!speaksFor(fromSeat, request->seat) || request->seat != m_seats.owner())
        return;
    if (!request->target)
        return warnUnreadable(fromSeat, wire::CmdKickHim, "the target");
    // The others learn of it through the ordinary release of the seat.
    if (isTableSeat(*request->target))
        closeSeat(*request->target);
}

void HostServer::justWatch(int fromSeat, std::string_view args)
{
    const std::optional<wire::JustWatch> request = wire::parseJustWatch(args);
    if (!request)
        return warnUnreadable(fromSeat, wire::CmdJustWatch);
    // The table owner may seat anybody out; everybody else only themselves.
    const int seat = request->seat;
    if (!isPlayerSeat(seat) || (fromSeat != m_seats.owner() && seat != fromSeat))
        return;
    if (request->flag == wire::WatchFlag::PlayAgain) {
        m_seats.setWatching(seat, false);
        broadcast(wire::justWatching(seat, wire::WatchFlag::PlayAgain));
    } else if (request->flag == wire::WatchFlag::Watch && m_gameInProgress) {
        m_seats.setWatching(seat, true);
        broadcast(wire::justWatching(seat, wire::WatchFlag::Watch));
    }
}

} // namespace zz
