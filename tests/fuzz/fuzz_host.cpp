// The host's dispatcher must survive anything connections can send, in any
// order with opens, closes, clock ticks and time passing: garbage, wrong
// seats, huge fields.
#include "dict/dictionary.h"
#include "dict/wordpool.h"
#include "host/hostserver.h"

#include <QCoreApplication>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

std::string records(std::initializer_list<std::string_view> words)
{
    std::string out;
    for (std::string_view w : words) {
        std::string field(14, ' ');
        for (std::size_t i = 0; i < w.size(); ++i)
            field[i] = static_cast<char>(w[i] - 'a' + 'A');
        out += '\x1e' + field;
    }
    return out;
}

struct World
{
    World()
    {
        int argc = 1;
        static char name[] = "fuzz_host";
        static char *argv[] = {name, nullptr};
        app = std::make_unique<QCoreApplication>(argc, argv);
        dictionary = std::make_unique<zz::Dictionary>(wordRecords);
    }
    std::unique_ptr<QCoreApplication> app;
    std::string wordRecords =
        records({"card", "cold", "cord", "head", "heal", "tail", "tall", "teal", "tell", "ward", "warm"});
    std::unique_ptr<zz::Dictionary> dictionary;
    zz::WordPool pool{"cold\nwarm\nhead\ntail\ncat\ndog\nfrogs\ntoads\n"};
};

World &world()
{
    static World w;
    return w;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    World &w = world();
    zz::HostServer *host = nullptr;
    std::size_t sent = 0;
    zz::HostServer server([&](int, const std::string &bytes) { sent += bytes.size(); },
                          [&](int seat) { host->connectionClosed(seat); }, *w.dictionary, w.pool, nullptr);
    host = &server;
    zz::SeatTable::Time now{};   // moved by the input, never by real time
    server.setClock([&now] { return now; });
    std::uint32_t state = 12345;   // a fixed generator keeps every run repeatable
    server.setRandom([&](std::size_t bound) {
        state = state * 1664525u + 1013904223u;
        return bound ? (state >> 8) % bound : 0;
    });

    // Each step: one control byte, then (for bytes) a length byte and payload.
    std::string_view in(reinterpret_cast<const char *>(data), size);
    while (!in.empty()) {
        const auto op = static_cast<unsigned char>(in.front());
        in.remove_prefix(1);
        const int seat = op % 12 - 1;   // -1..10: out-of-range seats too
        switch (op / 12 % 5) {
        case 0:
            server.connectionOpened();
            break;
        case 1: {
            const std::size_t n = in.empty() ? 0 : static_cast<unsigned char>(in.front()) * 4u;
            if (!in.empty())
                in.remove_prefix(1);
            const std::string_view chunk = in.substr(0, n);
            in.remove_prefix(chunk.size());
            if (server.inUse(seat))
                server.bytesReceived(seat, chunk);
            break;
        }
        case 2:
            if (server.inUse(seat))
                server.connectionClosed(seat);
            break;
        case 3:
            now += std::chrono::milliseconds(10);
            server.dispatchReady();
            break;
        default:
            server.clockTick();
            break;
        }
    }
    for (int i = 0; i < 64 && server.queuedEntries() > 0; ++i) {
        now += std::chrono::milliseconds(10);
        server.dispatchReady();
    }
    return 0;
}
