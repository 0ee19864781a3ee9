#include "fleet/sidecarreply.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <limits>

namespace zz::fleet {

namespace {

std::optional<QJsonObject> objectOf(std::string_view body)
{
    if (body.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(body.data(), static_cast<qsizetype>(body.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

// A 64-bit number arrives as a string; a number is taken too.
std::optional<long long> integerOf(const QJsonValue &value)
{
    if (value.isDouble())
        return static_cast<long long>(value.toDouble());
    if (!value.isString())
        return std::nullopt;
    bool ok = false;
    const long long number = value.toString().toLongLong(&ok);
    return ok ? std::optional<long long>(number) : std::nullopt;
}

} // namespace

std::optional<SidecarList> readList(std::string_view body)
{
    const std::optional<QJsonObject> object = objectOf(body);
    if (!object)
        return std::nullopt;
    const QJsonValue values = object->value(QStringLiteral("values"));
    if (!values.isArray() && !values.isUndefined())
        return std::nullopt;
    SidecarList list;
    list.name = object->value(QStringLiteral("name")).toString().toStdString();
    list.capacity = integerOf(object->value(QStringLiteral("capacity"))).value_or(0);
    for (const QJsonValue &value : values.toArray()) {
        if (!value.isString())
            return std::nullopt;
        list.values.insert(value.toString().toStdString());
    }
    return list;
}

std::string errorMessage(std::string_view body)
{
    const std::optional<QJsonObject> object = objectOf(body);
    return object ? object->value(QStringLiteral("message")).toString().toStdString() : std::string();
}

} // namespace zz::fleet
