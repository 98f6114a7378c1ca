#include "desktop/ui/FMod.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>

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
