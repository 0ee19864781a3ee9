// The client's session fed any stream a host (or an impostor) could send:
// every handler must read or drop each message, never crash.
#include "session/clientsession.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_session";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    zz::ClientSession session;
    // Two uneven pieces, so a message split between reads is rebuilt too.
    const std::size_t third = size / 3;
    session.receiveBytes(bytes.substr(0, third));
    session.receiveBytes(bytes.substr(third));
    QCoreApplication::processEvents();
    return 0;
}
