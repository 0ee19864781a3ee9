#pragma once
// One running game per user: the first instance keeps a lock and listens on a
// local socket; a later one asks it to bring its window forward and ends.
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace zz {

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // name: already unique per user; it names the lock file and the local socket.
    explicit SingleInstance(QString name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // true: this is the first instance and now listens; false: another
    // instance runs and was asked to bring its window forward.
    bool claim();

Q_SIGNALS:
    void activationRequested();

private:
    void connectionArrived();
    void askRunningInstance();

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace zz
