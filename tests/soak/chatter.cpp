#include "chatter.h"

#include "report.h"
#include "session/clientsession.h"

#include <QRegularExpression>

namespace zz::soak {

namespace {

// "5+SoakChat2 chats: line 17": the seat field, the speaker and the number.
const QRegularExpression &numberedLine()
{
    static const QRegularExpression pattern(QStringLiteral("^\\d+\\+(SoakChat\\d+) chats: line (\\d+)$"));
    return pattern;
}

} // namespace

Chatter::Chatter(int number, Report &report, QObject *parent)
    : QObject(parent), m_report(report), m_name(QStringLiteral("SoakChat%1").arg(number)),
      m_session(new ClientSession(this))
{
    m_session->setPlayerName(m_name);
    connect(&m_talk, &QTimer::timeout, this, &Chatter::sendLine);
    connect(m_session, &ClientSession::chatLine, this, &Chatter::lineReceived);
    connect(m_session, &ClientSession::playerArrived, this, [this](int seat, const QString &who, bool) {
        if (who.contains(QStringLiteral("SPOOF")))
            m_report.fail(QStringLiteral("seat %1 was renamed by another connection: \"%2\"").arg(seat).arg(who));
    });
    connect(m_session, &ClientSession::connectionClosed, this, [this] {
        if (!m_leaving)
            m_report.fail(QStringLiteral("the host closed the connection of %1").arg(m_name));
    });
}

void Chatter::connectTo(std::uint16_t port)
{
    m_session->connectTo("127.0.0.1", port);
}

void Chatter::startTalking(int intervalMs)
{
    m_talk.start(intervalMs);
}

void Chatter::leave()
{
    m_leaving = true;
    m_talk.stop();
    if (m_session)
        m_session->deleteLater(); // its socket closes as it goes
}

int Chatter::seat() const
{
    return m_session && m_session->loggedIn() ? m_session->ownSeat() : 0;
}

bool Chatter::heardAllOf(const Chatter &speaker) const
{
    const QList<int> heard = m_heard.value(speaker.name());
    return speaker.linesSent() == 0 || (!heard.isEmpty() && heard.last() == speaker.linesSent());
}

QString Chatter::gapsIn(const Chatter &speaker) const
{
    const QList<int> heard = m_heard.value(speaker.name());
    for (int i = 0; i < heard.size(); ++i) {
        if (heard[i] != i + 1)
            return QStringLiteral("%1 heard line %2 of %3 where line %4 was due")
                .arg(m_name)
                .arg(heard[i])
                .arg(speaker.name())
                .arg(i + 1);
    }
    if (heard.size() != speaker.linesSent())
        return QStringLiteral("%1 heard %2 of the %3 lines %4 sent")
            .arg(m_name)
            .arg(heard.size())
            .arg(speaker.linesSent())
            .arg(speaker.name());
    return {};
}

void Chatter::sendLine()
{
    if (m_session && m_session->sendChat(QStringLiteral("line %1").arg(m_sent + 1), QStringLiteral("0")))
        ++m_sent;
}

void Chatter::lineReceived(const QString &line)
{
    if (line.contains(QStringLiteral("SPOOF")))
        m_report.fail(QStringLiteral("%1 got a line sent for another seat: \"%2\"").arg(m_name, line.left(80)));
    const QRegularExpressionMatch match = numberedLine().match(line);
    if (match.hasMatch())
        m_heard[match.captured(1)].append(match.captured(2).toInt());
}

} // namespace zz::soak
