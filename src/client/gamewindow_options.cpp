#include "gamewindow.h"

#include "client/board/boardview.h"
#include "client/chat/chatview.h"
#include "client/computerplayers.h"
#include "session/wiretext.h"
#include "session/clientsession.h"
#include "client/gametable.h"
#include "client/guarded.h"
#include "core/chatline.h"
#include "social/phrasecolumn.h"
#include "social/phrasesdialog.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace zz {

namespace {

} // namespace

QAction *GameWindow::addOption(QMenu &menu, std::string_view label, const char *name, bool checked)
{
    QAction *action = menu.addAction(fromAscii(label));
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

void GameWindow::buildOptionsMenu(QMenu &options)
{
    options.addSeparator();
    QMenu *speeds = options.addMenu(fromAscii(optionlabel::BotSpeed));
    speeds->setObjectName(QStringLiteral("BotSpeed1"));
    m_botSpeeds = new QActionGroup(this);
    const struct
    {
        std::string_view label;
        const char *name;
        int tag;
    } speedEntries[] = {{optionlabel::Slow, "Slow1", BotSpeedSlow},
                        {optionlabel::Normal, "Normal1", BotSpeedNormal},
                        {optionlabel::Fast, "Fast1", BotSpeedFast}};
    for (const auto &entry : speedEntries) {
        QAction *action = addOption(*speeds, entry.label, entry.name, entry.tag == m_botSpeed);
        action->setData(entry.tag);
        m_botSpeeds->addAction(action);
        connect(action, &QAction::triggered, this, [this, tag = entry.tag] {
            setBotSpeed(tag);
            saveIniFile();
        });
    }

    QAction *reset = options.addAction(fromAscii(optionlabel::ResetScreenLocation));
    reset->setObjectName(QStringLiteral("ResetScreenLocation1"));
    connect(reset, &QAction::triggered, this, &GameWindow::resetScreenLocation);

    options.addSeparator();
    m_playSounds = addOption(options, optionlabel::PlaySounds, "PlaySounds1", true);
    connect(m_playSounds, &QAction::toggled, this, [this](bool on) { m_eventSounds.setOn(on); });
    connect(m_playSounds, &QAction::triggered, this, &GameWindow::saveIniFile);
    m_playerPhraseSounds = addOption(options, optionlabel::PlayerPhraseSounds, "PlayerPhraseSounds1", true);
    connect(m_playerPhraseSounds, &QAction::triggered, this, &GameWindow::saveIniFile);

    QMenu *turnSounds = options.addMenu(fromAscii(optionlabel::TurnSound));
    turnSounds->setObjectName(QStringLiteral("TurnSound1"));
    m_turnSounds = new QActionGroup(this);
    const struct
    {
        std::string_view label;
        const char *name;
        int tag;
    } turnEntries[] = {{optionlabel::Classic, "Classic1", 0}, {optionlabel::New, "New1", 1}};
    for (const auto &entry : turnEntries) {
        QAction *action = addOption(*turnSounds, entry.label, entry.name, entry.tag == m_turnSound);
        action->setData(entry.tag);
        m_turnSounds->addAction(action);
        connect(action, &QAction::triggered, this, [this, tag = entry.tag] {
            setTurnSound(tag);
            saveIniFile();
        });
    }
}

void GameWindow::setBotSpeed(int milliseconds)
{
    m_botSpeed = milliseconds;
    for (QAction *entry : m_botSpeeds->actions())
        entry->setChecked(entry->data().toInt() == milliseconds);
    m_computers->setInterval(milliseconds);
}

void GameWindow::setTurnSound(int value)
{
    m_turnSound = value;
    for (QAction *entry : m_turnSounds->actions())
        entry->setChecked(entry->data().toInt() == value);
    m_table->setTurnSound(value);
}

void GameWindow::resetScreenLocation()
{
    move(DefaultBounds.topLeft());
    resize(DefaultBounds.size());
}

// ---- phrases and chatter sounds -------------------------------------------------

void GameWindow::phraseAction(const QString &line)
{
    m_session->sendAction(line, fromAscii(colourToText(m_chat->textColour())));
}

void GameWindow::soundRequested(int seat, const QString &name)
{
    const QString lower = name.toLower();
    if (m_playerPhraseSounds->isChecked()) {
        if (m_sounds)
            m_sounds->play(toWire(lower));
        return;
    }
    // Only a seat with a name label on the board, and only a sound of the menu.
    const int sound = PhraseColumn::chatterNumber(lower);
    if (seat < 1 || seat > PlayerSeatCount || sound == 0)
        return;
    m_chat->addDecodedLine(fromAscii(line::SystemPrefix) + m_board->seatName(seat) + fromAscii(chatter::LineInfix)
                               + PhraseColumn::chatterCaption(sound),
                           SystemLineColour);
}

void GameWindow::openPhrases()
{
    if (!m_companions.phrases)
        return;
    m_companions.phrases->setPhrases(m_phrases->phrases());
    m_companions.phrases->show();
    m_companions.phrases->raise();
    m_companions.phrases->activateWindow();
}

void GameWindow::phrasesConfirmed(const QStringList &phrases)
{
    std::array<std::string, PhraseKeyCount> stored{};
    for (int number = 1; number <= PhraseColumn::PhraseCount; ++number) {
        m_phrases->setPhrase(number, phrases.value(number - 1));
        stored[static_cast<std::size_t>(number - 1)] = toWire(phrases.value(number - 1));
    }
    updateSettingsFile([&](IniFile &ini) { writePhrases(ini, stored); });
}

} // namespace zz
