#include "narrator.h"

#include "announcer.h"
#include "client/board/boardrules.h"
#include "client/board/boardview.h"
#include "session/clientsession.h"
#include "session/wiretext.h"
#include "spokentexts.h"

#include <QAccessible>
#include <QLabel>

namespace zz {

GameNarrator::GameNarrator(ClientSession &session, const BoardView &board, Announcer &announcer, QObject *parent)
    : QObject(parent), m_session(session), m_board(board), m_announcer(announcer)
{
    ClientSession *s = &m_session;
    connect(s, &ClientSession::roundStarted, this, [this](int round, const QString &start, const QString &end) {
        m_announcer.announce(spoken::roundStarted(round, start, end));
    });
    connect(s, &ClientSession::wordAccepted, this,
            [this](int seat, const QString &word, int) { wordAccepted(seat, word); });
    connect(s, &ClientSession::wordRefused, this, &GameNarrator::wordRefused);
    connect(s, &ClientSession::ladderCompleted, this, [this](int seat, int) { ladderCompleted(seat); });
    connect(s, &ClientSession::scoresPosted, this, &GameNarrator::scoresPosted);
    connect(s, &ClientSession::winner, this, &GameNarrator::winner);
    connect(s, &ClientSession::chatLine, this,
            [this](const QString &line) { m_announcer.announce(spoken::chatLine(line)); });
    connect(s, &ClientSession::playerArrived, this, &GameNarrator::playerArrived);
    connect(s, &ClientSession::playerLeft, this, [this](int seat) { playerLeft(seat); });
}

void GameNarrator::wordAccepted(int seat, const QString &word)
{
    if (seat == m_session.ownSeat())
        m_announcer.announce(spoken::wordAccepted(word));
}

void GameNarrator::wordRefused(int seat, const QString &word, int code)
{
    if (seat == m_session.ownSeat())
        m_announcer.announce(spoken::statusLine(board::refusalText(word, code)));
}

void GameNarrator::ladderCompleted(int seat)
{
    if (seat == m_session.ownSeat())
        m_announcer.announce(spoken::statusLine(fromAscii(status::Completed)));
    else if (isBoardSeat(seat))
        m_announcer.announce(spoken::completed(m_board.seatName(seat)));
}

void GameNarrator::scoresPosted(const QList<ScoreRecord> &records)
{
    m_announcer.announce(spoken::results(records, [this](int seat) {
        return seat == m_session.ownSeat() ? fromAscii(SoloPlayerName) : m_board.seatName(seat);
    }));
    seatsChanged();
}

void GameNarrator::winner(const QString &name)
{
    const int own = m_session.ownSeat();
    const bool ownWin = isBoardSeat(own) && m_board.seatName(own) == name;
    m_announcer.announce(board::winnerText(name, ownWin));
}

void GameNarrator::playerArrived(int seat, const QString &name, bool self)
{
    m_present.insert(seat, name);
    if (!self)
        m_announcer.announce(spoken::arrived(name));
    seatsChanged();
}

void GameNarrator::playerLeft(int seat)
{
    // As in the chat: a seat nobody held, or one leaving under its quiet name, goes without a word.
    const QString name = m_present.take(seat);
    if (!name.isEmpty() && name != board::quietName(seat))
        m_announcer.announce(spoken::left(name));
    seatsChanged();
}

void GameNarrator::seatsChanged()
{
    // A seat's spoken name is made of several labels; none of them tells it apart.
    for (int seat = 1; seat <= board::SeatCount; ++seat) {
        if (auto *label = m_board.findChild<QLabel *>(QStringLiteral("label_playername%1").arg(seat))) {
            QAccessibleEvent changed(label, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&changed);
        }
    }
}

} // namespace zz
