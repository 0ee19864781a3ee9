#include "core/names.h"
#include "social/soundplayer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace zz;

namespace {

// Every sound the program carries: the event sounds the game plays, "clear"
// (carried, never played) and the twenty chatter sounds.
std::vector<std::string> carriedSounds()
{
    std::vector<std::string> names{
        std::string(sound::Entered),
        std::string(sound::Turn),
        std::string(sound::TurnNew),
        std::string(sound::Submit),
        std::string(sound::GoodWord),
        std::string(sound::Invalid),
        std::string(sound::Finished),
        std::string(sound::RoundOver),
        std::string(sound::Winner),
        std::string(sound::Tick),
        std::string(sound::TimeUp),
        "clear",
    };
    for (int n = 1; n <= 20; ++n)
        names.push_back("wave" + std::to_string(n));
    return names;
}

struct Wave
{
    std::uint16_t format = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint32_t byteRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t le(const QByteArray &bytes, qsizetype at, int width)
{
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// RIFF/WAVE with a PCM "fmt " chunk and a non-empty "data" chunk, every chunk
// inside the file; anything else is no sound QSoundEffect can be trusted with.
std::optional<Wave> parseWave(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    if (le(bytes, 4, 4) != static_cast<std::uint32_t>(bytes.size() - 8))
        return std::nullopt;
    Wave wave;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = le(bytes, at + 4, 4);
        const qsizetype body = at + 8;
        if (size > bytes.size() - body)
            return std::nullopt;
        if (id == "fmt ") {
            if (size < 16)
                return std::nullopt;
            wave.format = static_cast<std::uint16_t>(le(bytes, body, 2));
            wave.channels = static_cast<std::uint16_t>(le(bytes, body + 2, 2));
            wave.rate = le(bytes, body + 4, 4);
            wave.byteRate = le(bytes, body + 8, 4);
            wave.blockAlign = static_cast<std::uint16_t>(le(bytes, body + 12, 2));
            wave.bits = static_cast<std::uint16_t>(le(bytes, body + 14, 2));
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || wave.format != 1 || wave.bits != 16 || size == 0 || size % 2 != 0)
                return std::nullopt;
            for (qsizetype i = 0; i < size; i += 2)
                wave.samples.push_back(static_cast<std::int16_t>(le(bytes, body + i, 2)));
            return wave;
        }
        at = body + size + (size % 2); // chunks are padded to even length
    }
    return std::nullopt;
}

std::optional<Wave> loadWave(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseWave(file.readAll());
}

TEST(SoundResources, EveryCarriedSoundIsShortLoudPcmThatStartsAndEndsQuietly)
{
    qint64 totalBytes = 0;
    for (const std::string &name : carriedSounds()) {
        SCOPED_TRACE(name);
        const QString path = WaveSoundPlayer::resourcePath(name);
        ASSERT_TRUE(QFile::exists(path));
        totalBytes += QFileInfo(path).size();
        const std::optional<Wave> wave = loadWave(path);
        ASSERT_TRUE(wave.has_value());
        EXPECT_EQ(wave->channels, 1);
        EXPECT_EQ(wave->rate, 22050u);
        EXPECT_EQ(wave->blockAlign, 2);
        EXPECT_EQ(wave->byteRate, 44100u);

        const double seconds = static_cast<double>(wave->samples.size()) / 22050.0;
        EXPECT_GE(seconds, 0.05);
        EXPECT_LE(seconds, 2.0);
        int peak = 0;
        for (const std::int16_t sample : wave->samples)
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        // Made to peak at -3 dBFS: far below means silence or a broken
        // synthesis, full scale means clipping.
        EXPECT_GT(peak, 16384);
        EXPECT_LT(peak, 32000);
        // A sound that starts or stops away from zero clicks.
        EXPECT_LE(std::abs(static_cast<int>(wave->samples.front())), 256);
        EXPECT_LE(std::abs(static_cast<int>(wave->samples.back())), 256);
    }
    // The sounds are compiled into the program: keep it small.
    EXPECT_LT(totalBytes, 2'000'000);
}

TEST(SoundResources, NoStrayFilesAreCarried)
{
    // A misspelt file would be carried but never found by its name.
    std::set<QString> expected{QStringLiteral("beep.wav")}; // this test's own
    for (const std::string &name : carriedSounds())
        expected.insert(QFileInfo(WaveSoundPlayer::resourcePath(name)).fileName());
    const QStringList carried = QDir(QStringLiteral(":/sounds")).entryList(QDir::Files);
    for (const QString &file : carried)
        EXPECT_TRUE(expected.count(file) == 1) << file.toStdString();
    EXPECT_EQ(static_cast<std::size_t>(carried.size()), expected.size());
}

} // namespace
