#include "net/tableannouncement.h"

#include "core/names.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace zz::net {

namespace {

constexpr std::string_view GameId = "zigzop";
constexpr std::size_t MaxAnnouncement = 1024;

QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr qsizetype MaxText = 64;   // characters of a name, an owner or a version

// A whole number within [low, high], or nullopt.
std::optional<int> count(const QJsonValue &value, int low, int high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    // The range first: a number far out of it does not fit an integer.
    if (!(number >= low && number <= high) || number != static_cast<double>(static_cast<int>(number)))
        return std::nullopt;
    return static_cast<int>(number);
}

// What a table may say of itself: no control characters, at most MaxText.
QString shown(std::string_view text)
{
    QString result = utf8(text).left(MaxText);
    for (QChar &c : result)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return result;
}

bool showable(const QString &text)
{
    return text.size() <= MaxText
           && std::none_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

std::string encodeAnnouncement(const TableAnnouncement &table)
{
    QJsonObject object;
    object.insert(QStringLiteral("game"), utf8(GameId));
    object.insert(QStringLiteral("version"), shown(table.version));
    object.insert(QStringLiteral("port"), table.port);
    object.insert(QStringLiteral("name"), shown(table.name));
    object.insert(QStringLiteral("owner"), shown(table.owner));
    object.insert(QStringLiteral("players"), table.players);
    object.insert(QStringLiteral("watchers"), table.watchers);
    object.insert(QStringLiteral("playing"), table.playing);
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::optional<TableAnnouncement> decodeAnnouncement(std::string_view bytes)
{
    if (bytes.size() > MaxAnnouncement)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const auto text = [&](const char *key) -> std::optional<std::string> {
        const QJsonValue value = object.value(QLatin1String(key));
        if (!value.isString() || !showable(value.toString()))
            return std::nullopt;
        return value.toString().toStdString();
    };
    const std::optional<std::string> game = text("game"), version = text("version"), name = text("name"),
                                     owner = text("owner");
    const std::optional<int> port = count(object.value(QStringLiteral("port")), 1, 65535);
    const std::optional<int> players = count(object.value(QStringLiteral("players")), 0, PlayerSeatCount);
    const std::optional<int> watchers =
        count(object.value(QStringLiteral("watchers")), 0, MaxConnections - PlayerSeatCount);
    const QJsonValue playing = object.value(QStringLiteral("playing"));
    if (game != GameId || !version || !name || !owner || !port || !players || !watchers || !playing.isBool())
        return std::nullopt;
    return TableAnnouncement{*version, static_cast<std::uint16_t>(*port), *name, *owner, *players, *watchers,
                             playing.toBool()};
}

} // namespace zz::net
