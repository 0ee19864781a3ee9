#include "boardview.h"

#include "boardrules.h"
#include "imagebutton.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

namespace zz {

using namespace board;

template <typename T> T *BoardView::control(QLatin1String prefix, int number, int first, int last) const
{
    if (number < first || number > last)
        return nullptr;
    return findChild<T *>(prefix + QString::number(number), Qt::FindDirectChildrenOnly);
}

QLabel *BoardView::wordBox(int box) const
{
    return control<QLabel>(QLatin1String("word_"), box, 1, BoxCount);
}

QLabel *BoardView::seatLabel(QLatin1String prefix, int seat) const
{
    return control<QLabel>(prefix, seat, 1, SeatCount);
}

void BoardView::clearAll()
{
    for (int seat = 1; seat <= SeatCount; ++seat) {
        setScore(seat, 0);
        setBonus(seat, QString(), QString());
    }
    clearBoxes(1, BoxCount);
    setRoundWords(QStringLiteral("pan"), QStringLiteral("fun"));
    showWord(1, QStringLiteral("TAN"));
    showWord(2, QStringLiteral("FAN"));
    showWord(3, QStringLiteral("FUN"));
}

void BoardView::clearRound()
{
    for (int seat = 1; seat <= SeatCount; ++seat) {
        setBonus(seat, QString(), QString());
        if (QLabel *count = seatLabel(QLatin1String("label_wordcount"), seat))
            count->clear();
        showCompleted(seat, false);
        showFast(seat, false);
    }
    clearBoxes(1, BoxCount);
    for (int box = 2; box <= BoxCount; ++box) {
        if (QLabel *mark = control<QLabel>(QLatin1String("image_points"), box, 2, BoxCount))
            mark->hide();
    }
}

void BoardView::setRoundWords(const QString &startWord, const QString &endWord)
{
    m_startWord->setText(startWord.toUpper());
    m_endWord->setText(endWord.toUpper());
}

void BoardView::showWord(int box, const QString &word)
{
    if (QLabel *label = wordBox(box))
        label->setText(word);
}

void BoardView::clearBoxes(int firstBox, int lastBox)
{
    for (int box = firstBox; box <= lastBox; ++box) {
        if (QLabel *label = wordBox(box))
            label->clear();
    }
}

QString BoardView::boxWord(int box) const
{
    const QLabel *label = wordBox(box);
    return label ? label->text() : QString();
}

int BoardView::firstEmptyBox() const
{
    for (int box = 1; box <= BoxCount; ++box) {
        if (boxWord(box).isEmpty())
            return box;
    }
    return 0;
}

void BoardView::showBoxBonusMarks(int fromBox)
{
    for (int box = 2; box <= BoxCount; ++box) {
        if (QLabel *mark = control<QLabel>(QLatin1String("image_points"), box, 2, BoxCount))
            mark->setVisible(hasBonusMark(box, fromBox));
    }
}

void BoardView::openWordEntry()
{
    const int box = firstEmptyBox();
    if (box == 0) {
        hideWordEntry();
        return;
    }
    placeWordEntry(box);
    m_entry->clear();
    m_entry->show();
    m_entry->raise();
    // In an inactive window this only makes the box the window's focus widget, so the word typed after
    // clicking back into the game lands here rather than in the chat; it does not raise the window.
    m_entry->setFocus();
}

void BoardView::placeWordEntry(int box)
{
    if (const QLabel *label = wordBox(box))
        m_entry->move(label->pos());
}

void BoardView::hideWordEntry()
{
    m_entry->hide();
}

void BoardView::clearWordEntry()
{
    m_entry->clear();
}

bool BoardView::isWordEntryOpen() const
{
    return !m_entry->isHidden();
}

void BoardView::setSeatName(int seat, const QString &name)
{
    if (QLabel *label = seatLabel(QLatin1String("label_playername"), seat)) {
        label->setText(name);
        label->show();
    }
    if (QLabel *score = seatLabel(QLatin1String("label_score"), seat))
        score->show();
}

void BoardView::setSeatWaiting(int seat)
{
    if (QLabel *label = seatLabel(QLatin1String("label_playername"), seat))
        label->setText(WaitingName);
    showEyes(seat, false);
}

QString BoardView::seatName(int seat) const
{
    const QLabel *label = seatLabel(QLatin1String("label_playername"), seat);
    return label ? label->text() : QString();
}

void BoardView::setScore(int seat, int score)
{
    QLabel *label = seatLabel(QLatin1String("label_score"), seat);
    if (!label)
        return;
    label->setText(QString::number(score));
    // The score's width follows its text, and the bonus sits just after it.
    label->resize(label->fontMetrics().horizontalAdvance(label->text()) + 2, label->height());
    placeBonus(seat);
}

void BoardView::setBonus(int seat, const QString &text, const QString &hint)
{
    QLabel *label = seatLabel(QLatin1String("label_bonus"), seat);
    if (!label)
        return;
    label->setText(text);
    // The hint's lines are written with CR LF; a tool tip wants plain line feeds.
    QString lines = hint;
    label->setToolTip(lines.replace(QLatin1String("\r\n"), QLatin1String("\n")));
    placeBonus(seat);
}

void BoardView::placeBonus(int seat)
{
    const QLabel *score = seatLabel(QLatin1String("label_score"), seat);
    QLabel *bonus = seatLabel(QLatin1String("label_bonus"), seat);
    if (!score || !bonus)
        return;
    const int left = score->x() + score->width() + 4;
    const int width = bonus->fontMetrics().horizontalAdvance(bonus->text()) + 2;
    bonus->setGeometry(left, bonus->y(), width, bonus->height());
}

void BoardView::setWordCount(int seat, int count)
{
    if (QLabel *label = seatLabel(QLatin1String("label_wordcount"), seat))
        label->setText(QString::number(count) + WordCountSuffix);
}

void BoardView::showCompleted(int seat, bool shown)
{
    if (QLabel *mark = seatLabel(QLatin1String("image_completed"), seat))
        mark->setVisible(shown);
}

void BoardView::showFast(int seat, bool shown)
{
    if (QLabel *mark = seatLabel(QLatin1String("image_fast"), seat))
        mark->setVisible(shown);
}

void BoardView::showEyes(int seat, bool shown)
{
    if (QLabel *mark = seatLabel(QLatin1String("image_eyes"), seat))
        mark->setVisible(shown);
}

void BoardView::setPlayTo(int score)
{
    m_playTo->setText(PlayToPrefix + QString::number(score));
}

int BoardView::setTimePerTurn(int seconds)
{
    m_timePerTurn->setText(TimePrefix + QString::number(seconds) + TimeSuffix);
    m_barStep = board::barStep(seconds);
    return m_barStep;
}

void BoardView::setClockSeconds(int secondsLeft)
{
    m_clockText->setText(clockText(secondsLeft));
    m_clockBar->resize(barWidth(secondsLeft, m_barStep), m_clockBar->height());
    m_clockBar->setVisible(m_clockBar->width() > 0);
    const bool calm = clockIsCalm(secondsLeft);
    setCalmLook(m_clockText, calm);
    setCalmLook(m_clockBar, calm);
}

void BoardView::showTimeUp()
{
    m_clockText->setText(clockText(0));
}

void BoardView::setStatus(const QString &text)
{
    m_status->setText(text);
}

void BoardView::setStartButtonVisible(bool visible)
{
    m_startButton->setVisible(visible);
}

void BoardView::showWinner(const QString &text)
{
    // A long name shrinks the banner's letters; a very long one is also cut short.
    const int room = m_winnerPanel->width() - 16;
    QFont font = m_winnerText->font();
    for (int size = 26; size > 14; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(text) <= room)
            break;
    }
    const QString shownText = QFontMetrics(font).elidedText(text, Qt::ElideMiddle, room);
    for (QLabel *label : {m_winnerText, m_winnerShadow}) {
        label->setFont(font);
        label->setText(shownText);
    }
    m_winnerPanel->show();
    m_winnerPanel->raise();
    update();
}

void BoardView::hideWinner()
{
    m_winnerPanel->hide();
    update();
}

} // namespace zz
