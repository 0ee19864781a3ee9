// Starts the game: the command line, the one-game-per-user rule, the windows
// in their fixed order and the host; or the host alone with --serve.
#include "app/commandline.h"
#include "app/launchmarker.h"
#include "client/aboutdialog.h"
#include "client/board/boardview.h"
#include "ui/hintlook.h"
#include "session/wiretext.h"
#include "client/downloaddialog.h"
#include "client/gamestartdialog.h"
#include "client/gametable.h"
#include "client/gamewindow.h"
#include "client/helpwindow.h"
#include "client/ladderdialog.h"
#include "core/names.h"
#include "host/headlesshost.h"
#include "host/hostservice.h"
#include "net/signalwatcher.h"
#include "app/singleinstance.h"
#include "app/userfolders.h"
#include "store/tallyfile.h"
#include "social/phrasesdialog.h"
#include "social/spylistwindow.h"
#include "storeui/tallywindow.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <exception>
#include <memory>

namespace {

void print(const QString &message)
{
    std::fputs(message.toLocal8Bit().constData(), stdout);
}

int runGame(QApplication &app)
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
    zz::DownloadDialog download(&window);
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
    window.setHostStarter([&host] { host.listen(std::string(zz::GamePortName)); });
    window.setComputerIntervalSetter([&host](int milliseconds) { host.setComputerInterval(milliseconds); });
    window.setSettingsPath(zz::settingsFolderForThisRun() / std::string(zz::setting::FileName));

    zz::SignalWatcher signalWatcher;
    QObject::connect(&signalWatcher, &zz::SignalWatcher::signalled, &window, &QWidget::close);
    if (instance)
        QObject::connect(instance.get(), &zz::SingleInstance::activationRequested, &window, &zz::GameWindow::activate);
    QObject::connect(&window, &zz::GameWindow::closed, &app, &QCoreApplication::quit);

    window.show();
    if (host.dictionaryFailed()) {
        auto *box = new QMessageBox(QMessageBox::Warning, zz::fromAscii(zz::ApplicationTitle),
                                    zz::fromAscii(zz::message::DictionaryMissing), QMessageBox::Ok, &window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
        box->show();
    }
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    switch (zz::startMode(argc, argv)) {
    case zz::StartMode::Serve:
        return zz::runHeadlessHost(argc, argv);
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
    try {
        return runGame(app);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "zigzop: %s\n", e.what());
        return 1;
    }
}
