#include "lobby/matchmakerclient.h"

#include "core/tableoffer.h"
#include "http/httpclient.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace zz {

namespace {

QString field(std::string_view name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

MatchmakerClient::MatchmakerClient(QObject *parent) : QObject(parent) {}

MatchmakerClient::~MatchmakerClient() = default;

std::vector<std::string> &MatchmakerClient::httpModulePaths()
{
    static std::vector<std::string> paths;
    return paths;
}

std::string MatchmakerClient::urlFor(const QString &matchmaker, std::string_view route)
{
    QString base = matchmaker.trimmed();
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    if (base.isEmpty() || base.contains(QLatin1Char(' ')))
        return {};
    if (!base.contains(QStringLiteral("://")))
        base.prepend(QStringLiteral("http://"));
    else if (!base.startsWith(QStringLiteral("http://")) && !base.startsWith(QStringLiteral("https://")))
        return {};
    return base.toStdString() + std::string(route);
}

std::variant<TableOffer, QString> MatchmakerClient::readAnswer(int status, const std::string &body)
{
    const QJsonObject answer = QJsonDocument::fromJson(QByteArray::fromStdString(body)).object();
    if (status != 200) {
        const QString error = answer.value(field(offer::ErrorField)).toString();
        return error.isEmpty() ? QStringLiteral("The matchmaker answered %1.").arg(status)
                               : QStringLiteral("The matchmaker says: ") + error;
    }
    const std::string address = answer.value(field(offer::AddressField)).toString().toStdString();
    const int port = answer.value(field(offer::PortField)).toInt();
    if (address.empty() || port < 1 || port > 65535 || !parseTableAddress(address, static_cast<std::uint16_t>(port)))
        return QStringLiteral("The matchmaker's answer names no table.");
    return TableOffer{{address, static_cast<std::uint16_t>(port)},
                      answer.value(field(offer::TableField)).toString().toStdString(),
                      answer.value(field(offer::CodeField)).toString().toStdString()};
}

void MatchmakerClient::askForTable(const QString &matchmaker, bool privateTable)
{
    cancel();
    const std::string url = urlFor(matchmaker, privateTable ? offer::PrivateRoute : offer::QuickRoute);
    std::string error;
    if (url.empty())
        error = "that is no matchmaker address";
    else if (!m_client)
        m_client = httpModulePaths().empty() ? makeHttpClient(&error) : makeHttpClient(httpModulePaths(), &error);
    if (!m_client || url.empty()) {
        const QString words = QStringLiteral("Cannot ask the matchmaker: ") + QString::fromStdString(error);
        QMetaObject::invokeMethod(this, [this, words] { Q_EMIT failed(words); }, Qt::QueuedConnection);
        return;
    }
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.body = "{}";
    request.headers = {{"Content-Type", "application/json"}};
    request.timeoutMs = 15000;   // the matchmaker gives its allocator 5 s
    m_busy = true;
    m_client->send(std::move(request), [this, matchmaker](const HttpReply &reply) {
        m_busy = false;
        if (reply.status == 0) {
            Q_EMIT failed(QStringLiteral("Could not reach the matchmaker at %1: %2")
                              .arg(matchmaker.trimmed(), QString::fromStdString(reply.error)));
            return;
        }
        const auto answer = readAnswer(reply.status, reply.body);
        if (const auto *offer = std::get_if<TableOffer>(&answer))
            Q_EMIT tableOffered(*offer);
        else
            Q_EMIT failed(std::get<QString>(answer));
    });
}

void MatchmakerClient::cancel()
{
    if (m_client)
        m_client->cancelAll();
    m_busy = false;
}

} // namespace zz
