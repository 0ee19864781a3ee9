#include "waitfor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace zz::test {

namespace {

// Sees every event the application delivers while it is installed.
class EventCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *) override
    {
        ++count;
        return false;
    }
};

} // namespace

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

bool runUntilIdle(int maxTurns)
{
    EventCounter counter;
    QCoreApplication::instance()->installEventFilter(&counter);
    bool idle = false;
    for (int turn = 0; turn < maxTurns && !idle; ++turn) {
        counter.count = 0;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        idle = counter.count == 0;
    }
    QCoreApplication::instance()->removeEventFilter(&counter);
    return idle;
}

} // namespace zz::test
