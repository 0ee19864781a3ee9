// Starts the game: the command line, the one-game-per-user rule, the windows
// in their fixed order and the host; or the host alone with --serve, or a
// computer player alone with --bot.
#include "app/commandline.h"
#include "app/launchmarker.h"
#include "bot/headlessbot.h"
#include "client/aboutdialog.h"
#include "client/board/boardview.h"
#include "ui/hintlook.h"
#include "session/wiretext.h"
#include "client/gamestartdialog.h"
#include "client/gametable.h"
#include "client/gamewindow.h"
#include "client/helpwindow.h"
#include "client/ladderdialog.h"
#include "core/names.h"
#include "host/headlesshost.h"
#include "host/hostservice.h"
#include "host/tableannouncer.h"
#include "core/launchplan.h"
#include "lobby/playwithothersdialog.h"
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

int runGame(QApplication &app, QStringList &relaunch)
{
    std::unique_ptr<zz::SingleInstance> instance;
    if (!zz::secondInstanceAllowed()) {
        instance = std::make_unique<zz::SingleInstance>(zz::singleInstanceName());
        if (!instance->claim())
            return 0;   // the running game was asked to come forward
    }
    const zz::LaunchMarker marker;

    zz::GameWindow window(app.arguments().mid(1));
    zz::AboutDialog about(&window);
    zz::PlayWithOthersDialog download(&window);
    download.setChoicesFile(zz::settingsFolderForThisRun() / zz::LobbyChoices::FileName);
    zz::GameStartDialog gameStart(&window);
    zz::HelpWindow help(&window);
    zz::PhrasesDialog phrases(&window);
    zz::HostService host;
    zz::SpyListWindow spyList(&window);
    zz::TallyWindow tally(&window);
    tally.setSeatSource([&window](int seat) { return window.board().seatName(seat); },
                        [&window] { return window.table().ownSeat(); });
    tally.openFile(zz::tallyFileIn(zz::tallyFolderForThisRun())); // saved again when it is destroyed
    zz::LadderDialog ladder(&window);

    window.setCompanions({&about, &download, &gameStart, &help, &phrases, &spyList, &tally, &ladder});
    std::vector<std::string> params;
    for (const QString &param : app.arguments().mid(1))
        params.push_back(param.toStdString());
    const bool hostingForOthers = zz::planLaunch(params).mode == zz::LaunchPlan::Mode::Host;
    std::unique_ptr<zz::TableAnnouncer> announcer;
    window.setHostStarter([&] {
        host.listen(std::string(zz::GamePortName));
        // Only a table hosted for others, and only when its player asked.
        if (!hostingForOthers || !download.choices().announce)
            return;
        announcer = std::make_unique<zz::TableAnnouncer>(host.server(), host.localPort());
        announcer->start(zz::TableAnnouncer::targets(qEnvironmentVariable("ZIGZOP_ANNOUNCE_ADDRESS").toStdString()));
    });
    if (hostingForOthers)
        download.setHostedAddresses(joinAddresses());
    window.setSettingsPath(zz::settingsFolderForThisRun() / std::string(zz::setting::FileName));

    zz::SignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &zz::SignalWatcher::signalled, &window, &QWidget::close);
    if (instance)
        QObject::connect(instance.get(), &zz::SingleInstance::activationRequested, &window, &zz::GameWindow::activate);
    QObject::connect(&window, &zz::GameWindow::closed, &app, &QCoreApplication::quit);

    window.show();
    // Hosted from the dialog: show where others can join.
    if (hostingForOthers && qEnvironmentVariable("ZIGZOP_SHOW_LOBBY") == QStringLiteral("1"))
        download.show();
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
        return zz::runHeadlessHost(argc, argv);
    case zz::StartMode::Bot:
        return zz::runHeadlessBot(argc, argv);
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
