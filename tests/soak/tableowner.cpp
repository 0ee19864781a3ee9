#include "tableowner.h"

#include "report.h"
#include "session/clientsession.h"

#include <algorithm>

namespace zz::soak {

TableOwner::TableOwner(Report &report, QObject *parent)
    : QObject(parent), m_report(report), m_session(new ClientSession(this))
{
    m_session->setPlayerName(name());
    connect(m_session, &ClientSession::playerArrived, this, [this](int seat, const QString &who, bool) {
        m_table[seat] = who;
        Q_EMIT seatTaken(seat, who);
    });
    connect(m_session, &ClientSession::playerLeft, this, [this](int seat, const QString &) {
        m_table.erase(seat);
        Q_EMIT seatReleased(seat);
    });
    connect(m_session, &ClientSession::gameStarted, this, &TableOwner::gameAnnounced);
    connect(m_session, &ClientSession::justWatching, this, &TableOwner::watchingChanged);
    connect(m_session, &ClientSession::scoresPosted, this, &TableOwner::scoresPosted);
    connect(m_session, &ClientSession::winner, this, [this](const QString &winner) {
        ++m_gamesWon;
        Q_EMIT gameWon(m_gamesWon, winner);
    });
    connect(m_session, &ClientSession::connectionClosed, this, &TableOwner::connectionLost);
}

QString TableOwner::name()
{
    return QStringLiteral("SoakOwner");
}

void TableOwner::connectTo(std::uint16_t port)
{
    m_session->connectTo("127.0.0.1", port);
}

int TableOwner::seat() const
{
    return m_session && m_session->loggedIn() ? m_session->ownSeat() : 0;
}

void TableOwner::leave()
{
    if (m_session)
        m_session->deleteLater(); // its socket closes as it goes
}

void TableOwner::startGame()
{
    ++m_gamesStarted;
    m_session->startGame(name(), PlayTo, TimePerTurn, true, false, false);
}

void TableOwner::gameAnnounced(const QString &name)
{
    if (name != TableOwner::name()) {
        m_report.fail(QStringLiteral("a game was started by \"%1\", who does not own the table").arg(name));
        return;
    }
    // The owner only watches, so a round ends as soon as the players are done.
    m_session->justWatch(seat(), true);
    m_seatedOut.clear();
}

void TableOwner::scoresPosted(const QList<ScoreRecord> &records)
{
    // Computer players at one speed often finish alike, and a tie at the top
    // can repeat round after round. As an owner at a real table might, seat
    // out all but one of the tied players: the next round decides.
    int top = 0;
    for (const ScoreRecord &record : records)
        top = std::max(top, record.score);
    if (top <= PlayTo)
        return;
    bool kept = false;
    for (const ScoreRecord &record : records) {
        if (record.score != top || !m_playingSeats.contains(record.seat) || m_seatedOut.contains(record.seat))
            continue;
        if (!kept) {
            kept = true;
            continue;
        }
        m_seatedOut.insert(record.seat);
        ++m_tiesSettled;
        m_session->justWatch(record.seat, true);
    }
}

void TableOwner::watchingChanged(int seat, bool watching)
{
    if (watching && m_playingSeats.contains(seat) && !m_seatedOut.contains(seat))
        m_report.fail(QStringLiteral("seat %1, a computer player, was seated out by somebody else").arg(seat));
}

} // namespace zz::soak
