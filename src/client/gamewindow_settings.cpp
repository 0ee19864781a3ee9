// The main window's side of the settings file: what the controls show is read
// from and written to it here; the rules for its values live in the store.
#include "gamewindow.h"

#include "client/chat/chatview.h"
#include "session/wiretext.h"
#include "client/gamestartdialog.h"
#include "client/gametable.h"
#include "client/guarded.h"
#include "social/phrasecolumn.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <utility>
#include <vector>

namespace zz {

namespace {

QString pathText(const std::filesystem::path &path)
{
    return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

// The screens' work areas, the primary first.
std::vector<WindowBounds> workAreas()
{
    std::vector<WindowBounds> areas;
    QList<QScreen *> screens = QGuiApplication::screens();
    if (QScreen *primary = QGuiApplication::primaryScreen())
        screens.move(std::max<qsizetype>(0, screens.indexOf(primary)), 0);
    for (const QScreen *screen : std::as_const(screens)) {
        const QRect work = screen->availableGeometry();
        areas.push_back({work.top(), work.left(), work.width(), work.height()});
    }
    return areas;
}

} // namespace

void GameWindow::loadIniFile()
{
    if (m_settingsPath.empty())
        return;
    // A file that cannot be read gives the defaults; saving will then say so.
    applySettings(readSettings(readIniFile(m_settingsPath).value_or(IniFile())));
    m_settingsLoaded = true;
}

void GameWindow::applySettings(const LoadedSettings &s)
{
    m_chat->setTextSize(s.textSize);
    m_rememberedBounds = s.bounds;
    // A screen unplugged since the last run must not leave the title bar out of reach.
    const WindowBounds shown = boundsOnAWorkArea(s.bounds, workAreas());
    move(shown.left, shown.top);
    resize(shown.width, shown.height);
    m_chat->setTextColour(s.textColour);
    if (GameStartDialog *options = m_companions.gameStart) {
        if (s.playTo)
            options->setPlayToScore(*s.playTo);
        if (s.timePerTurn)
            options->setTimePerTurn(*s.timePerTurn);
        for (int box = 1; box <= GameStartDialog::LetterBoxCount; ++box) {
            if (const auto state = s.letterBoxes[static_cast<std::size_t>(box - 1)])
                options->changeBox(QStringLiteral("image_gt%1").arg(box), *state);
        }
    }
    setBotSpeed(s.botSpeed);
    setTurnSound(s.turnSound);
    for (int number = 1; number <= PhraseColumn::PhraseCount; ++number) {
        const std::string &phrase = s.phrases[static_cast<std::size_t>(number - 1)];
        if (!phrase.empty())
            m_phrases->setPhrase(number, fromWire(phrase));
    }
    m_playSounds->setChecked(s.playSounds);
    m_playerPhraseSounds->setChecked(s.playerPhraseSounds);
}

WindowBounds GameWindow::currentBounds() const
{
    // Position of the frame and size of the window, as move() and resize() take them.
    return {y(), x(), width(), height()};
}

SavedSettings GameWindow::currentSettings() const
{
    SavedSettings s;
    s.textSize = m_chat->textSize();
    s.bounds = currentBounds();
    s.textColour = m_chat->textColour();
    if (const GameStartDialog *options = m_companions.gameStart) {
        s.playTo = options->playToScore();
        s.timePerTurn = options->timePerTurn();
        for (int box = 1; box <= GameStartDialog::LetterBoxCount; ++box)
            s.letterBoxes[static_cast<std::size_t>(box - 1)] = options->boxState(box);
    }
    s.botSpeed = m_botSpeed;
    s.turnSound = m_turnSound;
    s.playerPhraseSounds = m_playerPhraseSounds->isChecked();
    s.playSounds = m_playSounds->isChecked();
    return s;
}

void GameWindow::saveIniFile()
{
    saveSettings(currentBounds());
}

void GameWindow::saveSettings(const WindowBounds &bounds)
{
    SavedSettings s = currentSettings();
    s.bounds = bounds;
    if (m_settingsLoaded) {
        updateSettingsFile([&](IniFile &ini) { writeSettings(ini, s); });
        return;
    }
    // Before the file was read the controls hold built-in values; writing them
    // would replace the player's stored choices. Only what the player changed
    // since is written, so the load brings the choice back instead of undoing it.
    s.bounds = m_choicesBeforeLoad.bounds;
    if (s == m_choicesBeforeLoad)
        return;
    const SavedSettings before = std::exchange(m_choicesBeforeLoad, s);
    updateSettingsFile([&](IniFile &ini) { writeChangedSettings(ini, before, s); });
}

bool GameWindow::updateSettingsFile(const std::function<void(IniFile &)> &change)
{
    if (m_settingsPath.empty())
        return false;
    if (updateIniFile(m_settingsPath, change))
        return true;
    reportError(fromAscii(setting::UnableToWrite).replace(QStringLiteral("%s"), pathText(m_settingsPath)));
    return false;
}

void GameWindow::closeRule()
{
    if (!m_settingsLoaded)
        return;
    const QScreen *shownOn = screen();
    const QRect work = shownOn ? shownOn->availableGeometry() : QRect(0, 0, width(), height());
    const auto bounds = boundsToSave(currentBounds(), m_rememberedBounds, work.width(), work.height());
    if (!bounds)
        return;
    m_rememberedBounds = *bounds;
    saveSettings(*bounds);
}

} // namespace zz
