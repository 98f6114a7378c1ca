// Outfit codes on the main window: copied from the outfit worn, pasted back on through the
// ordinary handlers; a code that cannot be put on is told once and changes nothing.
#include "OutfitFixture.h"
#include "outfit/ui/OutfitCodes.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace zvtest;

namespace {

class OutfitCodesTest : public OutfitWindowTest {
protected:
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
    static void setClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }
    static QString code(const zv::CodedOutfit& outfit) {
        return QString::fromStdString(*zv::EncodeOutfitCode(outfit));
    }
};

TEST_F(OutfitCodesTest, ACopiedOutfitPastesBackAsTheSameOutfit) {
    EXPECT_EQ(c().copycode->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    EXPECT_EQ(c().pastecode->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    chooseGender(1);
    choose(HelmFemale, 5);
    choose(GogglesFemale, 3);
    choose(Accessories, 9); // nothing chosen in the armor list
    c().mobileEntry[2]->trigger();
    setClipboard(QStringLiteral("something else"));
    c().copycode->trigger();
    EXPECT_TRUE(clipboard().startsWith(QStringLiteral("ZVX1-"))) << clipboard().toStdString();
    c().hide->trigger(); // the mobile is no part of the outfit
    const Seen worn = seen();

    chooseGender(0);
    choose(HelmMale, 1);
    const int taken = steps();
    c().pastecode->trigger();
    EXPECT_TRUE(seen() == worn) << worn.differences(seen());
    EXPECT_EQ(steps(), taken + 1);
    c().undo->trigger();
    EXPECT_EQ(textOf(HelmMale), planner().listFor(HelmMale)->itemText(1));
    EXPECT_TRUE(messages.empty());

    // Before a gender is chosen there is nothing to copy.
    form.reset();
    start();
    setClipboard(QStringLiteral("kept"));
    c().copycode->trigger();
    EXPECT_EQ(clipboard(), QStringLiteral("kept"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              QStringLiteral("There is no outfit to copy yet: choose a gender first."));
}

TEST_F(OutfitCodesTest, LongAndLatin1NamesFromTheCatalogueComeThrough) {
    // A catalogue entry of 200 characters with "&", blanks and Latin-1 letters.
    const std::string name = std::string("Cr\xEApe & Caf\xE9 ") + std::string(183, '\xE6') + " end";
    ASSERT_EQ(name.size(), 200u);
    folder.write("data/male01.dat", folder.read("data/male01.dat") + name + "\r\n");
    folder.write("data/male11.dat",
                 folder.read("data/male11.dat") + name +
                     "\r\nshop-x\r\nx\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n"
                     "900\r\n");
    start();
    chooseGender(0);
    zv::ItemList* helmets = planner().listFor(HelmMale);
    choose(HelmMale, helmets->count() - 1);
    c().copycode->trigger();
    const QString copied = clipboard();
    chooseGender(1);
    c().pastecode->trigger();
    EXPECT_EQ(textOf(HelmMale), QString::fromLatin1(name.data(), qsizetype(name.size())));
    EXPECT_EQ(planner().HelmetEffects.Cost, 900);
    EXPECT_TRUE(messages.empty());
}

TEST_F(OutfitCodesTest, ACodeThatCannotBePutOnIsToldOnceAndChangesNothing) {
    chooseGender(0);
    choose(ArmorMale, 6);
    const Seen before = seen();
    const int taken = steps();
    const QString good = code({0, {"Scout Cap", std::nullopt, "Snorkel", std::nullopt}});
    const QString leftAsItIs = QStringLiteral("\n\nThe outfit was left as it is.");

    struct Case {
        QString text;
        QString message;
    };
    const Case cases[] = {
        {QStringLiteral("Hello there"),
         QStringLiteral("The clipboard holds no outfit code. An outfit code is one line of "
                        "letters and digits that starts with \"ZVX1-\".")},
        {good.left(good.size() - 3),
         QStringLiteral("The outfit code is incomplete: it ends too early. Copy the whole code, "
                        "up to its last character, and try again.")},
        {good.left(9) + (good[9] == QLatin1Char('Q') ? QStringLiteral("R") : QStringLiteral("Q")) +
             good.mid(10),
         QStringLiteral("The outfit code is mistyped: some of its characters are wrong, so it "
                        "does not pass its check. Copy it again exactly as it was given.")},
        {QStringLiteral("ZVX3-") + good.mid(5),
         QStringLiteral("The outfit code was made by a newer version of Zorvex (code version 3). "
                        "This version reads codes of version 1 only.")},
        {code({0, {"Scout Cap", "Moon Robe", std::nullopt, "Pirate \xC6 Flag"}}),
         QStringLiteral("The outfit code names items that are not in this installation's "
                        "catalogues:\n\nArmor: Moon Robe\nAccessory: Pirate \u00C6 Flag")},
        {code({1, {std::nullopt, std::nullopt, "Scout Cap", std::nullopt}}),
         QStringLiteral("The outfit code names an item that is not in this installation's "
                        "catalogues:\n\nGoggles: Scout Cap")},
    };
    for (const Case& one : cases) {
        messages.clear();
        setClipboard(one.text);
        c().pastecode->trigger();
        ASSERT_EQ(messages.size(), 1u) << one.text.toStdString();
        EXPECT_EQ(messages[0].text, one.message + leftAsItIs);
        EXPECT_TRUE(seen() == before) << before.differences(seen());
        EXPECT_EQ(steps(), taken);
    }

    // From the command line the same way, told as coming from there.
    messages.clear();
    EXPECT_FALSE(features().PutOnCode(QStringLiteral("--help"), zv::OutfitCodeSource::CommandLine));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("The text given after --outfit")));
    EXPECT_TRUE(features().PutOnCode(good, zv::OutfitCodeSource::CommandLine));
    EXPECT_EQ(textOf(GogglesMale), QStringLiteral("Snorkel"));
    EXPECT_EQ(textOf(ArmorMale), QStringLiteral("Armor"));
}

} // namespace
