// The matchmaker's module: what --matchmaker runs once the program loaded it.
#include "matchmaker/matchmakermodule.h"

#include "matchmaker/guardedserver.h"
#include "matchmaker/matchmakeroptions.h"
#include "matchmaker/matchmakerserver.h"
#include "net/signalwatcher.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHostAddress>

#include <cstdio>
#include <memory>

namespace {

void complain(const QString &text)
{
    std::fprintf(stderr, "zigzop --matchmaker: %s\n", text.toLocal8Bit().constData());
}

int run(const QStringList &arguments)
{
    QString error;
    const auto options = zz::readMatchmakerOptions(arguments, &error);
    if (!options) {
        complain(error);
        return 2;
    }
    for (const std::string &file : {options->allocator.clientCertFile, options->allocator.clientKeyFile,
                                    options->allocator.caFile}) {
        if (!QFileInfo(QString::fromStdString(file)).isReadable()) {
            complain(QStringLiteral("cannot read ") + QString::fromStdString(file));
            return 1;
        }
    }
    std::string clientError;
    auto client = zz::makeHttpClient(&clientError);
    if (!client) {
        complain(QStringLiteral("no HTTP client: ") + QString::fromStdString(clientError));
        return 1;
    }
    auto listener = std::make_unique<zz::GuardedServer>(zz::GuardedServer::Limits{});
    if (!options->tlsCertFile.isEmpty()) {
        const auto tls = zz::GuardedServer::tlsConfiguration(options->tlsCertFile, options->tlsKeyFile, &error);
        if (!tls) {
            complain(error);
            return 1;
        }
        listener->setTls(*tls);
    }
    const QHostAddress address =
        options->listenAddress.isEmpty() ? QHostAddress(QHostAddress::Any) : QHostAddress(options->listenAddress);
    if (!listener->listen(address, options->listenPort)) {
        complain(QStringLiteral("cannot listen on port %1: %2").arg(options->listenPort).arg(listener->errorString()));
        return 1;
    }
    const quint16 port = listener->serverPort();
    zz::MatchmakerServer server(options->allocator, std::move(client));
    server.serve(listener.release());   // the server owns it from here
    zz::SignalWatcher watcher;
    QObject::connect(&watcher, &zz::SignalWatcher::signalled, QCoreApplication::instance(), &QCoreApplication::quit);
    std::fprintf(stderr, "matchmaker: listening on %s port %u\n", address.toString().toLocal8Bit().constData(),
                 static_cast<unsigned>(port));
    return QCoreApplication::exec();
}

} // namespace

extern "C" Q_DECL_EXPORT int zz_matchmakerModuleInterface()
{
    return zz::matchmakermodule::Interface;
}

extern "C" Q_DECL_EXPORT int zz_matchmakerModuleRun(const QStringList &arguments)
{
    try {
        return run(arguments);
    } catch (const std::exception &e) {
        complain(QString::fromLocal8Bit(e.what()));
        return 1;
    }
}
