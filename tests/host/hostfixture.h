#pragma once
// Drives a HostServer with message texts and reads back what it sent, with a
// small dictionary and a fixed word pool whose draws the test chooses.
#include "dict/dictionary.h"
#include "dict/wordpool.h"
#include "host/hostserver.h"
#include "support/dictrecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace zz::test {

// Pool indices: 0 cold, 1 warm, 2 cat, 3 dog, 4 stone, 5 stare, 6 never drawn.
inline constexpr std::size_t Cold = 0, Warm = 1, Cat = 2, Dog = 3, Stone = 4, Stare = 5;

class HostFixture : public ::testing::Test
{
protected:
    struct Sent
    {
        int seat;
        std::string text; // terminator removed
    };

    HostFixture()
    {
        host.setClock([this] { return now; });
        host.setRandom([this](std::size_t bound) {
            EXPECT_EQ(bound, pool.size() - 1);
            if (draws.empty())
                return std::size_t{0};
            const std::size_t index = draws.front();
            draws.pop_front();
            return index;
        });
    }

    // Opens n connections; returns the seat of the last.
    int connect(int n = 1)
    {
        int seat = 0;
        for (int i = 0; i < n; ++i)
            seat = host.connectionOpened();
        return seat;
    }
    // Queues a message (terminator added) and handles everything queued.
    void handle(int seat, const std::string &text)
    {
        host.bytesReceived(seat, text + '\xff');
        drain();
    }
    // Lets the clock run until every queue's pace has let its entries go.
    void drain()
    {
        for (int guard = 0; host.queuedEntries() > 0 && guard < 100000; ++guard)
            later(std::chrono::milliseconds(10));
    }
    // Moves the clock on and wakes the dispatcher, as the pace timer would.
    void later(std::chrono::microseconds step)
    {
        now += step;
        host.dispatchReady();
    }
    void login(int seat, const std::string &name)
    {
        handle(seat, "CMD_logininfo+" + std::to_string(seat) + "+1.0.2+" + name);
    }
    // Seats 1..n connected and logged in, then the record cleared and every
    // connection's pace full again.
    void seatPlayers(int n)
    {
        for (int seat = 1; seat <= n; ++seat) {
            connect();
            login(seat, "P" + std::to_string(seat));
        }
        sent.clear();
        now += std::chrono::seconds(1);
    }
    // A game of four-letter words from "cold" to "warm".
    void startColdWarm(const std::string &playTo = "1000", const std::string &time = "120")
    {
        draws = {Cold, Warm};
        handle(1, "CMD_startgame+Ann+" + playTo + "+" + time + "+0+1+0+");
    }
    void sendWords(int seat, std::initializer_list<const char *> words)
    {
        for (const char *word : words)
            handle(seat, "CMD_sendword+" + std::to_string(seat) + "+" + word + "+");
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            host.clockTick();
    }

    std::vector<std::string> to(int seat) const
    {
        std::vector<std::string> out;
        for (const auto &s : sent)
            if (s.seat == seat)
                out.push_back(s.text);
        return out;
    }
    // Messages sent to seat whose text starts with prefix.
    std::vector<std::string> to(int seat, const std::string &prefix) const
    {
        std::vector<std::string> out;
        for (const auto &t : to(seat))
            if (t.rfind(prefix, 0) == 0)
                out.push_back(t);
        return out;
    }

    std::string records = recordsOf({"cold", "cord", "card", "ward", "warm", "colt", "bold", "bolt", "cat",
                                             "cot", "dog", "stone", "stare"});
    Dictionary dictionary{records};
    WordPool pool{"cold\nwarm\ncat\ndog\nstone\nstare\nlast\n"};
    std::deque<std::size_t> draws;
    SeatTable::Time now{std::chrono::hours(1)};
    std::vector<Sent> sent;
    std::vector<int> closed;
    std::function<void(int seat, const std::string &text)> onSend; // called after each send is recorded
    HostServer host{[this](int seat, const std::string &bytes) {
                        EXPECT_EQ(bytes.back(), '\xff');
                        sent.push_back({seat, bytes.substr(0, bytes.size() - 1)});
                        if (onSend)
                            onSend(seat, sent.back().text);
                    },
                    [this](int seat) {
                        closed.push_back(seat);
                        host.connectionClosed(seat); // as the socket glue reports a close
                    },
                    dictionary, pool, nullptr};
};

} // namespace zz::test
