#include "phrasecolumn.h"

#include "session/wiretext.h"
#include "core/names.h"
#include "ui/focuslook.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QVBoxLayout>

namespace zz {

namespace {

// A speech bubble with the button's number; button 10 gets a note instead.
QPixmap buttonPicture(int number)
{
    QPixmap picture(PhraseColumn::ButtonWidth - 4, PhraseColumn::ButtonHeight - 4);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bubble(0.5, 0.5, picture.width() - 1.0, picture.height() - 4.0);
    QPainterPath path;
    path.addRoundedRect(bubble, 4, 4);
    path.moveTo(4, bubble.bottom());
    path.lineTo(3, picture.height() - 0.5);
    path.lineTo(9, bubble.bottom());
    painter.setPen(QPen(QColor(0x30, 0x30, 0x60), 1));
    painter.setBrush(number == 10 ? QColor(0xff, 0xe0, 0x80) : QColor(0xd8, 0xe8, 0xff));
    painter.drawPath(path.simplified());
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(bubble, Qt::AlignCenter, number == 10 ? QStringLiteral("\u266a") : QString::number(number));
    return picture;
}

} // namespace

PhraseColumn::PhraseColumn(QWidget *parent)
    : QWidget(parent)
{
    m_elapsed.start();
    m_clock = [this] { return m_elapsed.elapsed(); };

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    for (int number = 1; number <= PhraseCount + 1; ++number) {
        auto *b = new QToolButton(this);
        b->setObjectName(QStringLiteral("b_phrase%1").arg(number));
        b->setFixedSize(ButtonWidth, ButtonHeight);
        b->setAutoRaise(true);
        b->setIcon(buttonPicture(number));
        b->setIconSize(QSize(ButtonWidth - 4, ButtonHeight - 4));
        b->setFocusPolicy(Qt::TabFocus);
        ui::showFocus(*b);
        // Alt+1 .. Alt+9 for the phrases, Alt+0 for the sounds: no letter is taken from the boxes.
        const int digit = number <= PhraseCount ? number : 0;
        b->setShortcut(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(Qt::Key_0 + digit)));
        column->addWidget(b);
        if (number <= PhraseCount) {
            setPhrase(number, fromAscii(BuiltInPhrases[number - 1]));
            connect(b, &QToolButton::clicked, this, [this, number] { phraseClicked(number); });
        } else {
            b->setToolTip(fromAscii(chatter::ButtonHint));
            b->setAccessibleName(fromAscii(chatter::ButtonHint));
            m_soundButton = b;
            connect(b, &QToolButton::clicked, this, &PhraseColumn::openSoundMenu);
            // The other mouse buttons open the menu too, on release, as a click would.
            b->installEventFilter(this);
        }
    }
    column->addStretch(1);
    setFixedWidth(ButtonWidth);
    buildSoundMenu();
}

void PhraseColumn::buildSoundMenu()
{
    m_soundMenu = new QMenu(this);
    m_soundMenu->setObjectName(QStringLiteral("popup_sounds"));
    QAction *cancel = m_soundMenu->addAction(fromAscii(chatter::Cancel));
    cancel->setObjectName(QStringLiteral("Cancel1"));
    cancel->setData(0);
    for (int n = 1; n <= chatter::Count; ++n) {
        QAction *entry = m_soundMenu->addAction(chatterCaption(n));
        entry->setObjectName(QStringLiteral("wave%1").arg(n));
        entry->setToolTip(entry->text());
        entry->setData(n);
    }
    connect(m_soundMenu, &QMenu::triggered, this, [this](QAction *entry) {
        const int n = entry->data().toInt();
        if (n >= 1 && n <= chatter::Count)
            Q_EMIT chatterRequested(n);
    });
}

QToolButton *PhraseColumn::button(int number) const
{
    if (number < 1 || number > PhraseCount)
        return nullptr;
    return findChild<QToolButton *>(QStringLiteral("b_phrase%1").arg(number));
}

QString PhraseColumn::phrase(int number) const
{
    const QToolButton *b = button(number);
    return b ? b->toolTip() : QString();
}

void PhraseColumn::setPhrase(int number, const QString &phrase)
{
    if (QToolButton *b = button(number)) {
        b->setToolTip(phrase);
        b->setAccessibleName(fromAscii(label::PhraseButton) + QString::number(number) + QStringLiteral(": ") + phrase);
    }
}

QStringList PhraseColumn::phrases() const
{
    QStringList all;
    for (int number = 1; number <= PhraseCount; ++number)
        all << phrase(number);
    return all;
}

void PhraseColumn::phraseClicked(int number)
{
    if (!button(number))
        return;
    const qint64 now = m_clock();
    if (m_lastSent && now - *m_lastSent < CoolDownMs)
        return;
    m_lastSent = now;
    Q_EMIT actionRequested(actionText(phrase(number)));
}

void PhraseColumn::openSoundMenu()
{
    const QPoint corner(m_soundButton->width(), m_soundButton->height());
    m_soundMenu->popup(m_soundButton->mapToGlobal(corner));
}

bool PhraseColumn::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_soundButton && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton && m_soundButton->rect().contains(mouse->position().toPoint()))
            openSoundMenu();
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

QString PhraseColumn::actionText(const QString &phrase)
{
    const QString me = fromAscii(MeCommand);
    if (phrase.startsWith(me))
        return phrase.mid(me.size());
    return fromAscii(SaysPrefix) + phrase;
}

int PhraseColumn::chatterNumber(const QString &soundName)
{
    const QString lower = soundName.toLower();
    const QString prefix = fromAscii(chatter::SoundPrefix);
    if (!lower.startsWith(prefix))
        return 0;
    const QString digits = lower.mid(prefix.size());
    // Only the names the menu itself makes: no sign, blank or leading zero.
    if (digits.isEmpty() || digits.front() == QLatin1Char('0'))
        return 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    }
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok && n >= 1 && n <= chatter::Count ? n : 0;
}

QString PhraseColumn::chatterCaption(int number)
{
    if (number < 1 || number > chatter::Count)
        return {};
    return fromAscii(chatter::Captions[number - 1]);
}

} // namespace zz
