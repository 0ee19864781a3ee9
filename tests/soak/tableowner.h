#pragma once
// The scripted table owner in seat 1: it starts short games, sits each one
// out so the computer players decide it, settles ties, and tells who won. Its view of the
// table also tells the fault lanes when seats come and go.
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

#include <cstdint>
#include <map>

namespace zz {
class ClientSession;
struct ScoreRecord;
} // namespace zz

namespace zz::soak {

class Report;

class TableOwner : public QObject
{
    Q_OBJECT
public:
    static constexpr int PlayTo = 50;      // one completed ladder wins
    static constexpr int TimePerTurn = 30; // seconds

    TableOwner(Report &report, QObject *parent = nullptr);

    void connectTo(std::uint16_t port);
    // Starts the next game: three-letter words, PlayTo, TimePerTurn.
    void startGame();
    // Leaving on purpose: the close that follows is no fault.
    void leave();
    // Seats that must never be seated out by anybody.
    void setPlayingSeats(const QSet<int> &seats) { m_playingSeats = seats; }

    static QString name();
    int seat() const;
    int gamesStarted() const { return m_gamesStarted; }
    // Players seated out to end a tie at the top.
    int tiesSettled() const { return m_tiesSettled; }
    // Who sits where, as the host's announcements tell it.
    const std::map<int, QString> &table() const { return m_table; }

Q_SIGNALS:
    void seatTaken(int seat, const QString &name);
    void seatReleased(int seat);
    void gameWon(int game, const QString &winner);
    void connectionLost();

private:
    void gameAnnounced(const QString &name);
    void watchingChanged(int seat, bool watching);
    void scoresPosted(const QList<ScoreRecord> &records);

    Report &m_report;
    QPointer<ClientSession> m_session; // child, until it leaves
    QSet<int> m_playingSeats;
    QSet<int> m_seatedOut; // by the owner, this game
    std::map<int, QString> m_table;
    int m_gamesStarted = 0;
    int m_gamesWon = 0;
    int m_tiesSettled = 0;
};

} // namespace zz::soak
