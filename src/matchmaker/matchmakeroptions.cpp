#include "matchmaker/matchmakeroptions.h"

#include "core/tableaddress.h"

#include <map>

namespace zz {

namespace {

const QStringList ValueOptions = {
    QStringLiteral("--listen"),     QStringLiteral("--allocator"), QStringLiteral("--client-cert"),
    QStringLiteral("--client-key"), QStringLiteral("--ca"),        QStringLiteral("--namespace"),
    QStringLiteral("--fleet"),      QStringLiteral("--tls-cert"),  QStringLiteral("--tls-key")};

// "PORT", "ADDRESS:PORT" or "[IPV6]:PORT".
bool readListen(const QString &text, MatchmakerOptions &options)
{
    bool isNumber = false;
    const uint port = text.toUInt(&isNumber);
    if (isNumber) {
        options.listenPort = static_cast<quint16>(port);
        return port >= 1 && port <= 65535;
    }
    const auto address = parseTableAddress(text.toStdString(), 0);
    if (!address || address->port == 0)
        return false;
    options.listenAddress = QString::fromStdString(address->host);
    options.listenPort = address->port;
    return true;
}

} // namespace

std::optional<MatchmakerOptions> readMatchmakerOptions(const QStringList &arguments, QString *error)
{
    std::map<QString, QString> values;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QStringLiteral("--matchmaker"))
            continue;
        if (!ValueOptions.contains(argument)) {
            *error = QStringLiteral("unknown option ") + argument;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            *error = argument + QStringLiteral(" needs a value");
            return std::nullopt;
        }
        values[argument] = arguments[++i];
    }
    for (const char *required : {"--listen", "--allocator", "--client-cert", "--client-key", "--ca"}) {
        if (values[QString::fromLatin1(required)].isEmpty()) {
            *error = QString::fromLatin1(required) + QStringLiteral(" is required");
            return std::nullopt;
        }
    }
    MatchmakerOptions options;
    if (!readListen(values[QStringLiteral("--listen")], options)) {
        *error = QStringLiteral("--listen takes [ADDRESS:]PORT");
        return std::nullopt;
    }
    QString url = values[QStringLiteral("--allocator")];
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    if (!url.startsWith(QStringLiteral("https://")) || url.size() <= 8) {
        *error = QStringLiteral("--allocator takes https://HOST[:PORT]");
        return std::nullopt;
    }
    options.allocator.url = url.toStdString();
    options.allocator.clientCertFile = values[QStringLiteral("--client-cert")].toStdString();
    options.allocator.clientKeyFile = values[QStringLiteral("--client-key")].toStdString();
    options.allocator.caFile = values[QStringLiteral("--ca")].toStdString();
    if (const QString name = values[QStringLiteral("--namespace")]; !name.isEmpty())
        options.allocator.target.namespaceName = name.toStdString();
    if (const QString fleet = values[QStringLiteral("--fleet")]; !fleet.isEmpty())
        options.allocator.target.fleet = fleet.toStdString();
    options.tlsCertFile = values[QStringLiteral("--tls-cert")];
    options.tlsKeyFile = values[QStringLiteral("--tls-key")];
    if (options.tlsCertFile.isEmpty() != options.tlsKeyFile.isEmpty()) {
        *error = QStringLiteral("--tls-cert and --tls-key go together");
        return std::nullopt;
    }
    return options;
}

} // namespace zz
