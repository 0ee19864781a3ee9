#include "gamestartdialog.h"

#include "client/accessibility/picturecheck.h"
#include "client/board/boardart.h"
#include "ui/tiledlook.h"
#include "client/board/imagebutton.h"
#include "session/wiretext.h"
#include "client/guarded.h"
#include "core/names.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSpinBox>

#include <functional>

namespace zz {

namespace {

constexpr QSize BoxPicture(36, 30);
constexpr int BoxTop = 122;
constexpr int BoxPitch = 33;

// imagelist_box: 0 shows an empty box, 1 a ticked one.
QPixmap boxPicture(int state)
{
    QPixmap pixmap(BoxPicture);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(8.5, 4.5, 21, 21);
    p.setPen(QPen(QColor(0x2f, 0x5d, 0x86), 1.5));
    p.setBrush(state ? QColor(0xe3, 0xf6, 0xdc) : QColor(255, 255, 255, 220));
    p.drawRoundedRect(frame, 4, 4);
    if (state) {
        QPainterPath tick;
        tick.moveTo(12, 15);
        tick.lineTo(17, 21);
        tick.lineTo(30, 4);
        p.setPen(QPen(QColor(0x1b, 0x8a, 0x2f), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    return pixmap;
}

// A check box that is only its picture; a click or Space toggles it. Only Tab
// brings the focus, so a click leaves it where the player was typing.
class LetterBox : public QLabel
{
public:
    explicit LetterBox(QWidget *parent) : QLabel(parent)
    {
        setFocusPolicy(Qt::TabFocus);
        setProperty(PictureCheckProperty, true);
    }
    std::function<void()> clicked;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && clicked)
            guarded(clicked);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
            QLabel::keyPressEvent(event);
            return;
        }
        if (!event->isAutoRepeat() && clicked)
            guarded(clicked);
    }
    void paintEvent(QPaintEvent *event) override
    {
        QLabel::paintEvent(event);
        if (hasFocus()) {
            QPainter p(this);
            p.setPen(QPen(QColor(0x2f, 0x5d, 0x86), 1, Qt::DotLine));
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
};

QLabel *makeText(QWidget *parent, std::string_view text, const QRect &place, bool bold = true)
{
    auto *label = new QLabel(fromAscii(text), parent);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    font.setBold(bold);
    label->setFont(font);
    label->setGeometry(place);
    return label;
}

// The number is changed only by the arrows, in whole steps, and never wraps.
QSpinBox *makeUpDown(QWidget *parent, const QString &name, const QString &editName, std::string_view caption, int min,
                     int max, int step, int value)
{
    auto *upDown = new QSpinBox(parent);
    upDown->setObjectName(name);
    // Spoken without the caption's colon.
    const QString spoken = fromAscii(caption).remove(QLatin1Char(':'));
    upDown->setAccessibleName(spoken);
    upDown->setRange(min, max);
    upDown->setSingleStep(step);
    upDown->setValue(value);
    upDown->setWrapping(false);
    upDown->setGroupSeparatorShown(false);
    upDown->setAlignment(Qt::AlignRight);
    // The box's own edit is the read-only number field beside the arrows.
    if (auto *edit = upDown->findChild<QLineEdit *>()) {
        edit->setObjectName(editName);
        edit->setAccessibleName(spoken);
        edit->setReadOnly(true);
    }
    return upDown;
}

} // namespace

GameStartDialog::GameStartDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("gamestart"));
    setWindowTitle(fromAscii(caption::GameStart));
    setModal(false);
    setFixedSize(257, 273);
    buildSettings();
    buildLetterBoxes();

    auto *start = new ImageButton(this);
    start->setObjectName(QStringLiteral("button_start"));
    start->setAccessibleName(fromAscii(label::StartGame));
    const QSize size(150, 42);
    start->setPictures(size, [size](board::ButtonLook look) { return board::startButtonPicture(size, look); });
    start->setGeometry(QRect(QPoint((width() - size.width()) / 2, 224), size));
    start->setFocusPolicy(Qt::TabFocus); // last in the Tab order, after the letter boxes
    connect(start, &ImageButton::clicked, this, [this] { guarded([this] { buttonStartClick(); }); });
}

void GameStartDialog::buildSettings()
{
    QLabel *title = makeText(this, label::GameOptions, QRect(0, 6, width(), 24));
    title->setAlignment(Qt::AlignCenter);
    QFont big = title->font();
    big.setPixelSize(18);
    title->setFont(big);

    makeText(this, label::PlayToScore, QRect(16, 40, 110, 24));
    m_playTo = makeUpDown(this, QStringLiteral("UpDown1"), QStringLiteral("edit_playtoscore"), label::PlayToScore, MinPlayTo, MaxPlayTo,
                          PlayToStep, DefaultPlayTo);
    m_playTo->setGeometry(128, 40, 84, 24);

    makeText(this, label::TimePerTurn, QRect(16, 72, 110, 24));
    m_time = makeUpDown(this, QStringLiteral("UpDown2"), QStringLiteral("edit_time"), label::TimePerTurn, MinTime, MaxTime, TimeStep,
                        DefaultTime);
    m_time->setGeometry(128, 72, 64, 24);
    makeText(this, label::Secs, QRect(198, 72, 40, 24), false);

    QLabel *select = makeText(this, label::SelectOne, QRect(0, 100, width(), 20), false);
    select->setAlignment(Qt::AlignCenter);
}

void GameStartDialog::buildLetterBoxes()
{
    for (int box = 1; box <= LetterBoxCount; ++box) {
        const int top = BoxTop + BoxPitch * (box - 1);
        auto *picture = new LetterBox(this);
        picture->setObjectName(QStringLiteral("image_gt%1").arg(box));
        picture->setAccessibleName(fromAscii(label::LetterWords[box - 1]));
        picture->setGeometry(QRect(QPoint(52, top), BoxPicture));
        picture->setCursor(Qt::PointingHandCursor);
        picture->clicked = [this, box] { toggleBox(box); };
        setBoxState(picture, 1);
        makeText(this, label::LetterWords[box - 1], QRect(92, top + 3, 140, 24));
    }
}

void GameStartDialog::keyPressEvent(QKeyEvent *event)
{
    // START GAME is no push button, so the dialog has no default button to take Enter.
    const bool enter = (event->key() == Qt::Key_Return && event->modifiers() == Qt::NoModifier)
                       || (event->key() == Qt::Key_Enter && (event->modifiers() | Qt::KeypadModifier) == Qt::KeypadModifier);
    if (enter) {
        if (auto *start = findChild<ImageButton *>(QStringLiteral("button_start"), Qt::FindDirectChildrenOnly))
            start->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void GameStartDialog::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawTiledPixmap(rect(), ui::backgroundTile());
}

int GameStartDialog::playToScore() const
{
    return m_playTo->value();
}

void GameStartDialog::setPlayToScore(int score)
{
    m_playTo->setValue(score);
}

int GameStartDialog::timePerTurn() const
{
    return m_time->value();
}

void GameStartDialog::setTimePerTurn(int seconds)
{
    m_time->setValue(seconds);
}

QLabel *GameStartDialog::letterBox(int box) const
{
    if (box < 1 || box > LetterBoxCount)
        return nullptr;
    return findChild<QLabel *>(QStringLiteral("image_gt%1").arg(box), Qt::FindDirectChildrenOnly);
}

int GameStartDialog::boxState(int box) const
{
    const QLabel *picture = letterBox(box);
    return picture ? picture->property("state").toInt() : 0;
}

void GameStartDialog::setBoxState(QLabel *box, int state)
{
    // The state lives with its picture, as the box's tag.
    box->setProperty("state", state);
    box->setPixmap(boxPicture(state));
    pictureCheckChanged(box);
}

void GameStartDialog::changeBox(const QString &name, int state)
{
    if (state != 0 && state != 1)
        return;
    for (int box = 1; box <= LetterBoxCount; ++box) {
        if (QLabel *picture = letterBox(box); picture && picture->objectName() == name)
            setBoxState(picture, state);
    }
}

void GameStartDialog::toggleBox(int box)
{
    if (QLabel *picture = letterBox(box))
        setBoxState(picture, boxState(box) == 0 ? 1 : 0);
}

void GameStartDialog::buttonStartClick()
{
    if (boxState(1) != 1 && boxState(2) != 1 && boxState(3) != 1) {
        auto *box = new QMessageBox(QMessageBox::Information, fromAscii(ApplicationTitle),
                                    fromAscii(message::NoLetterCount), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    Q_EMIT startRequested(playToScore(), timePerTurn(), boxState(1) == 1, boxState(2) == 1, boxState(3) == 1);
    hide();
}

} // namespace zz
