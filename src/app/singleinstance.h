#pragma once
// One running game per user: the first instance keeps a lock and listens on a
// local socket; a later one asks it to bring its window forward and ends.
#include <QObject>
#include <QString>

#include <memory>

class QLockFile;
class QSocketNotifier;

namespace zz {

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // name: already unique per user; it names the lock file and the local socket.
    // lockFolder: where the lock file goes; the temporary folder when empty.
    explicit SingleInstance(QString name, QObject *parent = nullptr, QString lockFolder = {});
    ~SingleInstance() override;

    // true: the game may start. It is the first instance and now listens, or
    // the lock could not be had for another reason than a running game (the
    // folder cannot be written, a lock file of another user), which is then
    // warned about on standard error. false: another game holds the lock and
    // answered, and was asked to bring its window forward.
    bool claim();

Q_SIGNALS:
    void activationRequested();

private:
    bool listen();
    void connectionArrived();
    void requestArrived(int connection, QSocketNotifier *notifier);
    bool askRunningInstance() const;

    QString m_name;
    QString m_lockFolder;
    std::unique_ptr<QLockFile> m_lock;
    int m_listener = -1;   // its notifier and the connections' are children
};

} // namespace zz
