#pragma once
// The main window: it reads the launch parameters, hosts or joins, and wires
// the session to the views and dialogs. It decides nothing about the game.
#include "core/names.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QMessageBox;
class QPlainTextEdit;
class QPushButton;

namespace zz {

class AboutDialog;
class ClientSession;
class DownloadDialog;
class GameStartDialog;
class HelpWindow;
class LadderDialog;
class PhrasesDialog;
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
    static constexpr std::uint32_t SystemLineColour = 0xFF0000;   // blue, as 0x00BBGGRR

    // params: the launch parameters without the program name.
    explicit GameWindow(QStringList params, QWidget *parent = nullptr);
    ~GameWindow() override;

    void setHostStarter(HostStarter start) { m_startHost = std::move(start); }
    void setGamePort(std::uint16_t port) { m_gamePort = port; }
    void setLobbyPort(std::uint16_t port) { m_lobbyPort = port; }
    void setCompanions(const Companions &companions);

    ClientSession &session() { return *m_session; }
    bool hosting() const { return m_hosting; }
    const QString &playerName() const { return m_playerName; }
    const QString &hostAddress() const { return m_hostAddress; }
    int seatCount() const { return m_seatCount; }
    int linkCounter() const { return m_linkCounter; }

    // Restores, raises and activates the window (a second start asked for it).
    void activate();

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    static std::array<QString, PlayerSeatCount + 1> emptySeats();
    void buildMenus();
    void buildBody();
    void connectSession();

    void processParams();
    void hostPress();
    void joinPress();
    void openLobbySocket();
    void setStartAllowed(bool allowed);

    // Every line of the chat area goes through here: seat "+" text.
    void addLineToChat(const QString &line, std::uint32_t colour = SystemLineColour);
    void addSystemLine(std::string_view line);

    void playerArrived(int seat, const QString &name, bool self);
    void playerLeft(int seat, const QString &name);
    void gameFull();
    void connectionClosed();
    void startGameClicked();

    QStringList m_params;
    HostStarter m_startHost;
    std::uint16_t m_gamePort = GamePort;
    std::uint16_t m_lobbyPort = LobbyPort;
    Companions m_companions;

    ClientSession *m_session = nullptr;   // child of this window
    StreamSocket *m_lobbySocket = nullptr;
    QPlainTextEdit *m_chat = nullptr;
    QPushButton *m_startButton = nullptr;
    QAction *m_startGameAction = nullptr;
    QPointer<QMessageBox> m_fullBox;

    QString m_playerName;
    QString m_hostAddress;
    bool m_hosting = false;
    bool m_launched = false;
    int m_seatCount = PlayerSeatCount;
    int m_linkCounter = -1;
    // What each board seat shows. TODO: read the board's name labels instead
    // once BoardView shows them.
    std::array<QString, PlayerSeatCount + 1> m_seatNames = emptySeats();
};

} // namespace zz
