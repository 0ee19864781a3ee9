#pragma once
// The client's side of the game: it keeps the turn, the clock and the seats in
// step with the host's messages and tells the board, the chat view and the
// dialogs what to show. No socket and no painting: it hears the session's
// signals and sends only through the session.
#include "session/gamerecords.h"
#include "client/ladderdialog.h"
#include "social/spylistwindow.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <string_view>

namespace zz {

class BoardView;
class ChatView;
class ClientSession;
class LadderSolver;
class SoundPlayer;
class TallyRecorder;

class GameTable : public QObject
{
    Q_OBJECT
public:
    GameTable(ClientSession &session, BoardView &board, ChatView &chat, QObject *parent = nullptr);

    // Each may be missing; what it would show or count is then skipped.
    void setSoundPlayer(SoundPlayer *sounds) { m_sounds = sounds; }
    void setTally(TallyRecorder *tally) { m_tally = tally; }
    void setLadderDialog(LadderDialog *ladder) { m_ladder = ladder; }
    void setSpyList(SpyListWindow *spyList) { m_spyList = spyList; }
    // Shows the round's shortest ladder after its results; it must outlive the table.
    void setLadderSolver(const LadderSolver *solver) { m_solver = solver; }

    // The table's owner: the hosting player, or whoever holds seat 1 of a
    // table hosted elsewhere. It alone starts games and removes players.
    void setHosting(bool hosting) { m_hosting = hosting; }
    bool hosting() const { return m_hosting; }
    // From a game's start (or a late arrival's stats) to its winner.
    bool gameInProgress() const { return m_gameInProgress; }
    // 1 plays "turnnew" when a turn opens, anything else "turn".
    void setTurnSound(int value) { m_turnSound = value; }

    int ownSeat() const;
    // The seat of the last play signal; words go out while it is ours.
    int turnSeat() const { return m_turnSeat; }
    int timePerTurn() const { return m_timePerTurn; }
    int clockSeconds() const { return m_clockSeconds; }
    bool clockRunning() const { return m_turnTime->isActive(); }

    // Enter in the word box: sends it during the own turn, else does nothing.
    void hitDone(const QString &word);
    // One second of the turn clock; public so tests need not wait for it.
    void turnTimeTick();

Q_SIGNALS:
    // The own seat was announced: the one moment the settings are read.
    void ownArrival();

private:
    void connectSession();
    void addSystemLine(const QString &line);
    void addSystemLine(std::string_view line);
    void play(std::string_view sound);
    void openTurn();
    void startClock(int seconds);
    void setTimePerTurn(int seconds);

    // gametable.cpp: seats, game start, rounds, the turn and the clock
    void playerArrived(int seat, const QString &name, bool self);
    void playerLeft(int seat, const QString &name);
    void startTheGame(const QString &name, int playTo, int time);
    void roundStart(int round, const QString &start, const QString &end);
    void getNextPlayer(int seat);
    void stats(const GameStats &stats);
    void timeUp();

    // gametable_results.cpp: verdicts, scores, the shown ladder and the winner
    void goodWord(int seat, const QString &word, int count);
    void invalidWord(int seat, const QString &word, int code);
    void completed(int seat, int count);
    void postScores(const QList<ScoreRecord> &records);
    void addCorrect(int seat, const QList<QPair<int, QString>> &boxes);
    void winner(const QString &name);
    void showShortestLadder();

    ClientSession &m_session;
    BoardView &m_board;
    ChatView &m_chat;
    SoundPlayer *m_sounds = nullptr;
    TallyRecorder *m_tally = nullptr;
    const LadderSolver *m_solver = nullptr;
    QPointer<LadderDialog> m_ladder;
    QPointer<SpyListWindow> m_spyList;
    QTimer *m_turnTime = nullptr; // child: the client's own turn clock

    bool m_hosting = false;
    bool m_gameInProgress = false;
    int m_turnSound = 0;
    int m_turnSeat = 0;
    int m_timePerTurn = 0;
    int m_clockSeconds = 0;
    QString m_startWord; // the round's words, for its shortest ladder
    QString m_endWord;
};

} // namespace zz
