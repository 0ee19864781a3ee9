#pragma once
// The general error handler: entry points that Qt calls (socket events,
// timers, menu and button handlers) run their body through guarded(), so an
// exception is shown to the user and never unwinds through Qt.
#include <QString>

#include <exception>

namespace zz {

// Shows text in a message box that does not block the caller, then returns.
void reportError(const QString &text) noexcept;

template <typename Body>
void guarded(Body &&body) noexcept
{
    try {
        body();
    } catch (const std::exception &e) {
        reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportError(QStringLiteral("Unknown error"));
    }
}

} // namespace zz
