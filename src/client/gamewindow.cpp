#include "gamewindow.h"

#include "client/aboutdialog.h"
#include "client/clientsession.h"
#include "client/downloaddialog.h"
#include "client/gamestartdialog.h"
#include "client/guarded.h"
#include "client/helpwindow.h"
#include "client/ladderdialog.h"
#include "core/launchplan.h"
#include "net/streamsocket.h"
#include "social/phrasesdialog.h"
#include "social/spylistwindow.h"
#include "store/tallywindow.h"

#include <QCloseEvent>
#include <QFrame>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace zz {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Shows a companion window (restored and in front) when it exists.
template <typename Window>
void showWindow(const QPointer<Window> &window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

GameWindow::GameWindow(QStringList params, QWidget *parent)
    : QMainWindow(parent)
    , m_params(std::move(params))
    , m_session(new ClientSession(this))
{
    setObjectName(QStringLiteral("chat"));
    setWindowTitle(text(caption::Main));
    buildMenus();
    buildBody();
    connectSession();
    resize(DefaultBounds.size());
    move(DefaultBounds.topLeft());
}

GameWindow::~GameWindow()
{
    if (m_lobbySocket)
        m_lobbySocket->onRead = nullptr;
}

std::array<QString, PlayerSeatCount + 1> GameWindow::emptySeats()
{
    std::array<QString, PlayerSeatCount + 1> seats;
    seats.fill(text(WaitingSeat));
    return seats;
}

void GameWindow::setCompanions(const Companions &companions)
{
    m_companions = companions;
}

void GameWindow::buildMenus()
{
    QMenu *game = menuBar()->addMenu(QStringLiteral("&Game"));
    m_startGameAction = game->addAction(text(label::StartGame));
    m_startGameAction->setObjectName(QStringLiteral("StartGame1"));
    connect(m_startGameAction, &QAction::triggered, this, [this] { guarded([this] { startGameClicked(); }); });
    game->addSeparator();
    QAction *exit = game->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction *spies = view->addAction(text(label::SpyList));
    spies->setObjectName(QStringLiteral("SpyList1"));
    connect(spies, &QAction::triggered, this, [this] { showWindow(m_companions.spyList); });
    QAction *tally = view->addAction(text(label::ViewTally));
    tally->setObjectName(QStringLiteral("ViewTally1"));
    connect(tally, &QAction::triggered, this, [this] { showWindow(m_companions.tally); });
    QAction *phrases = view->addAction(text(label::PhraseList));
    phrases->setObjectName(QStringLiteral("PrhaseList1"));
    connect(phrases, &QAction::triggered, this, [this] { showWindow(m_companions.phrases); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction *helpFile = help->addAction(QStringLiteral("&Help"));
    helpFile->setObjectName(QStringLiteral("Help1"));
    connect(helpFile, &QAction::triggered, this, [this] { showWindow(m_companions.help); });
    QAction *about = help->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, [this] { showWindow(m_companions.about); });
}

void GameWindow::buildBody()
{
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);

    // The board's area; the start button sits where the board puts it.
    auto *board = new QFrame(body);
    board->setObjectName(QStringLiteral("board"));
    board->setFrameShape(QFrame::StyledPanel);
    board->setFixedHeight(290);
    m_startButton = new QPushButton(text(label::StartGame), board);
    m_startButton->setObjectName(QStringLiteral("button_start"));
    m_startButton->setGeometry(248, 16, 110, 40);
    connect(m_startButton, &QPushButton::clicked, this, [this] { guarded([this] { startGameClicked(); }); });

    m_chat = new QPlainTextEdit(body);
    m_chat->setObjectName(QStringLiteral("mainchat"));
    m_chat->setReadOnly(true);

    layout->addWidget(board);
    layout->addWidget(m_chat, 1);
    setCentralWidget(body);
}

void GameWindow::connectSession()
{
    ClientSession *s = m_session;
    connect(s, &ClientSession::systemLine, this, [this](const QString &line) { addLineToChat(line); });
    connect(s, &ClientSession::chatLine, this, [this](const QString &line, const QString &) {
        guarded([&] { addLineToChat(line); });
    });
    connect(s, &ClientSession::playerArrived, this, &GameWindow::playerArrived);
    connect(s, &ClientSession::playerLeft, this, &GameWindow::playerLeft);
    connect(s, &ClientSession::gameFull, this, &GameWindow::gameFull);
    connect(s, &ClientSession::connectionClosed, this, &GameWindow::connectionClosed);
    connect(s, &ClientSession::errorOccurred, this, [](const QString &error) { reportError(error); });
}

void GameWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The launch runs once, when the window is first shown and every other
    // window and the host exist.
    if (m_launched)
        return;
    m_launched = true;
    guarded([this] { processParams(); });
}

void GameWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    Q_EMIT closed();
}

void GameWindow::activate()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void GameWindow::processParams()
{
    setStartAllowed(false);
    m_session->setPlayerName(QString());

    std::vector<std::string> params;
    for (const QString &param : std::as_const(m_params))
        params.push_back(param.toStdString());
    const LaunchPlan plan = planLaunch(params);

    addSystemLine(plan.loadingLine);
    if (plan.mode == LaunchPlan::Mode::Idle)
        return;
    if (plan.showDownload && m_companions.download)
        m_companions.download->show();
    m_playerName = QString::fromStdString(plan.playerName);
    m_hostAddress = QString::fromStdString(plan.hostAddress);
    if (plan.hosting())
        hostPress();
    else
        joinPress();
    if (plan.openLobby)
        openLobbySocket();
}

void GameWindow::hostPress()
{
    // A failure to listen leaves everything as it was: no hosting, no connection.
    if (m_startHost)
        m_startHost();
    m_session->setPlayerName(m_playerName);
    m_hosting = true;
    m_session->connectTo(std::string(LoopbackAddress), m_gamePort);
    setStartAllowed(true);
}

void GameWindow::joinPress()
{
    m_session->setPlayerName(m_playerName);
    m_session->connectTo(m_hostAddress.toStdString(), m_gamePort);
    setStartAllowed(false);
}

void GameWindow::openLobbySocket()
{
    // The matchmaking program only learns that we started; nothing is said
    // and its answer, if any, is thrown away.
    m_lobbySocket = new StreamSocket(this);
    m_lobbySocket->onRead = [](StreamSocket &socket, std::size_t) {
        try {
            socket.receive();
        } catch (const SocketError &) {
        }
    };
    m_lobbySocket->setHostName(std::string(LoopbackAddress));
    m_lobbySocket->setPortName(std::to_string(m_lobbyPort));
    try {
        m_lobbySocket->open();
    } catch (const SocketError &) {
    }
}

void GameWindow::setStartAllowed(bool allowed)
{
    m_startButton->setVisible(allowed);
    m_startGameAction->setEnabled(allowed);
}

void GameWindow::startGameClicked()
{
    if (!m_session->loggedIn()) {
        auto *box = new QMessageBox(QMessageBox::Information, text(ApplicationTitle), text(message::NotConnected),
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return;
    }
    showWindow(m_companions.gameStart);
}

void GameWindow::addLineToChat(const QString &line, std::uint32_t)
{
    // The plain area shows the text after the seat field; the chat view
    // that replaces it draws seats, colours, smileys and links.
    const qsizetype plus = line.indexOf(QLatin1Char('+'));
    m_chat->appendPlainText(plus < 0 ? line : line.mid(plus + 1));
}

void GameWindow::addSystemLine(std::string_view line)
{
    addLineToChat(text(line));
}

void GameWindow::playerArrived(int seat, const QString &name, bool self)
{
    const QString prefix = text(line::SystemPrefix);
    if (self)
        addSystemLine(line::YouAreConnected);
    else
        addLineToChat(prefix + name + text(line::IsConnected));

    if (seat >= 1 && seat <= m_seatCount) {
        m_seatNames[static_cast<std::size_t>(seat)] = name;
        return;
    }
    if (m_companions.spyList)
        m_companions.spyList->addSpy(seat, name);
    if (self)
        addSystemLine(line::YouAreSpying);
    else
        addLineToChat(prefix + name + text(line::IsSpying));
}

void GameWindow::playerLeft(int seat, const QString &name)
{
    const QString prefix = text(line::SystemPrefix);
    if (seat >= 1 && seat <= m_seatCount) {
        // A seat that shows its quiet name or nobody leaves without a word.
        QString &shown = m_seatNames[static_cast<std::size_t>(seat)];
        if (shown != text(WaitingSeat) && shown != text(QuietSeatNames[seat]))
            addLineToChat(prefix + shown + text(line::Disconnected));
        shown = text(WaitingSeat);
        return;
    }
    if (m_companions.spyList && m_companions.spyList->removeSpy(seat, name))
        addLineToChat(prefix + name + text(line::HasLeft));
}

void GameWindow::gameFull()
{
    m_fullBox = new QMessageBox(QMessageBox::Information, text(ApplicationTitle), text(message::GameFull),
                                QMessageBox::Ok, this);
    m_fullBox->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_fullBox, &QDialog::finished, this, &QWidget::close);
    m_fullBox->open();
}

void GameWindow::connectionClosed()
{
    // After "Game is full" the window closes once the box is dismissed.
    if (!m_fullBox)
        close();
}

} // namespace zz
