#include "net/signalwatcher.h"

#include <QPointer>
#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

namespace zz {

namespace {

constexpr std::array<int, 3> WatchedSignals = {SIGINT, SIGTERM, SIGHUP};

// The write end of the newest watcher's socket pair; the handler may only
// touch async-signal-safe state.
volatile std::sig_atomic_t signalWriteFd = -1;

std::array<struct sigaction, WatchedSignals.size()> previousActions{};

extern "C" void writeSignalNumber(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    if (signalWriteFd >= 0) {
        // A full pipe drops the byte: the same signal is already on its way.
        [[maybe_unused]] const ssize_t written = ::write(signalWriteFd, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

SignalWatcher::SignalWatcher(QObject *parent)
    : QObject(parent)
{
    int fds[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0) {
        qWarning("Signal watcher: no socket pair; signals keep their default action");
        return;
    }
    m_readFd = fds[0];
    m_writeFd = fds[1];
    m_notifier = new QSocketNotifier(m_readFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalWatcher::pipeReadable);

    m_previousWriteFd = signalWriteFd;
    signalWriteFd = m_writeFd;
    struct sigaction action{};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < WatchedSignals.size(); ++i) {
        struct sigaction previous{};
        ::sigaction(WatchedSignals[i], &action, &previous);
        // Keep the first handlers seen, so the last watcher puts them back.
        if (m_previousWriteFd < 0)
            previousActions[i] = previous;
    }
}

SignalWatcher::~SignalWatcher()
{
    if (m_writeFd < 0)
        return;
    signalWriteFd = m_previousWriteFd;
    if (m_previousWriteFd < 0) {
        for (std::size_t i = 0; i < WatchedSignals.size(); ++i)
            ::sigaction(WatchedSignals[i], &previousActions[i], nullptr);
    }
    ::close(m_writeFd);
    ::close(m_readFd);
}

void SignalWatcher::pipeReadable()
{
    const QPointer<SignalWatcher> self(this);   // a receiver may end the watcher
    unsigned char bytes[16];
    ssize_t count = 0;
    while ((count = ::read(m_readFd, bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < count && self; ++i)
            Q_EMIT signalled(bytes[i]);
        if (!self)
            return;
    }
}

} // namespace zz
