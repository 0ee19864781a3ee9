#include "report.h"

#include <algorithm>
#include <cstdio>

namespace zz::soak {

namespace {

void printLine(const QString &line)
{
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

} // namespace

void Report::note(const QString &line) const
{
    printLine(QStringLiteral("[%1 s] ").arg(seconds(), 6, 'f', 1) + line);
}

void Report::fail(const QString &what)
{
    m_failures << what;
    note(QStringLiteral("FAILED: ") + what);
}

int Report::finish() const
{
    qsizetype width = 0;
    for (const auto &[name, value] : m_figures)
        width = std::max(width, name.size());
    printLine(QStringLiteral("---- soak figures ----"));
    for (const auto &[name, value] : m_figures)
        printLine(name.leftJustified(width + 2, QLatin1Char(' ')) + value);
    if (m_failures.isEmpty()) {
        printLine(QStringLiteral("soak passed in %1 s").arg(seconds(), 0, 'f', 1));
        return 0;
    }
    printLine(QStringLiteral("---- soak FAILED: %1 check(s) ----").arg(m_failures.size()));
    for (const QString &failure : m_failures)
        printLine(QStringLiteral("  ") + failure);
    return 1;
}

} // namespace zz::soak
