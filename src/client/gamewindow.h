#pragma once
// The main window: it reads the launch parameters, hosts or joins, and wires
// the session to the views and dialogs. It decides nothing about the game.
#include "core/names.h"
#include "social/soundplayer.h"
#include "store/settings.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QMenu;
class QMessageBox;

namespace zz {

class AboutDialog;
class BoardView;
class ChatView;
class ClientSession;
class ComputerPlayers;
class DailyWindow;
class PlayWithOthersDialog;
class GameStartDialog;
class GameTable;
class HelpWindow;
class LadderDialog;
class PhraseColumn;
class PhrasesDialog;
class SpyListWindow;
class StreamSocket;
class TallyWindow;
class WatchControls;

class GameWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Starts the host listening on the game port; throws SocketError.
    using HostStarter = std::function<void()>;

    // The windows created after this one; any may be missing.
    struct Companions
    {
        QPointer<AboutDialog> about;
        QPointer<PlayWithOthersDialog> download;   // "Play With Others", shown at a solo start
        QPointer<GameStartDialog> gameStart;
        QPointer<HelpWindow> help;
        QPointer<PhrasesDialog> phrases;
        QPointer<SpyListWindow> spyList;
        QPointer<TallyWindow> tally;
        QPointer<LadderDialog> ladder;
        QPointer<DailyWindow> daily{};             // the daily ladder, played alone; may be left out
    };

    static constexpr QRect DefaultBounds{3, 3, 775, 575};
    // The whole board, and a few lines of chat below it. A saved size below
    // it grows to it.
    static constexpr QSize MinimumClientSize{775, 530};

    // params: the launch parameters without the program name.
    explicit GameWindow(QStringList params, QWidget *parent = nullptr);
    ~GameWindow() override;

    void setHostStarter(HostStarter start) { m_startHost = std::move(start); }
    void setGamePort(std::uint16_t port) { m_gamePort = port; }
    void setLobbyPort(std::uint16_t port) { m_lobbyPort = port; }
    // Without a path (the default) settings are neither read nor written.
    void setSettingsPath(std::filesystem::path path) { m_settingsPath = std::move(path); }
    const std::filesystem::path &settingsPath() const { return m_settingsPath; }
    void setCompanions(const Companions &companions);
    // Replaces the player of the game's sounds (the window keeps it).
    void setSoundPlayer(std::unique_ptr<SoundPlayer> sounds);

    ClientSession &session() { return *m_session; }
    BoardView &board() { return *m_board; }
    ChatView &chat() { return *m_chat; }
    GameTable &table() { return *m_table; }
    ComputerPlayers &computerPlayers() { return *m_computers; }
    PhraseColumn &phraseColumn() { return *m_phrases; }
    int botSpeed() const { return m_botSpeed; }
    int turnSound() const { return m_turnSound; }
    bool settingsLoaded() const { return m_settingsLoaded; }

    // Reads the settings file and applies every key (the own seat was announced).
    void loadIniFile();
    // Writes every key but the phrases; a failure is reported, never thrown.
    void saveIniFile();
    bool hosting() const { return m_hosting; }
    const QString &playerName() const { return m_playerName; }
    const QString &hostAddress() const { return m_hostAddress; }
    int seatCount() const { return m_seatCount; }

    // Restores, raises and activates the window (a second start asked for it).
    void activate();
    // The launch parameters the game should start again with once this
    // window has closed; empty when it just ends.
    const QStringList &relaunchArguments() const { return m_relaunch; }

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Shows a companion window (restored and in front) when it exists.
    static void showInFront(QWidget *window);
    void buildMenus();
    void buildBody();
    void connectSession();
    void connectChat();
    void connectSocial();
    void buildOptionsMenu(QMenu &options);
    QAction *addOption(QMenu &menu, std::string_view label, const char *name, bool checked);

    // gamewindow_settings.cpp
    void applySettings(const LoadedSettings &settings);
    SavedSettings currentSettings() const;
    WindowBounds currentBounds() const;
    void saveSettings(const WindowBounds &bounds);
    void closeRule();
    bool updateSettingsFile(const std::function<void(IniFile &)> &change);
    void setBotSpeed(int milliseconds);
    void setTurnSound(int value);
    void resetScreenLocation();
    void openPhrases();
    void phrasesConfirmed(const QStringList &phrases);
    void soundRequested(int seat, const QString &name);
    void phraseAction(const QString &text);

    void processParams();
    void hostPress();
    void joinPress();
    void openLobbySocket();
    void setStartAllowed(bool allowed);
    void updateOwnership();
    std::pair<std::string, std::uint16_t> tableAddress() const;

    void addSystemLine(std::string_view line);
    void gameFull();
    void connectionClosed();
    // gamewindow_connection.cpp: a join that failed or a table that went away.
    QString tableText() const;
    void joinFailed(const QString &reason);
    void tableClosed();
    void startGameClicked();

    QStringList m_params;
    HostStarter m_startHost;
    std::uint16_t m_gamePort = GamePort;
    std::uint16_t m_hostPort = GamePort;   // where a joining window connects
    std::uint16_t m_lobbyPort = LobbyPort;
    Companions m_companions;

    ClientSession *m_session = nullptr;   // children of this window
    GameTable *m_table = nullptr;
    WatchControls *m_watch = nullptr;
    ComputerPlayers *m_computers = nullptr;
    BoardView *m_board = nullptr;
    ChatView *m_chat = nullptr;
    StreamSocket *m_lobbySocket = nullptr;
    QAction *m_startGameAction = nullptr;
    PhraseColumn *m_phrases = nullptr;
    std::unique_ptr<SoundPlayer> m_sounds;
    SwitchedSoundPlayer m_eventSounds;   // m_sounds while "Play Sounds" is checked
    QAction *m_playSounds = nullptr;
    QAction *m_playerPhraseSounds = nullptr;
    QActionGroup *m_botSpeeds = nullptr;
    QActionGroup *m_turnSounds = nullptr;
    std::filesystem::path m_settingsPath;
    WindowBounds m_rememberedBounds{};   // all 0 until loaded
    bool m_settingsLoaded = false;
    SavedSettings m_choicesBeforeLoad;   // what the controls held when last written before the load
    int m_botSpeed = BotSpeedNormal;
    int m_turnSound = 0;
    QPointer<QMessageBox> m_fullBox;

    QString m_playerName;
    QString m_hostAddress;
    bool m_hosting = false;
    bool m_launched = false;
    int m_seatCount = PlayerSeatCount;
    QStringList m_relaunch;
};

} // namespace zz
