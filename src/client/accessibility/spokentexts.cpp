#include "spokentexts.h"

#include "client/board/boardrules.h"
#include "session/gamerecords.h"

namespace zz::spoken {

namespace {

QString withoutFullStop(QString text)
{
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace

QString seat(int seat, const QString &name, const QString &scoreText, const QString &wordCountText)
{
    const QString prefix = QStringLiteral("Seat %1, ").arg(seat);
    if (name.isEmpty() || name == board::WaitingName)
        return prefix + QStringLiteral("free");
    QString text = prefix + name + QStringLiteral(", ") + scoreText + QStringLiteral(" points");
    // The count label reads "4 Wds"; only its number is spoken.
    const QString count = wordCountText.section(QLatin1Char(' '), 0, 0);
    if (!count.isEmpty())
        text += QStringLiteral(", ") + count + (count == u"1" ? QStringLiteral(" word") : QStringLiteral(" words"));
    return text;
}

QString rung(int box, const QString &word)
{
    return QStringLiteral("Rung %1, ").arg(box) + (word.isEmpty() ? QStringLiteral("empty") : word);
}

QString rungBonus(int value)
{
    return QStringLiteral("%1 points if left empty").arg(value);
}

QString startWord(const QString &word)
{
    return QStringLiteral("Start word ") + word;
}

QString endWord(const QString &word)
{
    return QStringLiteral("End word ") + word;
}

QString clock(const QString &clockText)
{
    return clockText.section(QLatin1Char(' '), -1) + QStringLiteral(" left");
}

QString roundStarted(int round, const QString &start, const QString &end)
{
    return QStringLiteral("Round %1: from %2 to %3").arg(round).arg(start.toUpper(), end.toUpper());
}

QString wordAccepted(const QString &word)
{
    return word.toUpper() + QStringLiteral(" accepted");
}

QString statusLine(const QString &statusText)
{
    return withoutFullStop(statusText);
}

QString completed(const QString &name)
{
    return name + QStringLiteral(" completed the ladder");
}

QString results(const QList<ScoreRecord> &records, const std::function<QString(int)> &nameOf)
{
    QStringList parts;
    for (const ScoreRecord &r : records)
        parts << nameOf(r.seat) + QLatin1Char(' ') + QString::number(r.score) + QStringLiteral(" points");
    return QStringLiteral("Results: ") + parts.join(QStringLiteral(", "));
}

QString chatLine(const QString &line)
{
    // The seat field goes; the text already names its sender.
    const qsizetype plus = line.indexOf(QLatin1Char('+'));
    return plus < 0 ? line : line.mid(plus + 1);
}

QString arrived(const QString &name)
{
    return name + QStringLiteral(" arrived");
}

QString left(const QString &name)
{
    return name + QStringLiteral(" left");
}

} // namespace zz::spoken
