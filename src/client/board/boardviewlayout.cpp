// How the board is put together and painted; what it shows is in boardview.cpp.
#include "boardview.h"

#include "boardart.h"
#include "ui/tiledlook.h"
#include "boardrules.h"
#include "imagebutton.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

namespace zz {

using namespace board;

namespace {

constexpr int SeatTop = 43;
constexpr int SeatPitch = 40;
constexpr int MarkLeft = 611;
constexpr int ScoreLeft = 635;
constexpr int WordCountLeft = 719;
constexpr QRect ClockBarRect(426, 35, BarFullWidth, 22);
constexpr QRect LadderPanel(6, 70, 594, 164);
constexpr QRect SeatPanel(603, 8, 168, 279);

// Property selectors instead of one style per control: twenty boxes share a look.
const char BoardStyle[] = R"(
QLabel[look="box"] {
    color: black; border: 1px solid #9aacbd; border-radius: 7px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e9eff5);
}
QLabel#label_word1 {
    color: #173d12; border: 2px solid #5c9a4e; border-radius: 11px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f1fbec, stop:1 #c3e6b6);
}
QLabel#label_word2 {
    color: #5a2408; border: 2px solid #c07a44; border-radius: 11px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff1e4, stop:1 #f5c59c);
}
QLineEdit#edit_word {
    color: black; border: 2px solid #2f7fd0; border-radius: 7px; padding: 0px;
    background: #fffdf2; selection-background-color: #9cc8f2;
}
QLabel[look="name"] { color: #15324a; }
QLabel[look="score"] { color: #0f2a40; }
QLabel[look="small"] { color: #35536b; }
QLabel[look="setting"] { color: #1d3b52; }
QLabel#label_timer { border-radius: 9px; }
QLabel#label_timer[calm="true"] { color: rgb(224, 227, 157); background: rgba(18, 42, 62, 165); }
QLabel#label_timer[calm="false"] { color: black; background: rgba(255, 255, 255, 200); }
QLabel#image_timer { border-radius: 6px; }
QLabel#image_timer[calm="true"] {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6fd3c9, stop:0.5 #2a9d8f, stop:1 #1d6f66);
}
QLabel#image_timer[calm="false"] {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffb36b, stop:0.5 #e8590c, stop:1 #b23a06);
}
QLabel#label_status {
    color: #14304a; border-radius: 9px; background: rgba(255, 255, 255, 170);
}
QWidget#panel_winner {
    border: 2px solid #e0b03c; border-radius: 14px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #b3262b, stop:0.55 #8c141b, stop:1 #5e0b10);
}
QLabel#label_winner1 { color: #ffe07a; background: transparent; }
QLabel#label_winner2 { color: rgba(0, 0, 0, 170); background: transparent; }
)";

QFont boardFont(int pixelSize, bool bold = true)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &place, const QFont &font,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(align);
    // Names and words come from other players: never read them as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Gives a mark its picture when it first shows: most marks stay hidden all game.
class PictureOnShow : public QObject
{
public:
    PictureOnShow(QLabel *mark, QPixmap (*paint)(int), int value) : QObject(mark), m_paint(paint), m_value(value)
    {
        mark->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            static_cast<QLabel *>(watched)->setPixmap(m_paint(m_value));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QPixmap (*m_paint)(int);
    int m_value;
};

QLabel *makeMark(QWidget *parent, const QString &name, const QRect &place, QPixmap (*paint)(int), int value = 0)
{
    auto *mark = new QLabel(parent);
    mark->setObjectName(name);
    mark->setGeometry(place);
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->hide();
    new PictureOnShow(mark, paint, value);
    return mark;
}

QString numbered(const char *prefix, int number)
{
    return QLatin1String(prefix) + QString::number(number);
}

void paintShadow(QPainter &p, const QRect &rect, qreal radius)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 45, 70, 22));
    p.drawRoundedRect(QRectF(rect).adjusted(-1, 0, 1, 4), radius + 1, radius + 1);
    p.setBrush(QColor(20, 45, 70, 38));
    p.drawRoundedRect(QRectF(rect).translated(1, 2), radius, radius);
}

} // namespace

BoardView::BoardView(QWidget *parent) : QWidget(parent)
{
    setFixedSize(BoardWidth, BoardHeight);
    setStyleSheet(QString::fromLatin1(BoardStyle));
    buildWords();
    buildSeats();
    buildClock();
    buildStatus();
    buildWinner();
    clearAll();
}

void BoardView::buildWords()
{
    m_startWord =
        makeLabel(this, QStringLiteral("label_word1"), QRect(11, 16, 156, 51), boardFont(30), Qt::AlignCenter);
    m_endWord =
        makeLabel(this, QStringLiteral("label_word2"), QRect(440, 239, 156, 51), boardFont(30), Qt::AlignCenter);
    for (int box = 1; box <= BoxCount; ++box) {
        QLabel *label = makeLabel(this, numbered("word_", box), boxRect(box), boardFont(21), Qt::AlignCenter);
        label->setProperty("look", QStringLiteral("box"));
    }
    for (int box = 2; box <= BoxCount; ++box) {
        const QRect over = boxRect(box);
        const QRect place(over.left() + (over.width() - 47) / 2, over.top() + 4, 47, 26);
        makeMark(this, numbered("image_points", box), place, boxBonusBadge, emptyBoxValue(box));
    }

    m_entry = new QLineEdit(this);
    m_entry->setObjectName(QStringLiteral("edit_word"));
    m_entry->setAccessibleName(QStringLiteral("Your next word"));
    m_entry->setFont(boardFont(21));
    m_entry->setMaxLength(5);
    m_entry->setAlignment(Qt::AlignCenter);
    m_entry->setGeometry(QRect(boxRect(1).topLeft(), QSize(110, 34)));
    m_entry->hide();
    connect(m_entry, &QLineEdit::returnPressed, this, [this] { Q_EMIT wordEntered(m_entry->text()); });

    m_startButton = new ImageButton(this);
    m_startButton->setObjectName(QStringLiteral("button_start"));
    m_startButton->setAccessibleName(latin1(label::StartGame));
    m_startButton->setFocusPolicy(Qt::TabFocus);
    const QSize buttonSize(164, 46);
    m_startButton->setPictures(buttonSize,
                               [buttonSize](ButtonLook look) { return startButtonPicture(buttonSize, look); });
    m_startButton->setGeometry(QRect(QPoint(248, 16), buttonSize));
    connect(m_startButton, &ImageButton::clicked, this, &BoardView::startClicked);
}

void BoardView::buildSeats()
{
    m_playTo = makeLabel(this, QStringLiteral("label_playtoscore"), QRect(610, 16, 160, 18), boardFont(13));
    m_playTo->setProperty("look", QStringLiteral("setting"));
    for (int seat = 1; seat <= SeatCount; ++seat)
        buildSeat(seat);
}

void BoardView::buildSeat(int seat)
{
    const int top = SeatTop + SeatPitch * (seat - 1);
    const int lower = top + 19;

    // The name starts in line with the score; the mark column on its left holds
    // the eyes beside the name and the results marks beside the score.
    QLabel *name = makeLabel(this, numbered("label_playername", seat), QRect(610, top, 162, 18), boardFont(14));
    name->setIndent(ScoreLeft - 610);
    name->setProperty("look", QStringLiteral("name"));
    name->setToolTip(quietName(seat));
    name->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(name, &QLabel::customContextMenuRequested, this,
            [this, name, seat](const QPoint &at) { Q_EMIT seatMenuRequested(seat, name->mapToGlobal(at)); });

    makeLabel(this, numbered("label_score", seat), QRect(ScoreLeft, lower, 30, 18), boardFont(14))
        ->setProperty("look", QStringLiteral("score"));
    makeLabel(this, numbered("label_bonus", seat), QRect(ScoreLeft + 34, lower, 46, 18), boardFont(11, false))
        ->setProperty("look", QStringLiteral("small"));
    QLabel *count = makeLabel(this, numbered("label_wordcount", seat),
                              QRect(WordCountLeft, lower, BoardWidth - WordCountLeft - 3, 18), boardFont(11),
                              Qt::AlignRight | Qt::AlignVCenter);
    count->setProperty("look", QStringLiteral("small"));
    count->setText(InitialWordCount);

    const QRect markPlace(MarkLeft, lower, 23, 19);
    makeMark(this, numbered("image_completed", seat), markPlace, [](int) { return completedMark(); });
    makeMark(this, numbered("image_fast", seat), markPlace, [](int) { return fastMark(); });
    makeMark(this, numbered("image_eyes", seat), QRect(MarkLeft, top + 4, 23, 10), [](int) { return eyesMark(); });
    setSeatWaiting(seat);
}

void BoardView::buildClock()
{
    m_timePerTurn = makeLabel(this, QStringLiteral("label_timeperturn"), QRect(426, 15, 176, 18), boardFont(13),
                              Qt::AlignRight | Qt::AlignVCenter);
    m_timePerTurn->setProperty("look", QStringLiteral("setting"));
    m_clockBar = makeLabel(this, QStringLiteral("image_timer"), ClockBarRect, boardFont(10));
    m_clockText =
        makeLabel(this, QStringLiteral("label_timer"), QRect(430, 37, 87, 19), boardFont(13), Qt::AlignCenter);
    setClockSeconds(0);
}

void BoardView::buildStatus()
{
    m_status = makeLabel(this, QStringLiteral("label_status"), QRect(4, 255, 425, 19), boardFont(13), Qt::AlignCenter);
    m_status->setText(WelcomeText);
}

void BoardView::buildWinner()
{
    m_winnerPanel = new QWidget(this);
    m_winnerPanel->setObjectName(QStringLiteral("panel_winner"));
    m_winnerPanel->setAttribute(Qt::WA_StyledBackground);
    m_winnerPanel->setGeometry(83, 128, 449, 41);
    const QRect inside(0, 0, 449, 41);
    m_winnerShadow = makeLabel(m_winnerPanel, QStringLiteral("label_winner2"), inside.translated(2, 2), boardFont(26),
                               Qt::AlignCenter);
    m_winnerText = makeLabel(m_winnerPanel, QStringLiteral("label_winner1"), inside, boardFont(26), Qt::AlignCenter);
    m_winnerPanel->hide();
}

void BoardView::setCalmLook(QWidget *widget, bool calm)
{
    if (widget->property("calm").isValid() && widget->property("calm").toBool() == calm)
        return;
    widget->setProperty("calm", calm);
    // A changed property only restyles after a fresh polish.
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

void BoardView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawTiledPixmap(rect(), ui::backgroundTile());
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.setBrush(QColor(255, 255, 255, 80));
    p.drawRoundedRect(QRectF(LadderPanel).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    p.drawRoundedRect(QRectF(SeatPanel).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    for (int seat = 1; seat <= SeatCount; seat += 2)
        p.drawRoundedRect(
            QRect(SeatPanel.left() + 4, SeatTop + SeatPitch * (seat - 1) - 2, SeatPanel.width() - 8, SeatPitch - 1), 7,
            7);

    for (int box = 1; box <= BoxCount; ++box)
        paintShadow(p, boxRect(box), 7);
    paintShadow(p, m_startWord->geometry(), 11);
    paintShadow(p, m_endWord->geometry(), 11);
    if (m_winnerPanel->isVisible())
        paintShadow(p, m_winnerPanel->geometry().adjusted(-2, -1, 2, 3), 14);

    QLinearGradient track(ClockBarRect.topLeft(), ClockBarRect.bottomLeft());
    track.setColorAt(0, QColor(0x9c, 0xae, 0xbd));
    track.setColorAt(1, QColor(0xc9, 0xd5, 0xdf));
    p.setPen(QPen(QColor(0x6f, 0x86, 0x99), 1));
    p.setBrush(track);
    p.drawRoundedRect(QRectF(ClockBarRect).adjusted(-0.5, -0.5, 0.5, 0.5), 6, 6);
}

} // namespace zz
