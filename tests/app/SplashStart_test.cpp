// The splash countdown in the settings file and the news text.
#include "app/SplashStart.h"
#include "base/Settings.h"
#include "support/ProgramFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace zv {
namespace {

class SplashCountdownTest : public ::testing::Test {
protected:
    void SetUp() override { folder.activate(); }
    void writeZorvex(const std::string& entries) {
        folder.write("data/settings.ini",
                     "[Zorvex]\r\nVersion=12\r\n" + entries + "[Other]\r\nA=1\r\n");
    }
    std::string bytes() const { return folder.read("data/settings.ini"); }

    zvtest::ProgramFolder folder;
};

TEST_F(SplashCountdownTest, CountsDownToZeroThenFollowsTheUsersChoice) {
    writeZorvex("Splashscreen=3\r\nShowSplash=1\r\n\r\n");
    const char* const expected[] = {"2", "1", "0", "0"};
    const bool skipped[] = {false, false, true, true};
    for (int start = 0; start < 4; ++start) {
        const SplashDecision decision = CountDownSplash(SettingsPath());
        EXPECT_EQ(decision.SplashCountdown, expected[start]) << start;
        EXPECT_EQ(decision.SplashSkipped, skipped[start]) << start;
        EXPECT_EQ(bytes(), std::string("[Zorvex]\r\nVersion=12\r\nSplashscreen=") +
                               expected[start] + "\r\nShowSplash=1\r\n\r\n[Other]\r\nA=1\r\n")
            << start;
    }
}

TEST_F(SplashCountdownTest, OddValuesCountAsTheirNumbers) {
    struct Case {
        const char* entries;
        const char* countdown;
        bool skipped;
    };
    const Case cases[] = {
        {"Splashscreen=1\r\nShowSplash=1\r\n", "0", true},    // this very start skips
        {"Splashscreen= 5 \r\nShowSplash=1\r\n", "4", false}, // written back plain
        {"Splashscreen=2.5\r\nShowSplash=1\r\n", "1.5", false},
        {"Splashscreen=-1\r\nShowSplash=1\r\n", "-1", false}, // below 0: never counted, shows
        {"Splashscreen=many\r\nShowSplash=1\r\n", "many", true},
        {"ShowSplash=1\r\n", "", true},     // missing count reads as 0
        {"Splashscreen=0\r\n", "0", false}, // missing choice: the splash shows
        {"Splashscreen=0\r\nShowSplash=yes\r\n", "0", false},
    };
    for (const Case& c : cases) {
        writeZorvex(c.entries);
        const SplashDecision decision = CountDownSplash(SettingsPath());
        EXPECT_EQ(decision.SplashCountdown, c.countdown) << c.entries;
        EXPECT_EQ(decision.SplashSkipped, c.skipped) << c.entries;
    }
}

TEST(NewsText, EightBitTextAndEmptyLines) {
    zvtest::ProgramFolder folder;
    const auto file = folder.file("whatsnew.txt");
    const std::pair<std::string, QString> cases[] = {
        {"one\r\n\r\nthree\r", QStringLiteral("one\r\n\r\nthree\r\n")},
        {"", QString()},
        {"caf\xc3\xa9\r\n", QStringLiteral("caf\u00e9\r\n")}, // UTF-8
        {"caf\xe9\r\n", QStringLiteral("caf\u00e9\r\n")},     // Latin-1
    };
    for (const auto& [bytes, shown] : cases) {
        folder.write("whatsnew.txt", bytes);
        EXPECT_EQ(ReadNewsText(file), shown) << bytes;
    }
    std::filesystem::remove(file);
    EXPECT_EQ(ReadNewsText(file), QString());
}

} // namespace
} // namespace zv
