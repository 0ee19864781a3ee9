#include "app/singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <QSocketNotifier>
#include <QUrl>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

namespace zz {

namespace {

constexpr int RequestTimeoutMs = 1000;
constexpr char ActivationRequest[] = "activate\n";

// A user name may hold characters a file or socket name cannot.
QString safeName(const QString &name)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(name));
}

const char *lockErrorText(QLockFile::LockError error)
{
    switch (error) {
    case QLockFile::LockFailedError:
        return "held by no running game";
    case QLockFile::PermissionError:
        return "the folder cannot be written";
    default:
        return "the lock file cannot be made";
    }
}

// The socket's file in the temporary folder, where games before this one
// listened too; nullopt when the path is too long for a socket.
std::optional<sockaddr_un> socketAddress(const QString &name)
{
    const QByteArray path = QFile::encodeName(QDir(QDir::tempPath()).filePath(name));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    return address;
}

int localSocket(int flags = 0)
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
}

} // namespace

SingleInstance::SingleInstance(QString name, QObject *parent, QString lockFolder)
    : QObject(parent)
    , m_name(safeName(name))
    , m_lockFolder(lockFolder.isEmpty() ? QDir::tempPath() : std::move(lockFolder))
{
}

SingleInstance::~SingleInstance()
{
    // Every socket still open has its notifier among the children: the
    // listener's, and those of connections not read yet.
    for (QSocketNotifier *notifier : findChildren<QSocketNotifier *>(Qt::FindDirectChildrenOnly))
        ::close(int(notifier->socket()));
    if (m_listener < 0)
        return;
    if (const auto address = socketAddress(m_name))
        ::unlink(address->sun_path);
}

bool SingleInstance::claim()
{
    if (m_lock)
        return true;
    const QString lockPath = QDir(m_lockFolder).filePath(m_name + QStringLiteral(".lock"));
    auto lock = std::make_unique<QLockFile>(lockPath);
    // Only a lock of a process that is gone is stale, however old it is.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        // A held lock means a running game only when that game answers; a lock
        // that cannot be made or taken over must not keep the player out.
        if (lock->error() == QLockFile::LockFailedError && askRunningInstance())
            return false;
        qWarning("zigzop: cannot take the lock %s (%s); starting without the one-game check",
                 qPrintable(QDir::toNativeSeparators(lockPath)),
                 lockErrorText(lock->error()));
        return true;
    }
    m_lock = std::move(lock);
    if (!listen())
        qWarning("Single instance: cannot listen on %s: %s", qPrintable(m_name), std::strerror(errno));
    return true;
}

bool SingleInstance::listen()
{
    const auto address = socketAddress(m_name);
    if (!address) {
        errno = ENAMETOOLONG;
        return false;
    }
    // Non-blocking: the accepting loop ends when nobody else waits.
    m_listener = localSocket(SOCK_NONBLOCK);
    if (m_listener < 0)
        return false;
    // The lock is ours, so a socket file left here belongs to a dead game.
    ::unlink(address->sun_path);
    if (::bind(m_listener, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) != 0
        || ::chmod(address->sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(m_listener, 4) != 0) {
        const int error = errno;
        ::close(m_listener);
        m_listener = -1;
        errno = error;
        return false;
    }
    auto *notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &SingleInstance::connectionArrived);
    return true;
}

bool SingleInstance::askRunningInstance() const
{
    // Runs before any event loop exists, on a local socket: a short bounded
    // wait is all it costs.
    const auto address = socketAddress(m_name);
    const int fd = address ? localSocket() : -1;
    if (fd < 0)
        return false;
    const timeval timeout{RequestTimeoutMs / 1000, (RequestTimeoutMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    const bool asked = ::connect(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) == 0
                       && ::send(fd, ActivationRequest, sizeof ActivationRequest - 1, MSG_NOSIGNAL) > 0;
    ::close(fd);
    return asked;
}

void SingleInstance::connectionArrived()
{
    for (;;) {
        const int connection = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection < 0)
            return;
        auto *notifier = new QSocketNotifier(connection, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this,
                [this, connection, notifier] { requestArrived(connection, notifier); });
    }
}

void SingleInstance::requestArrived(int connection, QSocketNotifier *notifier)
{
    char bytes[64];
    const ssize_t got = ::recv(connection, bytes, sizeof bytes, 0);
    if (got < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    // Any request at all asks for the window; one is all a connection carries.
    if (got > 0)
        Q_EMIT activationRequested();
    notifier->setEnabled(false);
    notifier->setParent(nullptr);
    notifier->deleteLater();
    ::close(connection);
}

} // namespace zz
