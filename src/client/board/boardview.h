#pragma once
#include <QPixmap>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace zz {

class ImageButton;

// Everything a player sees of the game except the chat: the round's words, the
// own ladder and word box, six seats, the clock and the status line. It shows
// what it is told; the session decides when. Every control carries the object
// name the game's documents give it, and every seat or box number is
// range-checked: a number without a control changes nothing.
class BoardView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int BoardWidth = 775;
    static constexpr int BoardHeight = 295;

    explicit BoardView(QWidget *parent = nullptr);

    // Scores "0", bonuses and boxes empty, and the demonstration ladder.
    void clearAll();
    // Bonuses, word counts, boxes and every mark cleared for a new round.
    void clearRound();
    void setRoundWords(const QString &startWord, const QString &endWord); // shown in upper case

    void showWord(int box, const QString &word); // shown exactly as given
    void clearBoxes(int firstBox, int lastBox);
    QString boxWord(int box) const;
    int firstEmptyBox() const;           // 0 when every box holds a word
    void showBoxBonusMarks(int fromBox); // boxes fromBox..20; box 1 has no mark

    // Empties the word box and shows it over the first empty box (hidden when the
    // ladder is full); takes the focus only while the window is active.
    void openWordEntry();
    void placeWordEntry(int box); // over box 1..20; other numbers leave it where it is
    void hideWordEntry();
    void clearWordEntry();
    bool isWordEntryOpen() const;

    void setSeatName(int seat, const QString &name);
    void setSeatWaiting(int seat);    // "<Waiting>", and the eyes go
    QString seatName(int seat) const; // empty for a seat outside 1..6
    void setScore(int seat, int score);
    void setBonus(int seat, const QString &text, const QString &hint);
    void setWordCount(int seat, int count);
    void showCompleted(int seat, bool shown);
    void showFast(int seat, bool shown);
    void showEyes(int seat, bool shown);

    void setPlayTo(int score);
    int setTimePerTurn(int seconds); // returns the clock bar's step
    int barStep() const { return m_barStep; }
    void setClockSeconds(int secondsLeft); // text, bar and colour
    void showTimeUp();                     // the text reads 0:00; bar and colour stay

    void setStatus(const QString &text);
    void setStartButtonVisible(bool visible);
    void showWinner(const QString &text);
    void hideWinner();

Q_SIGNALS:
    void wordEntered(const QString &word);
    void startClicked();
    void seatMenuRequested(int seat, const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildWords();
    void buildSeats();
    void buildSeat(int seat);
    void buildClock();
    void buildStatus();
    void buildWinner();
    void placeBonus(int seat);
    void setCalmLook(QWidget *widget, bool calm);

    template <typename T> T *control(QLatin1String prefix, int number, int first, int last) const;
    QLabel *wordBox(int box) const;
    QLabel *seatLabel(QLatin1String prefix, int seat) const;

    QLabel *m_startWord = nullptr;
    QLabel *m_endWord = nullptr;
    QLineEdit *m_entry = nullptr;
    QLabel *m_playTo = nullptr;
    QLabel *m_timePerTurn = nullptr;
    QLabel *m_clockText = nullptr;
    QLabel *m_clockBar = nullptr;
    QLabel *m_status = nullptr;
    ImageButton *m_startButton = nullptr;
    QWidget *m_winnerPanel = nullptr;
    QLabel *m_winnerText = nullptr;
    QLabel *m_winnerShadow = nullptr;
    int m_barStep = 1;
};

} // namespace zz
