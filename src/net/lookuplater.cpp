#include "net/lookuplater.h"

#include <QMetaObject>
#include <QObject>

#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace zz::net {

namespace {

// Waits beside the context for the worker's answer. The worker hands it over
// only while holding the lock and while the reply still exists, so a context
// destroyed meanwhile is never reached.
class Reply : public QObject
{
public:
    struct Link
    {
        std::mutex mutex;
        Reply *reply = nullptr;
    };

    Reply(QObject &context, std::string name, std::function<void(std::optional<IpAddress>)> done)
        : QObject(&context)
        , m_link(std::make_shared<Link>())
        , m_name(std::move(name))
        , m_done(std::move(done))
    {
        m_link->reply = this;
    }

    ~Reply() override
    {
        const std::lock_guard lock(m_link->mutex);
        m_link->reply = nullptr;
    }

    std::shared_ptr<Link> link() const { return m_link; }

    // On the context's thread. The reply is gone before done runs, so done
    // may destroy the context.
    void deliver(std::optional<IpAddress> address)
    {
        if (address)
            rememberHost(m_name, *address);
        auto done = std::move(m_done);
        delete this;
        done(address);
    }

    static void post(const std::shared_ptr<Link> &link, std::optional<IpAddress> address)
    {
        const std::lock_guard lock(link->mutex);
        if (Reply *reply = link->reply)
            QMetaObject::invokeMethod(reply, [reply, address] { reply->deliver(address); }, Qt::QueuedConnection);
    }

private:
    std::shared_ptr<Link> m_link;
    std::string m_name;
    std::function<void(std::optional<IpAddress>)> m_done;
};

} // namespace

void lookUpHostLater(const std::string &hostName, QObject &context,
                     std::function<void(std::optional<IpAddress>)> done, Resolver resolve)
{
    auto *reply = new Reply(context, hostName, std::move(done));
    std::shared_ptr<Reply::Link> link = reply->link();
    try {
        // Detached: a look-up still waiting when the game ends must not hold it up.
        std::thread([link, hostName, resolve = std::move(resolve)] { Reply::post(link, resolve(hostName)); }).detach();
    } catch (const std::system_error &) {
        Reply::post(link, std::nullopt);
    }
}

} // namespace zz::net
