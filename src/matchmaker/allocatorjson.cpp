#include "matchmaker/allocatorjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zz {

namespace {

const QString ModeLabel = QStringLiteral("zigzop/mode");
const QString FleetLabel = QStringLiteral("agones.dev/fleet");
const QString PlayersList = QStringLiteral("players");

QJsonObject selector(const AllocatorTarget &target, const char *state, const QString &mode)
{
    QJsonObject labels{{FleetLabel, QString::fromStdString(target.fleet)}};
    if (!mode.isEmpty())
        labels.insert(ModeLabel, mode);
    // Counts travel as strings in the allocator's JSON (64-bit proto fields).
    const QJsonObject room{{QStringLiteral("minAvailable"), QStringLiteral("1")}};
    return {{QStringLiteral("matchLabels"), labels},
            {QStringLiteral("gameServerState"), QString::fromLatin1(state)},
            {QStringLiteral("lists"), QJsonObject{{PlayersList, room}}}};
}

} // namespace

QByteArray allocationRequest(TableKind kind, const AllocatorTarget &target)
{
    const bool isPublic = kind == TableKind::Public;
    const QString mode = isPublic ? QStringLiteral("public") : QStringLiteral("private");
    QJsonArray selectors;
    if (isPublic)
        selectors.append(selector(target, "ALLOCATED", mode));
    selectors.append(selector(target, "READY", {}));
    QJsonObject request{
        {QStringLiteral("namespace"), QString::fromStdString(target.namespaceName)},
        {QStringLiteral("gameServerSelectors"), selectors},
        {QStringLiteral("scheduling"), QStringLiteral("Packed")},
        {QStringLiteral("metadata"), QJsonObject{{QStringLiteral("labels"), QJsonObject{{ModeLabel, mode}}}}},
    };
    if (isPublic) {
        // Fewest free seats first: fill tables before opening new ones.
        request.insert(QStringLiteral("priorities"),
                       QJsonArray{QJsonObject{{QStringLiteral("type"), QStringLiteral("List")},
                                              {QStringLiteral("key"), PlayersList},
                                              {QStringLiteral("order"), QStringLiteral("Ascending")}}});
    }
    return QJsonDocument(request).toJson(QJsonDocument::Compact);
}

std::optional<AllocatedTable> readAllocation(const QByteArray &body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject answer = document.object();
    AllocatedTable table;
    table.name = answer.value(QStringLiteral("gameServerName")).toString().toStdString();
    table.address = answer.value(QStringLiteral("address")).toString().toStdString();
    const QJsonArray ports = answer.value(QStringLiteral("ports")).toArray();
    double port = 0;
    for (const QJsonValue &entry : ports) {
        const QJsonObject named = entry.toObject();
        if (port == 0 || named.value(QStringLiteral("name")).toString() == QStringLiteral("default"))
            port = named.value(QStringLiteral("port")).toDouble();
    }
    if (table.address.empty() || !(port >= 1 && port <= 65535) || port != static_cast<int>(port))
        return std::nullopt;
    table.port = static_cast<std::uint16_t>(port);
    return table;
}

std::string allocatorMessage(const QByteArray &body)
{
    return QJsonDocument::fromJson(body).object().value(QStringLiteral("message")).toString().toStdString();
}

} // namespace zz
