#include "social/soundplayer.h"
#include "social/soundmodule.h"
#include "support/waitfor.h"
#include "support/warnings.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace zz;

namespace {

// Sounds are asked for every second of the clock: on a machine without an
// audio device (a test run, a server) that must neither open the device nor
// fill the terminal with one complaint per tick.
TEST(WaveSoundPlayer, PlaysOnlyCompiledInSoundsAndStaysQuietWithoutAudio)
{
    ASSERT_TRUE(QFile::exists(WaveSoundPlayer::resourcePath("beep")));
    ASSERT_FALSE(QFile::exists(WaveSoundPlayer::resourcePath("nosuch")));

    WaveSoundPlayer sounds(QStringList{QStringLiteral(ZZ_SOUND_MODULE)});
    qsizetype warnings = 0;
    {
        const zz::test::WarningCatcher catcher;
        for (int tick = 0; tick < 20; ++tick) {
            sounds.play("nosuch"); // no such sound: nothing at all
            sounds.play("beep");
            sounds.play("");
        }
        // Loading and playing report their troubles from the event loop.
        zz::test::runUntilIdle();
        warnings = catcher.warnings.size();
    }
    EXPECT_LE(warnings, 2);
    if (QMediaDevices::audioOutputs().isEmpty()) {
        EXPECT_TRUE(sounds.findChildren<QSoundEffect *>().isEmpty());
    }
}

// Stands in for an effect: writes down what is asked of it.
class LoggedVoice : public WaveSoundPlayer::Voice
{
public:
    LoggedVoice(std::string name, std::vector<std::string> &log) : m_name(std::move(name)), m_log(log) {}
    void start() override { m_log.push_back("start " + m_name); }
    void stop() override { m_log.push_back("stop " + m_name); }

private:
    std::string m_name;
    std::vector<std::string> &m_log;
};

TEST(WaveSoundPlayer, NewSoundStopsTheOneStillPlaying)
{
    std::vector<std::string> log;
    WaveSoundPlayer sounds([&log](const QString &path) {
        log.push_back("make " + path.toStdString());
        return std::make_unique<LoggedVoice>(path.section(QLatin1Char('/'), -1).toStdString(), log);
    });
    sounds.play("tick");
    sounds.play("Turn");
    sounds.play("nosuch");   // not carried: the turn sound goes on
    sounds.play("../tick");  // never a path outside the sounds
    sounds.play("turn");     // the same sound starts again from its beginning
    sounds.play("tick");
    EXPECT_EQ(log, (std::vector<std::string>{"make :/sounds/tick.wav", "start tick.wav", "make :/sounds/turn.wav",
                                             "stop tick.wav", "start turn.wav", "stop turn.wav", "start turn.wav",
                                             "stop turn.wav", "start tick.wav"}));
}

TEST(SoundModule, LoadsFromTheFirstPathThatHoldsIt)
{
    QString error;
    EXPECT_FALSE(SoundModule::load({QStringLiteral("/nonexistent/zigzop-sounds.so")}, &error));
    EXPECT_FALSE(error.isEmpty());
    const SoundModule *module =
        SoundModule::load({QStringLiteral("/nonexistent/zigzop-sounds.so"), QStringLiteral(ZZ_SOUND_MODULE)}, &error);
    ASSERT_TRUE(module) << error.toStdString();
    EXPECT_EQ(SoundModule::load({QStringLiteral(ZZ_SOUND_MODULE)}), module);
}

// The effect the module makes plays the game's sound, where there is an audio device to play it on.
TEST(SoundModule, VoicePlaysAResourceSound)
{
    const SoundModule *module = SoundModule::load({QStringLiteral(ZZ_SOUND_MODULE)});
    ASSERT_TRUE(module);
    if (!module->hasOutput())
        GTEST_SKIP() << "no audio device";
    QObject owner;
    const auto voice = module->makeVoice(WaveSoundPlayer::resourcePath("beep"), &owner);
    ASSERT_TRUE(voice);
    auto *effect = owner.findChild<QSoundEffect *>();
    ASSERT_TRUE(effect);
    voice->start();
    // Loaded and then playing; a sound that cannot be read ends in Error.
    const auto playing = [effect] { return effect->status() == QSoundEffect::Ready && effect->isPlaying(); };
    zz::test::waitFor([&] { return playing() || effect->status() == QSoundEffect::Error; });
    EXPECT_TRUE(playing()) << "status " << effect->status();
    voice->stop();
}

} // namespace
