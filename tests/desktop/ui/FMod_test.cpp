#include "desktop/ui/FMod.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zv {
namespace {

std::string Fixture(const char* name) {
    const char* source = std::getenv("ZORVEX_SOURCE_DIR");
    return (std::filesystem::path(source ? source : ".") / "tests/desktop/fixtures" / name)
        .string();
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value)
        : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override { FSOUND_Close(); }
    void TearDown() override { FSOUND_Close(); }
};

TEST(SoundErrorText, TableTextsAreExact) {
    const char* const expected[] = {
        "No errors",
        "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first.",
        "This command failed because FSOUND_Init was not called",
        "Error initializing output device.",
        "The output device is already in use and cannot be reused.",
        "Playing the sound failed.",
        "Soundcard does not support the features needed for this soundsystem (16bit stereo "
        "output)",
        "Error setting cooperative level for hardware.",
        "Error creating hardware sound buffer.",
        "File not found",
        "Unknown file format",
        "Error loading file",
        "Not enough memory ",
        "The version number of this file format is not supported",
        "An invalid parameter was passed to this function",
        "Tried to use an EAX command on a non EAX enabled channel or output.",
        "Failed to allocate a new channel",
        "Recording is not supported on this machine",
        "Required Mediaplayer codec is not installed",
        "An error occured trying to open the specified CD device",
    };
    for (int code = 0; code < 20; ++code)
        EXPECT_EQ(FSOUND_ErrorText(code), expected[code]) << code;
    EXPECT_EQ(FSOUND_ErrorText(20), "Unknown error");
    EXPECT_EQ(FSOUND_ErrorText(-1), "Unknown error");
    EXPECT_EQ(FSOUND_ErrorText(1000), "Unknown error");
}

TEST_F(SoundTest, SecondInitKeepsThePlayingStream) {
    ASSERT_NE(FSOUND_Init(44100, 32, 0), 0);
    const int intro = FSOUND_Stream_Open(Fixture("tone.mp3").c_str(), 2, 0, 0);
    ASSERT_NE(intro, 0) << FSOUND_ErrorText(FSOUND_GetError());
    const int channel = FSOUND_Stream_Play(-1, intro);
    ASSERT_GE(channel, 0);

    EXPECT_NE(FSOUND_Init(44100, 32, 0), 0);
    EXPECT_EQ(FSOUND_GetError(), 0);
    EXPECT_TRUE(FSOUND_IsPlaying(channel));

    EXPECT_TRUE(FSOUND_Stream_Stop(intro));
    EXPECT_FALSE(FSOUND_IsPlaying(channel));
    // A stopped stream can be started again.
    EXPECT_GE(FSOUND_Stream_Play(-1, intro), 0);
}

TEST_F(SoundTest, FailedInitLeavesLaterCallsFailingQuietly) {
    {
        ScopedEnv driver("SDL_AUDIODRIVER", "no-such-audio-driver");
        EXPECT_EQ(FSOUND_Init(44100, 32, 0), 0);
    }
    EXPECT_EQ(FSOUND_GetError(), 3);
    EXPECT_EQ(FSOUND_ErrorText(FSOUND_GetError()), "Error initializing output device.");

    EXPECT_EQ(FSOUND_Stream_Open(Fixture("tone.mp3").c_str(), 2, 0, 0), 0);
    EXPECT_NE(FSOUND_GetError(), 0);
    EXPECT_EQ(FSOUND_Stream_Play(-1, 1), -1);
    EXPECT_FALSE(FSOUND_Stream_Stop(1));
    EXPECT_FALSE(FSOUND_IsPlaying(0));
    FSOUND_Close();

    // The environment is back: the next start works.
    EXPECT_NE(FSOUND_Init(44100, 32, 0), 0);
}

TEST_F(SoundTest, BadFilesAndHandlesGiveTheirCodes) {
    ASSERT_NE(FSOUND_Init(44100, 32, 0), 0);
    EXPECT_EQ(FSOUND_Stream_Open("/nonexistent/KV-ShopTilYouDrop.mp3", 2, 0, 0), 0);
    EXPECT_EQ(FSOUND_GetError(), 9);

    const auto junk =
        std::filesystem::temp_directory_path() / ("zv-junk-" + std::to_string(::getpid()) + ".mp3");
    std::ofstream(junk) << "this is not a sound file at all, only text\r\n";
    EXPECT_EQ(FSOUND_Stream_Open(junk.string().c_str(), 2, 0, 0), 0);
    EXPECT_EQ(FSOUND_GetError(), 10);
    std::filesystem::remove(junk);

    EXPECT_EQ(FSOUND_Stream_Play(-1, 0), -1);
    EXPECT_EQ(FSOUND_GetError(), 14);
    EXPECT_FALSE(FSOUND_Stream_Stop(12345));
    EXPECT_EQ(FSOUND_Stream_Open(nullptr, 2, 0, 0), 0);
}

TEST_F(SoundTest, TwoStreamsPlayAtOnceAndOnlyTheLoopedOneGoesOn) {
    ASSERT_NE(FSOUND_Init(44100, 32, 0), 0);
    const std::string tone = Fixture("tone.mp3");
    const int intro = FSOUND_Stream_Open(tone.c_str(), 304, 0, 0);
    const int music = FSOUND_Stream_Open(tone.c_str(), 2, 0, 0);
    ASSERT_NE(intro, 0);
    ASSERT_NE(music, 0);
    EXPECT_NE(intro, music);

    const int introChannel = FSOUND_Stream_Play(-1, intro);
    const int musicChannel = FSOUND_Stream_Play(-1, music);
    ASSERT_GE(introChannel, 0);
    ASSERT_GE(musicChannel, 0);
    EXPECT_NE(introChannel, musicChannel);
    EXPECT_TRUE(FSOUND_IsPlaying(introChannel));
    EXPECT_TRUE(FSOUND_IsPlaying(musicChannel));

    // The tone lasts 0.3 s: wait for the one-shot stream to end, then the looped one must
    // still be playing.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (FSOUND_IsPlaying(introChannel) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(FSOUND_IsPlaying(introChannel));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(FSOUND_IsPlaying(musicChannel));

    FSOUND_Close();
    EXPECT_FALSE(FSOUND_IsPlaying(musicChannel));
    EXPECT_EQ(FSOUND_Stream_Play(-1, music), -1);
    EXPECT_EQ(FSOUND_GetError(), 2);
}

// Resident memory of this process, in bytes.
size_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0;
    size_t resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

// A WAV file of `seconds` of a quiet tone, mono, 22050 Hz, 16 bits.
void WriteLongWav(const std::filesystem::path& file, int seconds) {
    const uint32_t rate = 22050;
    const uint32_t samples = rate * static_cast<uint32_t>(seconds);
    std::ofstream out(file, std::ios::binary);
    auto u32 = [&out](uint32_t v) {
        out.write(reinterpret_cast<const char*>(&v), 4);
    };
    auto u16 = [&out](uint16_t v) {
        out.write(reinterpret_cast<const char*>(&v), 2);
    };
    out.write("RIFF", 4);
    u32(36 + samples * 2);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(samples * 2);
    std::vector<int16_t> block(rate);
    for (uint32_t i = 0; i < rate; ++i)
        block[i] = static_cast<int16_t>((i % 100) * 20 - 1000);
    for (int s = 0; s < seconds; ++s)
        out.write(reinterpret_cast<const char*>(block.data()),
                  static_cast<std::streamsize>(block.size() * 2));
}

// A long track (five minutes: some 53 MB once decoded for the output) is read from its file as
// it plays: opening and starting it takes a small part of that, and it plays at once.
TEST_F(SoundTest, ALongLoopIsReadAsItPlaysNotDecodedWhole) {
    const auto track =
        std::filesystem::temp_directory_path() / ("zv-long-" + std::to_string(::getpid()) + ".wav");
    WriteLongWav(track, 300);
    ASSERT_NE(FSOUND_Init(44100, 32, 0), 0);
    const size_t before = ResidentBytes();
    const int music = FSOUND_Stream_Open(track.string().c_str(), 2, 0, 0);
    ASSERT_NE(music, 0) << FSOUND_ErrorText(FSOUND_GetError());
    const int channel = FSOUND_Stream_Play(-1, music);
    ASSERT_GE(channel, 0);
    EXPECT_TRUE(FSOUND_IsPlaying(channel));
    const size_t grown = ResidentBytes() - std::min(before, ResidentBytes());
    EXPECT_LT(grown, size_t{16} << 20) << grown / 1024 << " KiB";

    // Stopped and started again, it plays again; the intro plays beside it.
    EXPECT_TRUE(FSOUND_Stream_Stop(music));
    EXPECT_FALSE(FSOUND_IsPlaying(channel));
    const int again = FSOUND_Stream_Play(-1, music);
    EXPECT_TRUE(FSOUND_IsPlaying(again));
    const int intro = FSOUND_Stream_Open(Fixture("tone.mp3").c_str(), 304, 0, 0);
    const int introChannel = FSOUND_Stream_Play(-1, intro);
    ASSERT_GE(introChannel, 0);
    EXPECT_NE(introChannel, again);
    EXPECT_TRUE(FSOUND_IsPlaying(introChannel));
    EXPECT_TRUE(FSOUND_IsPlaying(again));
    FSOUND_Close();
    std::filesystem::remove(track);
}

TEST_F(SoundTest, NoFreeChannelIsReported) {
    ASSERT_NE(FSOUND_Init(44100, 1, 0), 0);
    const int a = FSOUND_Stream_Open(Fixture("tone.mp3").c_str(), 2, 0, 0);
    const int b = FSOUND_Stream_Open(Fixture("tone.mp3").c_str(), 2, 0, 0);
    ASSERT_GE(FSOUND_Stream_Play(-1, a), 0);
    EXPECT_EQ(FSOUND_Stream_Play(-1, b), -1);
    EXPECT_EQ(FSOUND_GetError(), 16);
}

} // namespace
} // namespace zv
