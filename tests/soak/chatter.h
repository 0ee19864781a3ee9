#pragma once
// A chat client that stays for the whole run: it sends numbered lines at a
// steady pace and keeps, for every chat client, the numbers it heard in the
// order they came.
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>

namespace zz {
class ClientSession;
}

namespace zz::soak {

class Report;

class Chatter : public QObject
{
    Q_OBJECT
public:
    Chatter(int number, Report &report, QObject *parent = nullptr);

    void connectTo(std::uint16_t port);
    void startTalking(int intervalMs);
    void stopTalking() { m_talk.stop(); }
    // Leaving on purpose: the close that follows is no fault.
    void leave();

    const QString &name() const { return m_name; }
    int seat() const;
    int linesSent() const { return m_sent; }
    // True once the last line the speaker sent has come back here.
    bool heardAllOf(const Chatter &speaker) const;
    // What went missing or came out of order from the speaker; "" when nothing.
    QString gapsIn(const Chatter &speaker) const;

private:
    void sendLine();
    void lineReceived(const QString &line);

    Report &m_report;
    QString m_name;
    QPointer<ClientSession> m_session; // child, until it leaves
    QTimer m_talk;
    int m_sent = 0;
    bool m_leaving = false;
    QMap<QString, QList<int>> m_heard; // speaker's name -> line numbers as they came
};

} // namespace zz::soak
