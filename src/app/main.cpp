// Starts the game: the command line, the one-game-per-user rule, the windows
// in their fixed order and the host; or the host alone with --serve, or a
// computer player alone with --bot.
#include "app/commandline.h"
#include "app/dailycommand.h"
#include "app/launchmarker.h"
#include "app/matchmakerstart.h"
#include "bot/headlessbot.h"
#include "client/aboutdialog.h"
#include "client/board/boardview.h"
#include "ui/caretrest.h"
#include "ui/hintlook.h"
#include "session/wiretext.h"
#include "client/gamestartdialog.h"
#include "client/gametable.h"
#include "client/gamewindow.h"
#include "client/helpwindow.h"
#include "client/ladderdialog.h"
#include "daily/dailyfile.h"
#include "daily/schedule.h"
#include "dailyui/dailywindow.h"
#include "dict/builtindata.h"
#include "dict/dictionary.h"
#include "dict/wordpool.h"
#include "core/names.h"
#include "fleet/fleetagent.h"
#include "host/headlesshost.h"
#include "host/hostservice.h"
#include "host/tableannouncer.h"
#include "core/launchplan.h"
#include "lobby/playwithothersdialog.h"
#include "lobby/tablecodedialog.h"
#include "client/chat/chatview.h"
#include "core/chatline.h"
#include "net/signalwatcher.h"
#include "app/singleinstance.h"
#include "app/userfolders.h"
#include "store/tallyfile.h"
#include "social/phrasesdialog.h"
#include "social/spylistwindow.h"
#include "storeui/tallywindow.h"

#include <QApplication>
#include <QProcess>
#include <QMessageBox>

#include <cstdio>
#include <exception>
#include <memory>

namespace {

void print(const QString &message)
{
    std::fputs(message.toLocal8Bit().constData(), stdout);
}

// The texts a player types to join this machine's table, for the dialog.
QStringList joinAddresses()
{
    QStringList texts;
    for (const std::string &address : zz::TableAnnouncer::joinAddresses(zz::GamePort))
        texts << QString::fromStdString(address);
    return texts;
}

std::vector<std::string> roundWords()
{
    const zz::WordPool pool(zz::builtinWordPool());
    std::vector<std::string> words;
    for (std::size_t i = 0; i < pool.size(); ++i)
        words.push_back(pool.at(i));
    return words;
}

// The windows the main window opens, each made once and hidden until needed.
struct Companions
{
    explicit Companions(zz::GameWindow &window)
        : about(&window)
        , download(&window)
        , gameStart(&window)
        , help(&window)
        , phrases(&window)
        , spyList(&window)
        , tally(&window)
        , ladder(&window)
        , daily(zz::builtinSchedule(), zz::builtinDictionary(), roundWords(), &window)
    {
        download.setChoicesFile(zz::settingsFolderForThisRun() / zz::LobbyChoices::FileName);
        tally.setSeatSource([&window](int seat) { return window.board().seatName(seat); },
                            [&window] { return window.table().ownSeat(); });
        tally.openFile(zz::tallyFileIn(zz::tallyFolderForThisRun())); // saved again when it is destroyed
        daily.setResultsFile(zz::dailyFileIn(zz::tallyFolderForThisRun()));
        window.setCompanions({&about, &download, &gameStart, &help, &phrases, &spyList, &tally, &ladder, &daily});
    }

    zz::AboutDialog about;
    zz::PlayWithOthersDialog download;
    zz::GameStartDialog gameStart;
    zz::HelpWindow help;
    zz::PhrasesDialog phrases;
    zz::SpyListWindow spyList;
    zz::TallyWindow tally;
    zz::LadderDialog ladder;
    zz::DailyWindow daily;
};

// Joining the private table this game asked the matchmaker for: its code,
// for the player to hand on, in the chat and in a dialog with Copy.
void showPrivateTableCode(zz::GameWindow &window, const std::string &code)
{
    const QString text = QString::fromStdString(code);
    // Seat 0: a system line, like the launch's own.
    window.chat().addDecodedLine(QStringLiteral("0+Your private table's code: ") + text
                                     + QStringLiteral(" (friends type it in Join a table)"),
                                 zz::SystemLineColour);
    auto *dialog = new zz::TableCodeDialog(text, &window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

int runGame(QApplication &app, QStringList &relaunch)
{
    std::unique_ptr<zz::SingleInstance> instance;
    if (!zz::secondInstanceAllowed()) {
        instance = std::make_unique<zz::SingleInstance>(zz::singleInstanceName());
        if (!instance->claim())
            return 0;   // the running game was asked to come forward
    }

    zz::GameWindow window(app.arguments().mid(1));
    window.setSettingsPath(zz::settingsFolderForThisRun() / std::string(zz::setting::FileName));
    zz::SignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &zz::SignalWatcher::signalled, &window, &QWidget::close);
    if (instance)
        QObject::connect(instance.get(), &zz::SingleInstance::activationRequested, &window, &zz::GameWindow::activate);
    QObject::connect(&window, &zz::GameWindow::closed, &app, &QCoreApplication::quit);

    // The main window goes up first. What it does not show at once follows
    // before the event loop first turns, and with it the launch: hosting,
    // joining and the solo start's dialog.
    window.show();
    const zz::LaunchMarker marker;
    Companions companions(window);
    zz::HostService host;
    std::vector<std::string> params;
    for (const QString &param : app.arguments().mid(1))
        params.push_back(param.toStdString());
    const bool hostingForOthers = zz::planLaunch(params).mode == zz::LaunchPlan::Mode::Host;
    std::unique_ptr<zz::TableAnnouncer> announcer;
    window.setHostStarter([&] {
        host.listen(std::string(zz::GamePortName));
        // Only a table hosted for others, and only when its player asked.
        if (!hostingForOthers || !companions.download.choices().announce)
            return;
        announcer = std::make_unique<zz::TableAnnouncer>(host.server(), host.localPort());
        announcer->start(zz::TableAnnouncer::targets(qEnvironmentVariable("ZIGZOP_ANNOUNCE_ADDRESS").toStdString()));
    });
    if (hostingForOthers) {
        companions.download.setHostedAddresses(joinAddresses());
        // Hosted from the dialog: show where others can join.
        if (qEnvironmentVariable("ZIGZOP_SHOW_LOBBY") == QStringLiteral("1"))
            companions.download.show();
    }
    if (const std::string code = companions.download.privateTableCode(params.size() >= 2 ? params[1] : std::string());
        !code.empty() && zz::planLaunch(params).mode == zz::LaunchPlan::Mode::Join) {
        // After the launch's own first lines.
        QMetaObject::invokeMethod(&window, [&window, code] { showPrivateTableCode(window, code); }, Qt::QueuedConnection);
    }
    if (host.dictionaryFailed()) {
        auto *box = new QMessageBox(QMessageBox::Warning, zz::fromAscii(zz::ApplicationTitle),
                                    zz::fromAscii(zz::message::DictionaryMissing), QMessageBox::Ok, &window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
        box->show();
    }
    const int code = app.exec();
    relaunch = window.relaunchArguments();
    return code;
}

// Starts the game again once this one has let go of its port and of the
// one-game rule, so the new window can take both.
void relaunchGame(const QStringList &arguments)
{
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    process.setArguments(arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZIGZOP_SHOW_LOBBY"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    if (!process.startDetached())
        std::fprintf(stderr, "zigzop: the game could not be started again\n");
}

} // namespace

int main(int argc, char *argv[])
{
    switch (zz::startMode(argc, argv)) {
    case zz::StartMode::Serve:
        return zz::runHeadlessHost(argc, argv, &zz::fleet::makeFleetAgent);
    case zz::StartMode::Bot:
        return zz::runHeadlessBot(argc, argv);
    case zz::StartMode::Matchmaker:
        return zz::runMatchmaker(argc, argv);
    case zz::StartMode::Daily:
        return zz::runDailyCommand(argc, argv);
    case zz::StartMode::Help:
        print(zz::helpText());
        return 0;
    case zz::StartMode::Version:
        print(zz::versionText());
        return 0;
    case zz::StartMode::Play:
        break;
    }

    QApplication app(argc, argv);
    // The application title; no display name, so captions stay as set.
    QCoreApplication::setApplicationName(zz::fromAscii(zz::ApplicationTitle));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zigzop.zigzop"));
    zz::installHintLook(app);
    zz::installCaretRest(app);
    QStringList relaunch;
    int code = 1;
    try {
        code = runGame(app, relaunch);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "zigzop: %s\n", e.what());
        return 1;
    }
    if (!relaunch.isEmpty())
        relaunchGame(relaunch);
    return code;
}
