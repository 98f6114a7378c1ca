#pragma once
// The main window loaded on a private copy of the assembled program folder, with the helpers the
// planner's window tests share: choosing a gender and items, and the pictures they should show.
#include "app/ui/FormMain.h"
#include "base/ProgramPaths.h"
#include "base/ui/MessageBox.h"
#include "planner/Catalog.h"
#include "planner/ItemSelection.h"
#include "planner/ui/PlannerController.h"
#include "support/ProgramFolder.h"

#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace zvtest {

using zv::FormMain;
using zv::ItemFamilies;
using zv::ItemFamily;

inline const std::string kKey = "pqt528wkd71xr94bz3vm6lc0s";

class PlannerWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(ProgramFolder::assembled() / "data" / "male11.dat"))
            GTEST_SKIP() << "the assembled program folder has no catalogues";
        folder.activate();
        FormMain::SetInstanceLockPath(lockDir.filePath(QStringLiteral("zorvex.lock")));
        zv::SetMessageAnswerer([this](const zv::MessageRequest& m) { messages.push_back(m); });
        qputenv("SDL_AUDIODRIVER", "dummy");
        form = std::make_unique<FormMain>();
        ASSERT_TRUE(form->Form_Load());
        ASSERT_TRUE(messages.empty()) << messages.front().text.toStdString();
    }
    void TearDown() override {
        form.reset();
        zv::SetMessageAnswerer({});
    }

    zv::MainControls& c() { return form->controls(); }
    zv::PlannerController& planner() { return form->planner(); }

    void chooseGender(int index) { c().GenderBox->selectIndex(index); }

    // Picks entry `index` of the family's list as a user would and returns its record.
    zv::ItemRecord choose(const ItemFamily& family, int index) {
        zv::ItemList* list = planner().listFor(family);
        list->selectIndex(index);
        return recordOf(family, list->itemText(index));
    }
    static zv::ItemRecord recordOf(const ItemFamily& family, const QString& name) {
        return zv::FindItemRecord(zv::ProgramPath(family.DetailCatalog),
                                  name.toLatin1().toStdString());
    }
    static QImage unwrapped(const std::string& programPath) {
        const auto bytes = zv::UnwrapPicture(zv::ProgramPath(programPath), kKey, "");
        EXPECT_TRUE(bytes.has_value()) << programPath;
        QImage image;
        if (bytes)
            image.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                               static_cast<int>(bytes->size()));
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    static QImage plain(const char* programPath) {
        return QImage(QString::fromStdString(zv::ProgramPath(programPath).string()))
            .convertToFormat(QImage::Format_ARGB32);
    }
    static QImage shown(const zv::ImageControl* control) {
        return control->picture().toImage().convertToFormat(QImage::Format_ARGB32);
    }
    int indexOf(const ItemFamily& family, const char* name) {
        return planner().listFor(family)->findText(QString::fromLatin1(name));
    }

    ProgramFolder folder{ProgramFolder::Contents::Assembled};
    QTemporaryDir lockDir;
    std::vector<zv::MessageRequest> messages;
    std::unique_ptr<FormMain> form;
};

inline const ItemFamily& HelmMale = ItemFamilies[0];
inline const ItemFamily& ArmorMale = ItemFamilies[1];
inline const ItemFamily& GogglesMale = ItemFamilies[2];
inline const ItemFamily& HelmFemale = ItemFamilies[3];
inline const ItemFamily& ArmorFemale = ItemFamilies[4];
inline const ItemFamily& GogglesFemale = ItemFamilies[5];
inline const ItemFamily& Accessories = ItemFamilies[6];

} // namespace zvtest
