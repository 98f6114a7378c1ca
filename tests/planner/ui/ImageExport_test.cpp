// Exporting the preview: the BMP file and the clipboard hold exactly what the preview box shows,
// 240 x 132 pixels; the Save dialog's answers (a name as typed, a cancel) and a failed write.
#include "PlannerWindowFixture.h"
#include "base/AtomicFile.h"
#include "base/ui/FileDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <fstream>
#include <set>

using namespace zvtest;

namespace {

class ImageExportTest : public PlannerWindowFixture {
protected:
    void SetUp() override {
        PlannerWindowFixture::SetUp();
        zv::SetSaveFileAnswerer([this](const zv::SaveFileRequest& request) {
            requests.push_back(request);
            return answer;
        });
        QGuiApplication::clipboard()->setText(QStringLiteral("something else"));
    }
    void TearDown() override {
        zv::SetSaveFileAnswerer({});
        PlannerWindowFixture::TearDown();
    }

    // What the preview box shows.
    QImage onScreen() {
        return c().picboxAvatar->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static QImage clipboardImage() {
        return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    }
    // The file decoded as a BMP, whatever its name.
    static QImage savedBmp(const std::filesystem::path& file) {
        return QImage(QString::fromStdString(file.string()), "BMP")
            .convertToFormat(QImage::Format_RGB32);
    }
    static std::string bytesOf(const std::filesystem::path& file) {
        std::string bytes;
        EXPECT_TRUE(zv::ReadWholeFile(file, bytes)) << file;
        return bytes;
    }
    std::set<std::string> namesInTarget() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(inTarget("")))
            names.insert(entry.path().filename().string());
        return names;
    }
    void saveAs(const std::filesystem::path& file) {
        answer = QString::fromStdString(file.string());
        c().saveavatar->trigger();
    }
    void dressWithSnorkelInAMobile() {
        chooseGender(0);
        choose(HelmMale, 2);
        choose(ArmorMale, 7);
        choose(GogglesMale, indexOf(GogglesMale, "Snorkel"));
        choose(Accessories, 3);
        form->findChild<QAction*>(QStringLiteral("lightning"))->trigger();
        ASSERT_TRUE(c().imgMobile->hasPicture());
        ASSERT_TRUE(c().imgSpecial->hasPicture());
    }

    std::filesystem::path inTarget(const std::string& name) const {
        return std::filesystem::path(target.path().toStdString()) / name;
    }
    static void writeFile(const std::filesystem::path& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary) << bytes;
    }

    QTemporaryDir target; // a folder to save into
    std::optional<QString> answer;
    std::vector<zv::SaveFileRequest> requests;
};

TEST_F(ImageExportTest, SavedBitmapAndClipboardAreThePreviewAsShownUnderTheNameChosen) {
    dressWithSnorkelInAMobile();
    const std::filesystem::path file = inTarget("outfit.bmp");
    saveAs(file);

    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filter, QStringLiteral("Bitmap (*.bmp)"));
    EXPECT_EQ(bytesOf(file).substr(0, 2), "BM");
    const QImage saved = savedBmp(file);
    EXPECT_EQ(saved.size(), QSize(240, 132));
    const QImage expected = onScreen();
    EXPECT_TRUE(saved == expected) << "the saved picture differs from the preview";
    EXPECT_TRUE(clipboardImage() == expected) << "the clipboard differs from the preview";

    // A name is used exactly as chosen, and an old file of that name is replaced.
    const std::filesystem::path bare = inTarget("my outfit");
    writeFile(bare, "an older picture");
    saveAs(bare);
    EXPECT_TRUE(savedBmp(bare) == expected);
    EXPECT_EQ(namesInTarget(), (std::set<std::string>{"my outfit", "outfit.bmp"}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ImageExportTest, AMinimisedWindowExportsTheSamePicture) {
    dressWithSnorkelInAMobile();
    const QImage expected = onScreen();
    form->showMinimized();
    QApplication::processEvents();

    c().copyclip->trigger();
    EXPECT_TRUE(clipboardImage() == expected);
    // The preview's own pop-up entry saves the same way.
    const std::filesystem::path file = inTarget("from-popup.bmp");
    answer = QString::fromStdString(file.string());
    c().saveavatarzone->trigger();
    EXPECT_TRUE(savedBmp(file) == expected);
}

TEST_F(ImageExportTest, CancelWritesNothingSaysNothingAndKeepsTheClipboardPicture) {
    // Before any gender: the empty preview panel.
    answer.reset();
    c().saveavatar->trigger();
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_EQ(namesInTarget(), std::set<std::string>{});
    EXPECT_TRUE(messages.empty());
    const QImage clipped = clipboardImage();
    EXPECT_EQ(clipped.size(), QSize(240, 132));
    EXPECT_TRUE(clipped == onScreen());
}

TEST_F(ImageExportTest, AnUnwritableTargetKeepsTheOldFileAndIsReported) {
    chooseGender(0);
    // A name so long that nothing can be written beside it (whoever runs the test).
    const std::string longName(250, 'k');
    writeFile(inTarget(longName), "the old picture");
    saveAs(inTarget(longName));
    EXPECT_EQ(bytesOf(inTarget(longName)), "the old picture");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QString::fromStdString(longName)));
    EXPECT_EQ(namesInTarget(), (std::set<std::string>{longName}));

    messages.clear();
    saveAs(inTarget("no such folder/outfit.bmp"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("no such folder/outfit.bmp")));
    EXPECT_TRUE(clipboardImage() == onScreen()) << "the clipboard is filled before the save";
}

} // namespace
