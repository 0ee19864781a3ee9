// Playing the daily window's puzzle: rungs in and out, the end, the result.
#include "dailyui/dailywindow.h"

#include "daily/dailyfile.h"
#include "daily/wordgraph.h"
#include "dailyui/rungdelegate.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace zz {

namespace {

QString qtext(const std::string &s) { return QString::fromStdString(s); }

QString statisticsText(const DailyStatistics &s)
{
    return QStringLiteral("Current streak %1 \u00b7 longest streak %2\n"
                          "Played %3 \u00b7 solved %4\n"
                          "At par %5 \u00b7 par+1 %6 \u00b7 par+2 %7 \u00b7 par+3 or more %8 \u00b7 not solved %9")
        .arg(s.currentStreak)
        .arg(s.longestStreak)
        .arg(s.played)
        .arg(s.solved)
        .arg(s.atPar[0])
        .arg(s.atPar[1])
        .arg(s.atPar[2])
        .arg(s.atPar[3])
        .arg(s.notSolved);
}

} // namespace

void DailyWindow::submitWord()
{
    if (!m_game)
        return;
    const std::string typed = m_word->text().toStdString();
    const RungVerdict verdict = m_game->submit(typed);
    if (verdict != RungVerdict::Taken) {
        // The word stays in the box, to be mended.
        say(qtext(verdictText(verdict, typed, *m_game)));
        m_word->selectAll();
        return;
    }
    m_word->clear();
    keep();
    showGame();
    if (m_game->state() == DailyGame::State::Solved)
        m_copy->setFocus();   // the controls of play are off: the result comes next
    say(m_game->state() == DailyGame::State::Solved
            ? QStringLiteral("Solved in %1 steps (par %2).").arg(m_game->steps()).arg(m_game->puzzle().par)
            : QStringLiteral("%1 added.").arg(qtext(m_game->lastWord())));
}

void DailyWindow::undoRung()
{
    if (!m_game || !m_game->undo())
        return;
    keep();
    showGame();
    say(QStringLiteral("Took back a word; the last word is %1.").arg(qtext(m_game->lastWord())));
}

void DailyWindow::startOver()
{
    if (!m_game || m_game->state() != DailyGame::State::Playing || m_game->rungs().empty())
        return;
    m_game->startOver();
    keep();
    showGame();
    say(QStringLiteral("The ladder is clear."));
}

void DailyWindow::giveUp()
{
    if (!m_game || m_game->state() != DailyGame::State::Playing)
        return;
    m_game->giveUp();
    keep();
    showGame();
    m_copy->setFocus();
    say(QStringLiteral("Given up: the day counts as not solved."));
}

void DailyWindow::copyResult()
{
    if (!m_game || m_game->state() == DailyGame::State::Playing)
        return;
    QApplication::clipboard()->setText(QString::fromUtf8(shareText(*m_game)));
    say(QStringLiteral("Result copied."));
}

// The play goes to the results file after every change, so closing the
// window or the game loses nothing.
void DailyWindow::keep()
{
    const int number = m_game->puzzle().number;
    DayRecord &record = m_records.days[number];
    const bool finished = m_game->state() != DailyGame::State::Playing;
    record.outcome = m_game->state() == DailyGame::State::Solved ? DayRecord::Outcome::Solved
        : finished                                               ? DayRecord::Outcome::GaveUp
                                                                 : DayRecord::Outcome::Playing;
    // Whether it counts for a streak is settled when it ends.
    record.onItsDay = number == today();
    record.par = m_game->puzzle().par;
    record.rungs = m_game->rungs();
    if (finished)
        fillDays();
    if (m_saveAllowed && !m_file.empty() && !saveDailyRecords(m_file, m_records))
        say(QStringLiteral("Your daily results could not be saved to %1.").arg(qtext(m_file.string())));
}

void DailyWindow::showGame()
{
    const bool playing = m_game && m_game->state() == DailyGame::State::Playing;
    m_word->setEnabled(playing);
    m_add->setEnabled(playing);
    m_undo->setEnabled(playing && !m_game->rungs().empty());
    m_startOver->setEnabled(playing && !m_game->rungs().empty());
    m_giveUp->setEnabled(playing);
    m_copy->setEnabled(m_game && !playing);
    m_rungs->clear();
    if (!m_game) {
        m_title->setText(QStringLiteral("Daily Ladder"));
        m_start->clear();
        m_end->clear();
        m_result->clear();
        return;
    }
    const DailyPuzzle &puzzle = m_game->puzzle();
    const bool past = puzzle.number != today();
    m_title->setText(QStringLiteral("Daily Ladder #%1 \u00b7 %2 \u00b7 par %3%4")
                         .arg(puzzle.number)
                         .arg(qtext(formatDate(puzzle.date)))
                         .arg(puzzle.par)
                         .arg(past ? QStringLiteral(" \u00b7 a past day") : QString()));
    m_title->setAccessibleName(m_title->text());
    m_start->setText(qtext(puzzle.start));
    m_start->setAccessibleName(QStringLiteral("Start word: %1").arg(qtext(puzzle.start)));
    m_end->setText(qtext(puzzle.end));
    m_end->setAccessibleName(QStringLiteral("End word: %1, par %2 steps").arg(qtext(puzzle.end)).arg(puzzle.par));
    m_delegate->setEndWord(puzzle.end);
    int position = 1;
    for (const std::string &rung : m_game->rungs()) {
        auto *item = new QListWidgetItem(qtext(rung), m_rungs);
        item->setData(Qt::AccessibleTextRole, spokenRung(position++, rung, puzzle.end));
    }
    m_rungs->scrollToBottom();
    showResult();
    if (!playing)
        m_word->clear();
}

void DailyWindow::showResult()
{
    const DailyPuzzle &puzzle = m_game->puzzle();
    if (m_game->state() == DailyGame::State::Playing) {
        // Hidden while there is nothing to read, so Tab does not stop on it.
        m_result->clear();
        m_result->hide();
        return;
    }
    QString text = m_game->state() == DailyGame::State::Solved
        ? QStringLiteral("Solved in %1 steps (par %2).").arg(m_game->steps()).arg(puzzle.par)
        : QStringLiteral("Not solved (par %1).").arg(puzzle.par);
    const auto kept = m_records.days.find(puzzle.number);
    if (kept != m_records.days.end() && !kept->second.onItsDay)
        text += QStringLiteral(" Played as a past day: streaks stay as they were.");
    text += QStringLiteral("\nShortest ladders:");
    for (const std::vector<std::string> &ladder : graphFor(puzzle.start.size()).shortestLadders(puzzle.start, puzzle.end, 3)) {
        QStringList words;
        for (const std::string &word : ladder)
            words << qtext(word);
        text += QLatin1Char('\n') + words.join(QLatin1Char(' '));
    }
    text += QLatin1Char('\n') + statisticsText(dailyStatistics(m_records, today()));
    m_result->setText(text);
    m_result->setAccessibleName(text);
    m_result->show();
}

} // namespace zz
