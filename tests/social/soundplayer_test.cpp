#include "social/soundplayer.h"
#include "support/waitfor.h"

#include <QElapsedTimer>
#include <QFile>
#include <gtest/gtest.h>

#include <atomic>

using namespace zz;

namespace {

std::atomic<int> warnings{0};

void countWarnings(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        ++warnings;
}

// Sounds are asked for every second of the clock: on a machine without an
// audio device (a test run, a server) that must neither block nor fill the
// terminal with one complaint per tick.
TEST(WaveSoundPlayer, PlaysOnlyCompiledInSoundsAndStaysQuietWithoutAudio)
{
    ASSERT_TRUE(QFile::exists(WaveSoundPlayer::resourcePath("beep")));
    ASSERT_FALSE(QFile::exists(WaveSoundPlayer::resourcePath("nosuch")));

    WaveSoundPlayer sounds;
    warnings = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countWarnings);
    QElapsedTimer clock;
    clock.start();
    for (int tick = 0; tick < 20; ++tick) {
        sounds.play("nosuch"); // no such sound: nothing at all
        sounds.play("beep");
        sounds.play("");
    }
    // Loading and playing report their troubles from the event loop.
    zz::test::waitFor([] { return false; }, 300);
    qInstallMessageHandler(previous);
    EXPECT_LT(clock.elapsed(), 2500);
    EXPECT_LE(warnings.load(), 2);
}

} // namespace
