#include "gamewindow.h"

#include "client/aboutdialog.h"
#include "client/accessibility/announcer.h"
#include "client/accessibility/boardaccessible.h"
#include "client/accessibility/keyboardpaths.h"
#include "client/accessibility/narrator.h"
#include "client/board/boardrules.h"
#include "client/board/boardview.h"
#include "client/chat/chatview.h"
#include "client/computerplayers.h"
#include "session/wiretext.h"
#include "session/clientsession.h"
#include "client/gamestartdialog.h"
#include "client/gametable.h"
#include "client/guarded.h"
#include "client/helpwindow.h"
#include "client/ladderdialog.h"
#include "client/watchcontrols.h"
#include "dailyui/dailywindow.h"
#include "core/chatline.h"
#include "core/launchplan.h"
#include "lobby/playwithothersdialog.h"
#include "dict/builtindata.h"
#include "net/streamsocket.h"
#include "social/phrasecolumn.h"
#include "social/phrasesdialog.h"
#include "social/spylistwindow.h"
#include "storeui/tallywindow.h"
#include "ui/tiledlook.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace zz {

namespace {

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

void GameWindow::showInFront(QWidget *window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

GameWindow::GameWindow(QStringList params, QWidget *parent)
    : QMainWindow(parent)
    , m_params(std::move(params))
    , m_session(new ClientSession(this))
    , m_sounds(std::make_unique<WaveSoundPlayer>())
{
    setObjectName(QStringLiteral("chat"));
    setWindowTitle(text(caption::Main));
    installAccessibility();
    m_eventSounds.setTarget(m_sounds.get());
    buildBody();
    buildMenus();
    connectSession();
    connectChat();
    connectSocial();
    resize(DefaultBounds.size());
    move(DefaultBounds.topLeft());
    m_choicesBeforeLoad = currentSettings();
}

GameWindow::~GameWindow()
{
    // The sound player goes before the children that play through it.
    m_table->setSoundPlayer(nullptr);
    m_eventSounds.setTarget(nullptr);
}

void GameWindow::setCompanions(const Companions &companions)
{
    m_companions = companions;
    if (!m_settingsLoaded)
        m_choicesBeforeLoad = currentSettings();   // the game options now come from their dialog
    m_table->setSpyList(m_companions.spyList);
    m_table->setLadderDialog(m_companions.ladder);
    m_table->setTally(m_companions.tally);
    if (m_companions.spyList) {
        m_companions.spyList->setKickEnabled(m_table->hosting());
        connect(m_companions.spyList, &SpyListWindow::kickRequested, m_watch,
                [this](int seat) { guarded([&] { m_watch->kicking(seat); }); });
    }
    if (m_companions.tally)
        connect(m_companions.tally, &QObject::destroyed, m_table, [table = m_table] { table->setTally(nullptr); });
    if (m_companions.download)
        connect(m_companions.download, &PlayWithOthersDialog::launchRequested, this, [this](const QStringList &args) {
            // Closing saves the settings and the tally; the game then starts again.
            m_relaunch = args;
            close();
        });
    if (m_companions.download && m_companions.daily)
        connect(m_companions.download, &PlayWithOthersDialog::dailyRequested, m_companions.daily,
                &DailyWindow::openToday);
    if (m_companions.gameStart) {
        connect(m_companions.gameStart, &GameStartDialog::startRequested, this,
                [this](int playTo, int time, bool three, bool four, bool five) {
                    guarded([&] { m_session->startGame(m_playerName, playTo, time, three, four, five); });
                    saveIniFile();
                });
    }
    if (m_companions.phrases) {
        connect(m_companions.phrases, &PhrasesDialog::phrasesConfirmed, this,
                [this](const QStringList &phrases) { guarded([&] { phrasesConfirmed(phrases); }); });
    }
}

void GameWindow::setSoundPlayer(std::unique_ptr<SoundPlayer> sounds)
{
    m_eventSounds.setTarget(sounds.get());
    m_sounds = std::move(sounds);
}

void GameWindow::buildMenus()
{
    QMenu *game = menuBar()->addMenu(QStringLiteral("&Game"));
    m_startGameAction = game->addAction(text(label::StartGame));
    m_startGameAction->setObjectName(QStringLiteral("StartGame1"));
    connect(m_startGameAction, &QAction::triggered, this, [this] { guarded([this] { startGameClicked(); }); });
    QAction *others = game->addAction(QStringLiteral("Play With Others..."));
    others->setObjectName(QStringLiteral("PlayWithOthers1"));
    connect(others, &QAction::triggered, this, [this] { showInFront(m_companions.download); });
    QAction *daily = game->addAction(QStringLiteral("Daily Ladder"));
    daily->setObjectName(QStringLiteral("DailyLadder1"));
    daily->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(daily, &QAction::triggered, this, [this] {
        if (m_companions.daily)
            m_companions.daily->openToday();
    });
    m_computers->fillGameMenu(*game);
    (new KeyboardPaths(*m_board, *m_watch, *m_phrases, *m_chat))->fillGameMenu(*game);
    game->addSeparator();
    QAction *exit = game->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("Options1"));
    m_chat->fillOptionsMenu(*options);
    buildOptionsMenu(*options);
    options->addSeparator();
    m_watch->fillOptionsMenu(*options);

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction *spies = view->addAction(text(label::SpyList));
    spies->setObjectName(QStringLiteral("SpyList1"));
    connect(spies, &QAction::triggered, this, [this] { showInFront(m_companions.spyList); });
    QAction *tally = view->addAction(text(label::ViewTally));
    tally->setObjectName(QStringLiteral("ViewTally1"));
    connect(tally, &QAction::triggered, this, [this] {
        // An open window gets no show event, yet its game list must be current.
        if (m_companions.tally)
            m_companions.tally->loadCheckList();
        showInFront(m_companions.tally);
    });
    QAction *phrases = view->addAction(text(label::PhraseList));
    phrases->setObjectName(QStringLiteral("PrhaseList1"));
    connect(phrases, &QAction::triggered, this, [this] { guarded([this] { openPhrases(); }); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction *helpFile = help->addAction(QStringLiteral("&Help"));
    helpFile->setObjectName(QStringLiteral("Help1"));
    connect(helpFile, &QAction::triggered, this, [this] { showInFront(m_companions.help); });
    QAction *about = help->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, [this] { showInFront(m_companions.about); });
}

void GameWindow::buildBody()
{
    auto *body = new QWidget(this);
    m_board = new BoardView(body);
    m_chat = new ChatView(body);
    m_table = new GameTable(*m_session, *m_board, *m_chat, this);
    m_table->setSoundPlayer(&m_eventSounds);
    m_table->setLadderSolver(&builtinLadderSolver());
    m_watch = new WatchControls(*m_session, *m_board, *m_chat, *m_table, *this);
    m_computers = new ComputerPlayers(*m_session, *m_board, *m_table, [this] { return tableAddress(); }, this);
    m_phrases = new PhraseColumn(body);

    // The board keeps its size; the chat, with the phrase buttons at its left
    // edge, takes whatever height is left.
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_board, 0, Qt::AlignHCenter);
    auto *chatRow = new QHBoxLayout;
    chatRow->setContentsMargins(5, 4, 5, 5);
    chatRow->setSpacing(3);
    chatRow->addWidget(m_phrases);
    chatRow->addWidget(m_chat, 1);
    layout->addLayout(chatRow, 1);
    static_assert(MinimumClientSize.width() >= BoardView::BoardWidth, "the board is never cut");
    body->setMinimumSize(MinimumClientSize);
    // Room beyond the board's width shows the same paper as the board.
    ui::tileBackground(*body);
    setCentralWidget(body);
    // After the table, so a verdict is spoken once the board shows it.
    auto *announcer = new Announcer(body);
    new GameNarrator(*m_session, *m_board, *announcer, announcer);   // goes with the board it reads
    connect(m_board, &BoardView::startClicked, this, [this] { guarded([this] { startGameClicked(); }); });
}

void GameWindow::connectSession()
{
    ClientSession *s = m_session;
    connect(s, &ClientSession::systemLine, this, [this](const QString &line) {
        guarded([&] { m_chat->addDecodedLine(line, SystemLineColour); });
    });
    connect(s, &ClientSession::chatLine, this, [this](const QString &line, const QString &colour) {
        guarded([&] { m_chat->chatLineReceived(line, colour); });
    });
    connect(s, &ClientSession::loggedInAs, m_chat, [this] { m_chat->setLoggedIn(true); });
    // After the table has put the seat on the board.
    connect(s, &ClientSession::loggedInAs, this, &GameWindow::updateOwnership);
    connect(s, &ClientSession::playerArrived, this, &GameWindow::updateOwnership);
    connect(s, &ClientSession::playerLeft, this, &GameWindow::updateOwnership);
    connect(s, &ClientSession::gameFull, this, &GameWindow::gameFull);
    connect(s, &ClientSession::connectionClosed, this, &GameWindow::connectionClosed);
    connect(s, &ClientSession::connectFailed, this,
            [this](const QString &, const QString &reason) { guarded([&] { joinFailed(reason); }); });
    connect(s, &ClientSession::errorOccurred, this, [](const QString &error) { reportError(error); });
}

void GameWindow::connectChat()
{
    // The chat hands over wire bytes; the session takes text and encodes it
    // again, which gives back the same bytes.
    auto toText = [](const QByteArray &bytes) { return fromWire(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size()))); };
    connect(m_chat, &ChatView::chatSubmitted, this, [this, toText](const QByteArray &line, const QByteArray &colour) {
        guarded([&] { m_session->sendChat(toText(line), toText(colour)); });
    });
    connect(m_chat, &ChatView::actionSubmitted, this,
            [this, toText](const QByteArray &line, const QByteArray &colour) {
                guarded([&] { m_session->sendAction(toText(line), toText(colour)); });
            });
}

void GameWindow::connectSocial()
{
    connect(m_phrases, &PhraseColumn::actionRequested, this,
            [this](const QString &line) { guarded([&] { phraseAction(line); }); });
    connect(m_phrases, &PhraseColumn::chatterRequested, this, [this](int sound) {
        guarded([&] {
            if (m_session->loggedIn())
                m_session->playSound(sound);
        });
    });
    connect(m_session, &ClientSession::soundRequested, this,
            [this](int seat, const QString &name) { guarded([&] { soundRequested(seat, name); }); });
    connect(m_table, &GameTable::ownArrival, this, [this] { guarded([this] { loadIniFile(); }); });
    connect(m_chat, &ChatView::textColourChanged, this, &GameWindow::saveIniFile);
    connect(m_chat, &ChatView::textSizeChanged, this, &GameWindow::saveIniFile);
}

void GameWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The launch runs once, when the event loop first turns after the first
    // show: the window goes up without waiting for it, and every other window
    // and the host exist by then.
    if (m_launched)
        return;
    m_launched = true;
    QMetaObject::invokeMethod(
        this, [this] { guarded([this] { processParams(); }); }, Qt::QueuedConnection);
}

void GameWindow::closeEvent(QCloseEvent *event)
{
    guarded([this] { closeRule(); });
    m_computers->endAll();
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
    if (plan.showDownload && m_companions.download) {
        m_companions.download->show();
        // Raised again once this window is on screen, so the dialog stays in front of it.
        QMetaObject::invokeMethod(
            this, [this] { showInFront(m_companions.download); }, Qt::QueuedConnection);
    }
    m_playerName = QString::fromStdString(plan.playerName);
    m_hostAddress = QString::fromStdString(plan.hostAddress);
    m_hostPort = plan.hostPort.value_or(m_gamePort);
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
    setStartAllowed(false);
    try {
        m_session->connectTo(m_hostAddress.toStdString(), m_hostPort);
    } catch (const SocketError &) {
        // Only the host can fail at once: an address that is no address.
        joinFailed(QStringLiteral("no such host"));
    }
}

void GameWindow::openLobbySocket()
{
    // The matchmaking program only learns that we started; nothing is said
    // and its answer, if any, is thrown away.
    m_lobbySocket = new StreamSocket(this);
    m_lobbySocket->onRead.bind(*this, [](StreamSocket &socket, std::size_t) {
        try {
            socket.receive();
        } catch (const SocketError &) {
        }
    });
    m_lobbySocket->setHostName(std::string(LoopbackAddress));
    m_lobbySocket->setPortName(std::to_string(m_lobbyPort));
    try {
        m_lobbySocket->open();
    } catch (const SocketError &) {
    }
}

void GameWindow::setStartAllowed(bool allowed)
{
    m_board->setStartButtonVisible(allowed);
    m_startGameAction->setEnabled(allowed);
    m_table->setHosting(allowed);
    m_computers->updateEntry();
    // Only the table's owner may remove a spy.
    if (m_companions.spyList)
        m_companions.spyList->setKickEnabled(allowed);
}

void GameWindow::updateOwnership()
{
    // The host takes starts and removals from the lowest player seat in use.
    // A hosting window holds seat 1 for good; a joined one owns a headless
    // table when it came first, or once everybody before it has left.
    if (m_hosting)
        return;
    const int own = m_session->ownSeat();
    bool owner = m_session->loggedIn() && isPlayerSeat(own);
    for (int seat = 1; owner && seat < own; ++seat)
        owner = m_board->seatName(seat) == board::WaitingName;
    if (owner == m_table->hosting())
        return;
    setStartAllowed(owner);
    // Handed the table in the middle of a game: the button waits for its end.
    if (owner && m_table->gameInProgress())
        m_board->setStartButtonVisible(false);
}

std::pair<std::string, std::uint16_t> GameWindow::tableAddress() const
{
    if (m_hosting)
        return {std::string(LoopbackAddress), m_gamePort};
    return {m_hostAddress.toStdString(), m_hostPort};
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
    showInFront(m_companions.gameStart);
}

void GameWindow::addSystemLine(std::string_view line)
{
    m_chat->addLine(line, SystemLineColour);
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
    if (m_fullBox)
        return;
    // A hosting window's own table ends only with the program.
    if (m_hosting)
        close();
    else
        tableClosed();
}

} // namespace zz
