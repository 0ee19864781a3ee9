#include "fleet/sidecarmirror.h"

#include "fleet/sidecar.h"
#include "fleet/sidecarreply.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <algorithm>

namespace zz::fleet {

namespace {

std::string jsonObject(std::initializer_list<std::pair<const char *, std::string>> fields)
{
    QJsonObject object;
    for (const auto &[key, value] : fields)
        object.insert(QLatin1String(key), QString::fromStdString(value));
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

} // namespace

SidecarMirror::SidecarMirror(Sidecar &sidecar, QObject *parent) : QObject(parent), m_sidecar(sidecar)
{
    m_lists[0].name = "players";
    m_lists[1].name = "watchers";
    for (List &list : m_lists)
        prepare(list.channel);
    prepare(m_label);
}

void SidecarMirror::prepare(Channel &channel)
{
    channel.retry = new QTimer(this);
    channel.retry->setSingleShot(true);
    connect(channel.retry, &QTimer::timeout, this, [this] { step(); });
}

bool SidecarMirror::idle(const Channel &channel) const
{
    return !channel.busy && !channel.retry->isActive();
}

void SidecarMirror::setWanted(Wanted wanted)
{
    m_wanted = std::move(wanted);
    step();
}

void SidecarMirror::resync()
{
    for (List &list : m_lists)
        list.known.reset();
    m_knownLabel.reset();
    step();
}

bool SidecarMirror::inStep() const
{
    return m_lists[0].known == m_wanted.players && m_lists[1].known == m_wanted.watchers
           && (m_wanted.game.empty() || m_knownLabel == m_wanted.game);
}

void SidecarMirror::stop()
{
    m_stopped = true;
    for (List &list : m_lists)
        list.channel.retry->stop();
    m_label.retry->stop();
}

void SidecarMirror::step()
{
    if (m_stopped)
        return;
    stepList(m_lists[0], m_wanted.players);
    stepList(m_lists[1], m_wanted.watchers);
    stepLabel();
}

void SidecarMirror::stepList(List &list, const std::set<std::string> &wanted)
{
    if (!idle(list.channel))
        return;
    if (!list.known) {
        readList(list);
        return;
    }
    const auto missing = std::find_if(wanted.begin(), wanted.end(), [&](const auto &v) { return !list.known->count(v); });
    if (missing != wanted.end()) {
        changeList(list, "addValue", *missing);
        return;
    }
    const auto extra =
        std::find_if(list.known->begin(), list.known->end(), [&](const auto &v) { return !wanted.count(v); });
    if (extra != list.known->end())
        changeList(list, "removeValue", *extra);
}

void SidecarMirror::readList(List &list)
{
    list.channel.busy = true;
    const std::string what = "reading the List " + list.name;
    m_sidecar.call("GET", "v1beta1/lists/" + list.name, {}, [this, &list, what](const HttpReply &reply) {
        list.channel.busy = false;
        std::optional<SidecarList> read = Sidecar::ok(reply) ? fleet::readList(reply.body) : std::nullopt;
        if (!read) {
            failed(list.channel, what, reply);
            return;
        }
        list.known = std::move(read->values);
        list.fresh = true;
        succeeded(list.channel, what);
    });
}

void SidecarMirror::changeList(List &list, const std::string &verb, const std::string &value)
{
    list.channel.busy = true;
    const std::string what = "changing the List " + list.name;
    m_sidecar.call("POST", "v1beta1/lists/" + list.name + ":" + verb, jsonObject({{"value", value}}),
                   [this, &list, verb, value, what](const HttpReply &reply) {
                       list.channel.busy = false;
                       if (Sidecar::ok(reply)) {
                           if (verb == "addValue")
                               list.known->insert(value);
                           else
                               list.known->erase(value);
                           list.fresh = false;
                           succeeded(list.channel, what);
                           return;
                       }
                       // A value already there or already gone is answered
                       // 500 too: read the List again before calling it a fault.
                       const bool mayBeAlreadyDone = reply.status == 500 && !list.fresh;
                       list.known.reset();
                       if (mayBeAlreadyDone)
                           step();
                       else
                           failed(list.channel, what, reply);
                   });
}

void SidecarMirror::stepLabel()
{
    if (!idle(m_label) || m_wanted.game.empty() || m_knownLabel == m_wanted.game)
        return;
    m_label.busy = true;
    const std::string value = m_wanted.game;
    m_sidecar.call("PUT", "metadata/label", jsonObject({{"key", "game"}, {"value", value}}),
                   [this, value](const HttpReply &reply) {
                       m_label.busy = false;
                       if (!Sidecar::ok(reply)) {
                           m_knownLabel.reset();
                           failed(m_label, "labelling the game", reply);
                           return;
                       }
                       m_knownLabel = value;
                       succeeded(m_label, "labelling the game");
                   });
}

void SidecarMirror::succeeded(Channel &channel, const std::string &what)
{
    m_sidecar.reportSuccess(what);
    channel.retryMs = FirstRetryMs;
    step();
}

void SidecarMirror::failed(Channel &channel, const std::string &what, const HttpReply &reply)
{
    m_sidecar.reportFailure(what, reply);
    channel.retry->start(channel.retryMs);
    channel.retryMs = std::min(2 * channel.retryMs, LongestRetryMs);
}

} // namespace zz::fleet
