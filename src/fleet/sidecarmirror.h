#pragma once
// Keeps the sidecar's Lists "players" and "watchers" and the label "game"
// equal to what the table wants, one request at a time for each, so one
// that fails does not hold up the others. A List is read
// again whenever the sidecar may hold something else than we think (at
// start, after a failed change, after the sidecar came back), so a value
// already there or already gone is never taken for a fault.
#include <QObject>

class QTimer;

#include <array>
#include <optional>
#include <set>
#include <string>

namespace zz {
struct HttpReply;
}

namespace zz::fleet {

class Sidecar;

class SidecarMirror : public QObject
{
public:
    struct Wanted
    {
        std::set<std::string> players, watchers;
        std::string game; // the label's value; "" leaves the label alone
        bool operator==(const Wanted &) const = default;
    };
    static constexpr int FirstRetryMs = 250;
    static constexpr int LongestRetryMs = 2000;

    // The sidecar must outlive the mirror.
    explicit SidecarMirror(Sidecar &sidecar, QObject *parent = nullptr);

    void setWanted(Wanted wanted);
    // Forgets what the sidecar holds, so it is read and put right again.
    void resync();
    // Sends nothing more, retries included: the table is closing.
    void stop();
    // True when every List and the label are known to be as wanted.
    bool inStep() const;

private:
    // One thing kept in step, with its own request and back-off.
    struct Channel
    {
        bool busy = false;
        QTimer *retry = nullptr;
        int retryMs = FirstRetryMs;
    };
    struct List
    {
        std::string name;
        std::optional<std::set<std::string>> known; // nullopt: read it first
        bool fresh = false;                         // known was just read
        Channel channel;
    };

    void step();
    void stepList(List &list, const std::set<std::string> &wanted);
    void readList(List &list);
    void changeList(List &list, const std::string &verb, const std::string &value);
    void stepLabel();
    void succeeded(Channel &channel, const std::string &what);
    void failed(Channel &channel, const std::string &what, const HttpReply &reply);
    bool idle(const Channel &channel) const;
    void prepare(Channel &channel);

    Sidecar &m_sidecar;
    Wanted m_wanted;
    std::array<List, 2> m_lists;
    std::optional<std::string> m_knownLabel;
    Channel m_label;
    bool m_stopped = false;
};

} // namespace zz::fleet
