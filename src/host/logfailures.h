#pragma once
// Keeps exceptions out of Qt: every timer and socket entry point of the host
// runs its body through logFailures(), which reports on standard error instead.
#include <QtGlobal>

#include <exception>

namespace zz {

template <typename Body> void logFailures(Body &&body) noexcept
{
    try {
        body();
    } catch (const std::exception &e) {
        qWarning("Zig Zop host: %s", e.what());
    } catch (...) {
        qWarning("Zig Zop host: unknown error");
    }
}

} // namespace zz
