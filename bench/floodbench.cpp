#include "floodbench.h"

#include "benchclient.h"
#include "benchutil.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <memory>
#include <vector>

namespace bench {

namespace {

constexpr int FirstSeat = 2;

struct Tally
{
    std::array<long, 10> sent{};     // by seat
    std::array<std::array<long, 10>, 10> next{}; // [receiver][origin]: the number expected next
    long disordered = 0;
};

// "CMD_chat+<seat>+<name> chats: flood <n>|clBlack": the origin and the number, or false.
bool floodLine(const std::string &m, int &origin, long &number)
{
    if (!startsWith(m, "CMD_chat+"))
        return false;
    const std::size_t at = m.find(" chats: flood ");
    if (at == std::string::npos)
        return false;
    origin = std::atoi(m.c_str() + 9);
    number = std::atol(m.c_str() + at + 14);
    return origin >= FirstSeat && origin < FirstSeat + Flooders;
}

} // namespace

int runFlood(std::uint16_t port)
{
    Tally tally;
    bool flooding = false;
    std::vector<std::unique_ptr<Client>> clients;
    auto sendLine = [&](Client &c) {
        c.send(zz::wire::chatRequest(c.seat, "flood " + std::to_string(tally.sent[c.seat]++), "clBlack"));
    };
    for (int i = 0; i < FloodSeats; ++i) {
        clients.push_back(std::make_unique<Client>(port));
        Client &c = *clients.back();
        if (!runUntil([&c] { return c.seat != 0; }, 5000))
            return 1;
        c.send(zz::wire::loginInfo(c.seat, "1.0.2", "Flood" + std::to_string(c.seat)));
        c.onMessage = [&, receiver = c.seat, client = &c](const std::string &m) {
            int origin = 0;
            long number = 0;
            if (!floodLine(m, origin, number))
                return;
            long &expected = tally.next[std::size_t(receiver)][std::size_t(origin)];
            if (number != expected)
                ++tally.disordered;
            expected = number + 1;
            if (origin == receiver && flooding)
                sendLine(*client);
        };
    }
    const int last = clients.back()->seat;
    bool joined = false;
    clients.back()->onMessage = [&, previous = clients.back()->onMessage](const std::string &m) {
        joined = joined || m == "CMD_newplayerinfo+" + std::to_string(last) + "+Flood" + std::to_string(last);
        previous(m);
    };
    if (!runUntil([&] { return joined; }, 5000))
        return 1;
    std::puts("ready");
    std::fflush(stdout);

    bool stopped = false;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &input, [&] {
        char line[64] = {};
        if (read(STDIN_FILENO, line, sizeof line - 1) <= 0 || (line[0] == 's' && line[2] == 'o')) {
            flooding = false;
            stopped = true;
            return;
        }
        flooding = true;
        for (const auto &c : clients)
            if (c->seat < FirstSeat + Flooders)
                for (int n = 0; n < LinesInFlight; ++n)
                    sendLine(*c);
    });
    runUntil([&] { return stopped; });

    auto missing = [&] {
        long count = 0;
        for (const auto &c : clients)
            for (int origin = FirstSeat; origin < FirstSeat + Flooders; ++origin)
                count += tally.sent[std::size_t(origin)] - tally.next[std::size_t(c->seat)][std::size_t(origin)];
        return count;
    };
    runUntil([&] { return missing() == 0; }, 20000);
    long sent = 0;
    for (long s : tally.sent)
        sent += s;
    std::printf("flood %ld %ld %ld\n", sent, missing(), tally.disordered);
    std::fflush(stdout);
    return 0;
}

} // namespace bench
