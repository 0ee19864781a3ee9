// The host's verdicts and a round's results as the player sees them.
#include "gametable.h"

#include "client/board/boardrules.h"
#include "client/board/boardview.h"
#include "client/chat/chatinput.h"
#include "client/chat/chatview.h"
#include "session/wiretext.h"
#include "client/ladderdialog.h"
#include "core/messages.h"
#include "core/names.h"
#include "dict/laddersolver.h"
#include "social/soundplayer.h"
#include "storeui/tallyrecorder.h"

#include <algorithm>

namespace zz {

namespace {

QString bonusHint(const ScoreRecord &r)
{
    const QString lineBreak = fromAscii(boardtext::HintLineBreak);
    return fromAscii(boardtext::HintCompleted) + QString::number(r.completion) + lineBreak
           + fromAscii(boardtext::HintEmptyBoxes) + QString::number(r.emptyBoxes) + lineBreak
           + fromAscii(boardtext::HintTimeBonus) + QString::number(r.timeBonus) + lineBreak
           + fromAscii(boardtext::HintWordCount) + QString::number(r.words);
}

// The chat's reading of the best a round allowed.
QString shortestLadderLine(const LadderSolver &solver, const QString &start, const QString &end)
{
    const std::vector<std::string> ladder = solver.shortestLadder(toWire(start), toWire(end));
    if (ladder.empty())
        return fromAscii(line::NoLadderJoins) + start.toUpper() + fromAscii(line::NoLadderAnd) + end.toUpper()
               + QLatin1Char('.');
    QString text = fromAscii(line::ShortestLadder);
    for (const std::string &word : ladder)
        text += fromWire(word) + QLatin1Char(' ');
    const auto steps = ladder.size() - 1;
    return text + QLatin1Char('(') + QString::number(steps)
           + fromAscii(steps == 1 ? line::LadderWordsOne : line::LadderWordsMany);
}

} // namespace

void GameTable::goodWord(int seat, const QString &word, int count)
{
    if (seat != ownSeat())
        return;
    m_board.setStatus(word.toUpper() + fromAscii(status::Accepted));
    m_board.showWord(count, word);
    play(sound::GoodWord);
    if (count < board::BoxCount) {
        m_board.placeWordEntry(count + 1);
        return;
    }
    // A full ladder ends the turn.
    m_turnSeat = 0;
    m_chat.chatInput()->setFocus();
    m_board.hideWordEntry();
}

void GameTable::invalidWord(int seat, const QString &word, int code)
{
    if (seat != ownSeat())
        return;
    if (const QString text = board::refusalText(word, code); !text.isEmpty())
        m_board.setStatus(text);
    play(sound::Invalid);
}

void GameTable::completed(int seat, int count)
{
    if (seat != ownSeat())
        return;
    m_board.hideWordEntry();
    m_turnSeat = 0;
    m_board.showCompleted(seat, true);
    m_board.setStatus(fromAscii(status::Completed));
    // Clamped first: the count comes from the wire and count + 1 must not wrap.
    m_board.showBoxBonusMarks(std::clamp(count, 0, board::BoxCount) + 1);
    play(sound::Finished);
}

void GameTable::postScores(const QList<ScoreRecord> &records)
{
    for (const ScoreRecord &r : records) {
        m_board.setScore(r.seat, r.score);
        m_board.setWordCount(r.seat, r.words);
        const QString bonus = QString::number(r.completion) + QLatin1Char('+') + QString::number(r.emptyBoxes)
                              + QLatin1Char('+') + QString::number(r.timeBonus);
        m_board.setBonus(r.seat, bonus, bonusHint(r));
        if (r.timeBonus != 0)
            m_board.showFast(r.seat, true);
    }
    m_board.setStatus(fromAscii(status::PostingScores));
    play(sound::RoundOver);
    m_turnTime->stop();
    m_board.hideWordEntry();
    showShortestLadder();
}

void GameTable::showShortestLadder()
{
    if (!m_solver || m_startWord.isEmpty() || m_endWord.isEmpty())
        return;
    addSystemLine(fromAscii(line::SystemPrefix) + shortestLadderLine(*m_solver, m_startWord, m_endWord));
}

void GameTable::addCorrect(int seat, const QList<QPair<int, QString>> &boxes)
{
    if (!m_ladder)
        return;
    m_ladder->clearLabels();
    m_ladder->addWord(LadderDialog::TitleLabel, m_board.seatName(seat) + fromAscii(boardtext::LadderTitleSuffix));
    int words = 0;
    for (const auto &[box, word] : boxes) {
        // Labels 0 and 21 hold the title and the count; no box of a host's may write them.
        if (box < 1 || box > LadderDialog::BoxCount)
            continue;
        m_ladder->addWord(box, word);
        ++words;
    }
    m_ladder->addWord(LadderDialog::CountLabel, fromAscii(boardtext::LadderWordCount) + QString::number(words));
    m_ladder->showOver(m_board.window());
}

void GameTable::winner(const QString &name)
{
    play(sound::Winner);
    m_gameInProgress = false;
    // A spectator has no name label, so it never wins.
    const bool ownSeated = ownSeat() >= 1 && ownSeat() <= PlayerSeatCount;
    const bool ownWin = ownSeated && m_board.seatName(ownSeat()) == name;
    const QString banner = board::winnerText(name, ownWin);
    m_board.setStatus(fromAscii(status::GameOver));
    addSystemLine(fromAscii(line::SystemPrefix) + banner);
    m_board.showWinner(banner);
    if (m_hosting)
        m_board.setStartButtonVisible(true);
    if (m_tally && ownSeated)
        m_tally->addGame(ownWin ? fromAscii(OwnWinTallyName) : name);
}

} // namespace zz
