#include "client/board/boardview.h"

#include "support/waitfor.h"
#include "support/widgets.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

using zz::BoardView;

QLabel *label(const BoardView &board, const QString &name)
{
    auto *found = board.findChild<QLabel *>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

QString text(const BoardView &board, const QString &name)
{
    const QLabel *found = label(board, name);
    return found ? found->text() : QString();
}

bool shown(const BoardView &board, const QString &name)
{
    const QWidget *found = board.findChild<QWidget *>(name);
    return found && found->isVisibleTo(&board);
}

QString numbered(const char *prefix, int number)
{
    return QString::fromUtf8(prefix) + QString::number(number);
}

QLineEdit *entry(const BoardView &board)
{
    return board.findChild<QLineEdit *>(QStringLiteral("edit_word"));
}

// Everything a player could see: each control's text, tool tip, place and visibility.
QStringList snapshot(const BoardView &board)
{
    QStringList all;
    for (const QWidget *w : board.findChildren<QWidget *>()) {
        QString line = w->objectName() + QLatin1Char('|') + w->toolTip() + QLatin1Char('|') + QString::number(w->x())
                       + QLatin1Char(',') + QString::number(w->y()) + QLatin1Char(',') + QString::number(w->width())
                       + (w->isHidden() ? QLatin1String("|hidden") : QLatin1String());
        if (const auto *l = qobject_cast<const QLabel *>(w))
            line += QLatin1Char('|') + l->text();
        all << line;
    }
    return all;
}

} // namespace

TEST(BoardView, FreshBoardShowsTheDemonstration)
{
    BoardView board;
    EXPECT_EQ(text(board, QStringLiteral("label_word1")), QStringLiteral("PAN"));
    EXPECT_EQ(text(board, QStringLiteral("label_word2")), QStringLiteral("FUN"));
    EXPECT_EQ(text(board, QStringLiteral("word_1")), QStringLiteral("TAN"));
    EXPECT_EQ(text(board, QStringLiteral("word_2")), QStringLiteral("FAN"));
    EXPECT_EQ(text(board, QStringLiteral("word_3")), QStringLiteral("FUN"));
    for (int box = 4; box <= 20; ++box)
        EXPECT_TRUE(board.boxWord(box).isEmpty()) << box;
    EXPECT_FALSE(shown(board, QStringLiteral("edit_word")));
    EXPECT_FALSE(shown(board, QStringLiteral("panel_winner")));
    EXPECT_TRUE(shown(board, QStringLiteral("button_start")));
    for (int box = 2; box <= 20; ++box)
        EXPECT_FALSE(shown(board, numbered("image_points", box))) << box;
    for (int seat = 1; seat <= 6; ++seat) {
        SCOPED_TRACE(seat);
        EXPECT_EQ(text(board, numbered("label_score", seat)), QStringLiteral("0"));
        EXPECT_EQ(text(board, numbered("label_wordcount", seat)), QStringLiteral("20 Wds"));
        EXPECT_TRUE(text(board, numbered("label_bonus", seat)).isEmpty());
        for (const char *mark : {"image_completed", "image_fast", "image_eyes"})
            EXPECT_FALSE(shown(board, numbered(mark, seat))) << mark;
    }
}

TEST(BoardView, WordEntryOpensOverTheNextEmptyBox)
{
    BoardView board;
    QLineEdit *edit = entry(board);
    ASSERT_NE(edit, nullptr);
    auto boxAt = [&board](int box) { return label(board, numbered("word_", box))->pos(); };

    board.clearRound();
    edit->setText(QStringLiteral("old"));
    board.openWordEntry();
    EXPECT_TRUE(board.isWordEntryOpen());
    EXPECT_EQ(edit->pos(), boxAt(1)) << "over box 1 when the turn opens";
    EXPECT_TRUE(edit->text().isEmpty());

    board.showWord(1, QStringLiteral("cold"));
    board.placeWordEntry(2);
    EXPECT_EQ(edit->pos(), boxAt(2));
    board.placeWordEntry(21);
    EXPECT_EQ(edit->pos(), boxAt(2)) << "no box 21: the box stays";

    for (int box = 2; box <= 7; ++box)
        board.showWord(box, QStringLiteral("word"));
    board.openWordEntry();
    EXPECT_EQ(edit->pos(), boxAt(8)) << "the first empty box";

    for (int box = 8; box <= 20; ++box)
        board.showWord(box, QStringLiteral("word"));
    EXPECT_EQ(board.firstEmptyBox(), 0);
    board.openWordEntry();
    EXPECT_FALSE(board.isWordEntryOpen()) << "a full ladder leaves nowhere to type";
}

// The turn may open while another window is in front; the word typed after
// clicking back into the game must reach the word box, not the chat.
TEST(BoardView, TurnGivesTheWordBoxTheFocusOnceTheWindowIsActive)
{
    QWidget window;
    auto *board = new BoardView(&window);
    auto *chat = new QLineEdit(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(board);
    layout->addWidget(chat);
    QLineEdit *edit = entry(*board);
    ASSERT_NE(edit, nullptr);
    auto activate = [](QWidget &w) {
        w.activateWindow();
        return zz::test::waitFor([&w] { return w.isActiveWindow(); });
    };

    window.show();
    ASSERT_TRUE(activate(window));
    chat->setFocus();
    board->clearRound();
    board->openWordEntry();
    EXPECT_TRUE(edit->hasFocus()) << "the active window gives the focus at once";

    chat->setFocus();
    board->hideWordEntry();
    QWidget other;
    other.show();
    ASSERT_TRUE(activate(other));
    board->openWordEntry();
    EXPECT_EQ(window.focusWidget(), edit);
    EXPECT_TRUE(other.isActiveWindow()) << "the turn does not pull the game to the front";
    ASSERT_TRUE(activate(window));
    EXPECT_TRUE(edit->hasFocus());
}

TEST(BoardView, EnterSendsTheWordAsTyped)
{
    BoardView board;
    board.clearRound();
    board.openWordEntry();
    QLineEdit *edit = entry(board);
    QStringList sent;
    QObject::connect(&board, &BoardView::wordEntered, &board, [&sent](const QString &word) { sent << word; });

    for (const QChar c : QStringLiteral("Colder"))
        zz::test::pressKey(edit, Qt::Key_A, QString(c));
    EXPECT_EQ(edit->text(), QStringLiteral("Colde")) << "a sixth character cannot be typed";
    zz::test::pressKey(edit, Qt::Key_Return);
    edit->clear();
    zz::test::pressKey(edit, Qt::Key_Enter);
    EXPECT_EQ(sent, QStringList({QStringLiteral("Colde"), QString()}));
}

TEST(BoardView, ClockShowsTimeBarAndColour)
{
    BoardView board;
    EXPECT_EQ(board.setTimePerTurn(120), 1);
    EXPECT_EQ(text(board, QStringLiteral("label_timeperturn")), QStringLiteral("Time: 120secs"));
    QLabel *clock = label(board, QStringLiteral("label_timer"));
    QLabel *bar = label(board, QStringLiteral("image_timer"));

    board.setClockSeconds(119);
    EXPECT_EQ(clock->text(), QStringLiteral("Time: 1:59"));
    EXPECT_EQ(bar->width(), 119);
    const QColor calm = clock->palette().color(clock->foregroundRole());
    board.setClockSeconds(19);
    EXPECT_NE(clock->palette().color(clock->foregroundRole()), calm) << "the last twenty seconds stand out";

    EXPECT_EQ(board.setTimePerTurn(60), 2);
    board.setClockSeconds(100);
    EXPECT_EQ(bar->width(), 176);
    board.setClockSeconds(-5);
    EXPECT_EQ(clock->text(), QStringLiteral("Time: 0:00"));
    EXPECT_FALSE(bar->isVisibleTo(&board));

    board.setClockSeconds(50);
    board.showTimeUp();
    EXPECT_EQ(clock->text(), QStringLiteral("Time: 0:00"));
    EXPECT_EQ(bar->width(), 100) << "time up leaves the bar alone";
}

TEST(BoardView, SeatsWaitWithTheirQuietNames)
{
    BoardView board;
    const char *quiet[] = {"", "Klot", "Klick", "Kling", "Klick", "Krazy"};
    for (int seat = 1; seat <= 6; ++seat) {
        QLabel *name = label(board, numbered("label_playername", seat));
        EXPECT_EQ(name->text(), QStringLiteral("<Waiting>")) << seat;
        EXPECT_EQ(name->toolTip(), QString::fromUtf8(quiet[seat - 1])) << seat;
        EXPECT_EQ(name->textFormat(), Qt::PlainText) << "a name is never markup";
    }

    board.setSeatName(3, QStringLiteral("<b>Ann</b>"));
    board.showEyes(3, true);
    EXPECT_EQ(board.seatName(3), QStringLiteral("<b>Ann</b>"));
    EXPECT_TRUE(shown(board, QStringLiteral("image_eyes3")));
    board.setSeatWaiting(3);
    EXPECT_EQ(board.seatName(3), QStringLiteral("<Waiting>"));
    EXPECT_FALSE(shown(board, QStringLiteral("image_eyes3"))) << "an emptied seat is nobody watching";
    EXPECT_TRUE(board.seatName(7).isEmpty());
}

TEST(BoardView, BonusFollowsTheScoreAndKeepsItsHint)
{
    BoardView board;
    QLabel *score = label(board, QStringLiteral("label_score2"));
    QLabel *bonus = label(board, QStringLiteral("label_bonus2"));
    board.setBonus(2, QStringLiteral("50+30+0"),
                   QStringLiteral(" Completed Zig Zop: 50\r\n Empty Boxes: 30\r\n Time Bonus: 0\r\n Word Count: 6"));
    board.setWordCount(2, 6);
    EXPECT_EQ(bonus->text(), QStringLiteral("50+30+0"));
    EXPECT_EQ(bonus->toolTip(),
              QStringLiteral(" Completed Zig Zop: 50\n Empty Boxes: 30\n Time Bonus: 0\n Word Count: 6"));
    EXPECT_EQ(text(board, QStringLiteral("label_wordcount2")), QStringLiteral("6 Wds"));
    EXPECT_GT(bonus->x(), score->geometry().right());

    const int before = bonus->x();
    board.setScore(2, 12345);
    EXPECT_GT(bonus->x(), before) << "a longer score pushes the bonus right";
    EXPECT_GT(bonus->x(), score->geometry().right());
}

TEST(BoardView, NumbersWithoutAControlChangeNothing)
{
    BoardView board;
    const QStringList before = snapshot(board);
    for (const int seat : {-1, 0, 7, 9}) {
        board.setSeatName(seat, QStringLiteral("Eve"));
        board.setSeatWaiting(seat);
        board.setScore(seat, 99);
        board.setBonus(seat, QStringLiteral("1+2+3"), QStringLiteral("hint"));
        board.setWordCount(seat, 3);
        board.showCompleted(seat, true);
        board.showFast(seat, true);
        board.showEyes(seat, true);
    }
    for (const int box : {-1, 0, 21, 100}) {
        board.showWord(box, QStringLiteral("evil"));
        board.placeWordEntry(box);
    }
    board.showBoxBonusMarks(21);
    board.clearBoxes(21, 30);
    EXPECT_EQ(snapshot(board), before);
}

TEST(BoardView, WinnerBannerAndStartButton)
{
    BoardView board;
    int starts = 0;
    QObject::connect(&board, &BoardView::startClicked, &board, [&starts] { ++starts; });
    board.findChild<QAbstractButton *>(QStringLiteral("button_start"))->click();
    EXPECT_EQ(starts, 1);
    board.setStartButtonVisible(false);
    EXPECT_FALSE(shown(board, QStringLiteral("button_start")));

    QLabel *banner = label(board, QStringLiteral("label_winner1"));
    const QString longName = QStringLiteral("Wilhelmina Wolfenbuttel has Won the Game!");
    board.showWinner(longName);
    EXPECT_TRUE(shown(board, QStringLiteral("panel_winner")));
    EXPECT_EQ(banner->text(), longName) << "smaller letters, the whole text";
    EXPECT_EQ(text(board, QStringLiteral("label_winner2")), longName);
    EXPECT_LE(banner->fontMetrics().horizontalAdvance(banner->text()), 449);

    const QString absurd = QString(60, QLatin1Char('W')) + QStringLiteral(" has Won the Game!");
    board.showWinner(absurd);
    EXPECT_LE(banner->fontMetrics().horizontalAdvance(banner->text()), 449) << "cut short rather than cut off";
    board.hideWinner();
    EXPECT_FALSE(shown(board, QStringLiteral("panel_winner")));
}
