#pragma once
// The main window with the shipped data, for the save slot and wardrobe tests: choosing items,
// reading the data folder, and making writes fail as a full disk or a read-only folder would.
#include "app/ui/FormMain.h"
#include "base/ui/MessageBox.h"
#include "planner/ItemFamily.h"
#include "planner/ui/PlannerController.h"
#include "storage/ui/StorageController.h"
#include "support/ProgramFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Texts in failure messages as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zvtest {

class StorageWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(ProgramFolder::assembled() / "data" / "male11.dat"))
            GTEST_SKIP() << "the assembled program folder has no catalogues";
        folder.activate();
        zv::FormMain::SetInstanceLockPath(lockDir.filePath(QStringLiteral("zorvex.lock")));
        zv::SetMessageAnswerer([this](const zv::MessageRequest& m) { messages.push_back(m); });
        start();
    }
    void TearDown() override {
        form.reset();
        zv::SetMessageAnswerer({});
    }

    // A fresh main window through its start-up sequence, as a new start of the program.
    void start() {
        form.reset();
        form = std::make_unique<zv::FormMain>();
        ASSERT_TRUE(form->Form_Load());
        ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
    }

    zv::MainControls& c() { return form->controls(); }
    zv::PlannerController& planner() { return form->planner(); }
    zv::StorageController& storage() { return form->storage(); }

    void chooseGender(int index) { c().GenderBox->selectIndex(index); }
    // Picks entry `index` of the list as a user would; returns the item's name.
    QString choose(const zv::ItemFamily& family, int index) {
        zv::ItemList* list = planner().listFor(family);
        list->selectIndex(index);
        return list->itemText(index);
    }
    QString textOf(const zv::ItemFamily& family) { return planner().listFor(family)->editText(); }

    // Every file of the data folder with its bytes and modification time.
    std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> dataFiles() {
        std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder.file("data"))) {
            const std::string name = entry.path().filename().string();
            files[name] = {folder.read("data/" + name), entry.last_write_time()};
        }
        return files;
    }

    // Lets the event loop run until `done` holds or two seconds have passed.
    static bool waitFor(const std::function<bool()>& done) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    ProgramFolder folder{ProgramFolder::Contents::Assembled};
    QTemporaryDir lockDir;
    std::vector<zv::MessageRequest> messages;
    std::unique_ptr<zv::FormMain> form;
};

inline const zv::ItemFamily& HelmMale = zv::ItemFamilies[0];
inline const zv::ItemFamily& ArmorMale = zv::ItemFamilies[1];
inline const zv::ItemFamily& GogglesMale = zv::ItemFamilies[2];
inline const zv::ItemFamily& HelmFemale = zv::ItemFamilies[3];
inline const zv::ItemFamily& ArmorFemale = zv::ItemFamilies[4];
inline const zv::ItemFamily& GogglesFemale = zv::ItemFamilies[5];
inline const zv::ItemFamily& Accessories = zv::ItemFamilies[6];

// While it lives, no file of this process may grow past `limit` bytes: a write fails as on a
// full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lowered{limit, m_old.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// While it lives, the data folder cannot be written into (its files can still be read). Root
// may write anywhere, so a test run as root acts as another user meanwhile.
class ReadOnlyDataFolder {
public:
    explicit ReadOnlyDataFolder(const ProgramFolder& folder)
        : m_data(folder.file("data"))
        , m_root(folder.path()) {
        ::chmod(m_root.c_str(), 0755);
        ::chmod(m_data.c_str(), 0555);
        if (::geteuid() == 0)
            m_actedAsOther = ::seteuid(65534) == 0;
        m_active = ::geteuid() != 0;
    }
    ~ReadOnlyDataFolder() {
        if (m_actedAsOther && ::seteuid(0) != 0)
            std::abort(); // the rest of the run would go on as another user
        ::chmod(m_data.c_str(), 0755);
        ::chmod(m_root.c_str(), 0700);
    }
    ReadOnlyDataFolder(const ReadOnlyDataFolder&) = delete;
    ReadOnlyDataFolder& operator=(const ReadOnlyDataFolder&) = delete;

    // False where the folder could not be made read-only (root that may not change user).
    bool active() const { return m_active; }

private:
    std::filesystem::path m_data;
    std::filesystem::path m_root;
    bool m_actedAsOther = false;
    bool m_active = false;
};

} // namespace zvtest
