#pragma once
// Tells the announcer what happens in the game, in the words a player would
// use: the round's words, the verdicts on the own words, completions, the
// results, the winner, chat lines and players coming and going.
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

namespace zz {

class Announcer;
class BoardView;
class ClientSession;
struct ScoreRecord;

class GameNarrator : public QObject
{
    Q_OBJECT
public:
    // The board gives the seats' names; all three must outlive the narrator.
    GameNarrator(ClientSession &session, const BoardView &board, Announcer &announcer, QObject *parent = nullptr);

private:
    void wordAccepted(int seat, const QString &word);
    void wordRefused(int seat, const QString &word, int code);
    void ladderCompleted(int seat);
    void scoresPosted(const QList<ScoreRecord> &records);
    void winner(const QString &name);
    void playerArrived(int seat, const QString &name, bool self);
    void playerLeft(int seat);
    void seatsChanged();

    ClientSession &m_session;
    const BoardView &m_board;
    Announcer &m_announcer;
    QHash<int, QString> m_present;   // seat -> name, as they arrived
};

} // namespace zz
