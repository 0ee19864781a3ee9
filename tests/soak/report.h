#pragma once
// What the soak prints: progress as it happens, then the figures and every
// failed check.
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace zz::soak {

class Report
{
public:
    Report() { m_clock.start(); }

    // A progress line, printed at once with the time since the start.
    void note(const QString &line) const;
    void figure(const QString &name, const QString &value) { m_figures.emplace_back(name, value); }
    // A failed check; printed at once and again at the end.
    void fail(const QString &what);

    bool failed() const { return !m_failures.isEmpty(); }
    double seconds() const { return double(m_clock.elapsed()) / 1000; }
    // The figures, then the failures; returns the exit code.
    int finish() const;

private:
    QElapsedTimer m_clock;
    std::vector<std::pair<QString, QString>> m_figures;
    QStringList m_failures;
};

} // namespace zz::soak
