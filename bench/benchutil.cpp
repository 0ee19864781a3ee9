#include "benchutil.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace bench {

bool runUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QTimer limit;
    limit.setSingleShot(true);
    limit.start(timeoutMs);
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

void runFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    runUntil([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

Percentiles percentiles(std::vector<double> v)
{
    if (v.empty())
        return {};
    std::sort(v.begin(), v.end());
    auto at = [&v](double q) { return v[std::min(v.size() - 1, std::size_t(q * double(v.size())))]; };
    return {at(0.50), at(0.99), v.back()};
}

double median(std::vector<double> v)
{
    return percentiles(std::move(v)).p50;
}

namespace {

QByteArray readProc(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

long statusField(const QByteArray &status, const char *name)
{
    const int at = status.indexOf(name);
    if (at < 0)
        return 0;
    return status.mid(at + int(std::strlen(name))).trimmed().split('\n').value(0).split(' ').value(0).toLong();
}

} // namespace

ProcessUse processUse(pid_t pid)
{
    ProcessUse use;
    // Fields 14 and 15 of stat, after the name in parentheses: user and system ticks.
    const QByteArray stat = readProc(QStringLiteral("/proc/%1/stat").arg(pid));
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    use.cpuMs = double(fields.value(11).toLong() + fields.value(12).toLong()) * 1000.0 / double(sysconf(_SC_CLK_TCK));
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const long wakeUps = statusField(readProc(tasks.filePath(task) + QStringLiteral("/status")),
                                         "voluntary_ctxt_switches:");
        use.wakeUps += wakeUps;
        if (task.toLong() == pid)
            use.mainWakeUps = wakeUps;
    }
    return use;
}

double mainThreadCpuMs(pid_t pid)
{
    return readProc(QStringLiteral("/proc/%1/schedstat").arg(pid)).split(' ').value(0).toDouble() / 1e6;
}

long residentKiB(pid_t pid)
{
    return statusField(readProc(QStringLiteral("/proc/%1/status").arg(pid)), "VmRSS:");
}

long privateResidentKiB(pid_t pid)
{
    return statusField(readProc(QStringLiteral("/proc/%1/status").arg(pid)), "RssAnon:");
}

bool ownLoopbackOnly()
{
    if (unshare(CLONE_NEWNET) != 0)
        return false;
    const int s = socket(AF_INET, SOCK_DGRAM, 0);
    ifreq request{};
    std::strncpy(request.ifr_name, "lo", IFNAMSIZ - 1);
    bool up = s >= 0 && ioctl(s, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags = short(request.ifr_flags | IFF_UP);
    up = up && ioctl(s, SIOCSIFFLAGS, &request) == 0;
    if (s >= 0)
        close(s);
    return up;
}

} // namespace bench
