#pragma once
// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the event loop, so the
// game can close its window in order and the headless host can quit cleanly.
#include <QObject>

class QSocketNotifier;

namespace zz {

class SignalWatcher : public QObject
{
    Q_OBJECT
public:
    // Installs the handlers; the newest watcher receives the signals. The
    // destructor puts back the handlers that were there before.
    explicit SignalWatcher(QObject *parent = nullptr);
    ~SignalWatcher() override;

Q_SIGNALS:
    void signalled(int signalNumber);

private:
    void pipeReadable();

    int m_readFd = -1;
    int m_writeFd = -1;
    int m_previousWriteFd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace zz
