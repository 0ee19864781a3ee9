#pragma once
// The main window: it reads the launch parameters, hosts or joins, and wires
// the session to the views and dialogs. It decides nothing about the game.
#include "core/names.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QMessageBox;

namespace zz {

class AboutDialog;
class BoardView;
class ChatView;
class ClientSession;
class DownloadDialog;
class GameStartDialog;
class GameTable;
class HelpWindow;
class LadderDialog;
class PhrasesDialog;
class SoundPlayer;
class SpyListWindow;
class StreamSocket;
class TallyWindow;

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
        QPointer<DownloadDialog> download;
        QPointer<GameStartDialog> gameStart;
        QPointer<HelpWindow> help;
        QPointer<PhrasesDialog> phrases;
        QPointer<SpyListWindow> spyList;
        QPointer<TallyWindow> tally;
        QPointer<LadderDialog> ladder;
    };

    static constexpr QRect DefaultBounds{3, 3, 775, 575};

    // params: the launch parameters without the program name.
    explicit GameWindow(QStringList params, QWidget *parent = nullptr);
    ~GameWindow() override;

    void setHostStarter(HostStarter start) { m_startHost = std::move(start); }
    void setGamePort(std::uint16_t port) { m_gamePort = port; }
    void setLobbyPort(std::uint16_t port) { m_lobbyPort = port; }
    void setCompanions(const Companions &companions);
    // Replaces the player of the game's sounds (the window keeps it).
    void setSoundPlayer(std::unique_ptr<SoundPlayer> sounds);

    ClientSession &session() { return *m_session; }
    BoardView &board() { return *m_board; }
    ChatView &chat() { return *m_chat; }
    GameTable &table() { return *m_table; }
    bool hosting() const { return m_hosting; }
    const QString &playerName() const { return m_playerName; }
    const QString &hostAddress() const { return m_hostAddress; }
    int seatCount() const { return m_seatCount; }

    // Restores, raises and activates the window (a second start asked for it).
    void activate();

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildBody();
    void connectSession();
    void connectChat();

    void processParams();
    void hostPress();
    void joinPress();
    void openLobbySocket();
    void setStartAllowed(bool allowed);

    void addSystemLine(std::string_view line);
    void gameFull();
    void connectionClosed();
    void startGameClicked();

    QStringList m_params;
    HostStarter m_startHost;
    std::uint16_t m_gamePort = GamePort;
    std::uint16_t m_lobbyPort = LobbyPort;
    Companions m_companions;

    ClientSession *m_session = nullptr;   // children of this window
    GameTable *m_table = nullptr;
    BoardView *m_board = nullptr;
    ChatView *m_chat = nullptr;
    StreamSocket *m_lobbySocket = nullptr;
    QAction *m_startGameAction = nullptr;
    std::unique_ptr<SoundPlayer> m_sounds;
    QPointer<QMessageBox> m_fullBox;

    QString m_playerName;
    QString m_hostAddress;
    bool m_hosting = false;
    bool m_launched = false;
    int m_seatCount = PlayerSeatCount;
};

} // namespace zz
