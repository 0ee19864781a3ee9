#pragma once
// Keeps exceptions out of Qt: every timer and socket entry point of the host
// runs its body through guarded(), which reports on standard error instead.
#include <QtGlobal>

#include <exception>

namespace zz {

template <typename Body> void guarded(Body &&body) noexcept
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
