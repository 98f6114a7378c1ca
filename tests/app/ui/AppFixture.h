#pragma once
// Common ground of the shell's window tests: a private program folder with everything the build
// assembled, a private single-instance lock, message boxes answered into a list, sound closed.
#include "app/ui/FormMain.h"
#include "base/Settings.h"
#include "base/ui/MessageBox.h"
#include "desktop/ui/FMod.h"
#include "support/ProgramFolder.h"

#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zvtest {

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        folder.activate();
        ASSERT_TRUE(lockDir.isValid());
        zv::FormMain::SetInstanceLockPath(lockPath());
        zv::SetMessageAnswerer([this](const zv::MessageRequest& m) { messages.push_back(m); });
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    void TearDown() override {
        zv::SetMessageAnswerer({});
        zv::FSOUND_Close();
        zv::FormMain::SetInstanceLockPath(QString());
    }

    QString lockPath() const { return lockDir.filePath(QStringLiteral("zorvex.lock")); }
    void setSetting(const char* section, const char* key, const char* value) {
        ASSERT_TRUE(zv::WriteSetting(zv::SettingsPath(), section, key, value));
    }
    void showSplashEveryTime() {
        setSetting("Zorvex", "Splashscreen", "0");
        setSetting("Zorvex", "ShowSplash", "0");
    }
    std::string settingsBytes() const { return folder.read("data/settings.ini"); }
    std::string setting(const char* section, const char* key) const {
        return zv::ReadSetting(zv::SettingsPath(), section, key);
    }

    ProgramFolder folder{ProgramFolder::Contents::Assembled};
    QTemporaryDir lockDir;
    std::vector<zv::MessageRequest> messages;
};

} // namespace zvtest
