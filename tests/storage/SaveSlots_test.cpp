// Slot files as bytes: what a save writes, what a load reads, and 8-bit text.
#include "base/AtomicFile.h"
#include "storage/EightBitText.h"
#include "storage/SaveSlots.h"
#include "support/ProgramFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using zvtest::ProgramFolder;

namespace {

TEST(SlotFile, SaveWritesSixCrLfLinesWithThePrintedGender) {
    const zv::SlotRecord male = zv::MakeSlotRecord("Iron Scout", 0, "Ironcrest Helm", "Knight Cape",
                                                   "Goggles", "Harbor Flag");
    EXPECT_EQ(zv::FormatSlotFile(male),
              "Iron Scout\r\n 0 \r\nIroncrest Helm\r\nKnight Cape\r\nGoggles\r\nHarbor Flag\r\n");
    const zv::SlotRecord female =
        zv::MakeSlotRecord("", 1, "Helmets", "Armor", "Goggles", "Accessories");
    EXPECT_EQ(zv::FormatSlotFile(female),
              "\r\n 1 \r\nHelmets\r\nArmor\r\nGoggles\r\nAccessories\r\n");

    // A line break inside a text never splits the record.
    const zv::SlotRecord pasted =
        zv::MakeSlotRecord("two\r\nlines\nand\rmore", 1, "a", "b", "c", "d");
    EXPECT_EQ(zv::FormatSlotFile(pasted), "two lines and more\r\n 1 \r\na\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(zv::ParseSlotRecord(zv::FormatSlotFile(pasted))->Description, "two lines and more");
}

TEST(SlotFile, ReadTakesTheFirstSixLinesWhateverTheirEnds) {
    const zv::SlotRecord expected{"Desc", " 1 ", "H", "A", "G", "X"};
    EXPECT_EQ(zv::ParseSlotRecord("Desc\r\n 1 \r\nH\r\nA\r\nG\r\nX\r\n"), expected);
    EXPECT_EQ(zv::ParseSlotRecord("Desc\r\n 1 \r\nH\r\nA\r\nG\r\nX"), expected); // no final end
    EXPECT_EQ(zv::ParseSlotRecord("Desc\n 1 \nH\rA\r\nG\nX\nextra\r\n"), expected);
    // Empty lines are lines; bytes are kept as they are.
    EXPECT_EQ(zv::ParseSlotRecord("\r\n0\r\n\r\n\xE9p\xE9\r\n\r\n\r\n"),
              (zv::SlotRecord{"", "0", "", "\xE9p\xE9", "", ""}));
    EXPECT_EQ(zv::ParseSlotRecord("Desc\r\n 1 \r\nH\r\nA\r\nG\r\n"), std::nullopt);
    EXPECT_EQ(zv::ParseSlotRecord(""), std::nullopt);
}

TEST(SlotFile, GenderLineCountsByItsNumericValue) {
    const std::pair<const char*, int> cases[] = {
        {" 0 ", 0},  {"0", 0}, {"  1", 1},   {" 1.0 ", 1}, {"-0", 0},   {" 2 ", -1}, {"-1", -1},
        {"0.5", -1}, {"", -1}, {"Male", -1}, {"1x", -1},   {"0x1", -1}, {"\t1\t", 1}};
    for (const auto& [line, gender] : cases)
        EXPECT_EQ(zv::SlotGenderIndex(line), gender) << '"' << line << '"';
}

// (Missing and short files on the main window: SaveSlotsWindow_test.)
TEST(SlotFile, AnEmptyFileHasNoCaptionAndAFolderIsNoEmptySlot) {
    ProgramFolder folder;
    folder.activate();
    folder.write("data/save04.dat", "");
    EXPECT_EQ(zv::ReadSlotDescription(zv::SlotFile(4)), std::nullopt);
    EXPECT_FALSE(zv::ReadSlotFile(zv::SlotFile(4)).Record);

    std::filesystem::remove(folder.file("data/save05.dat"));
    std::filesystem::create_directory(folder.file("data/save05.dat"));
    const zv::SlotReadResult folderRead = zv::ReadSlotFile(zv::SlotFile(5));
    EXPECT_FALSE(folderRead.Missing);
    EXPECT_NE(folderRead.Error.find("save05.dat"), std::string::npos) << folderRead.Error;
    EXPECT_EQ(zv::ReadSlotDescription(zv::SlotFile(5)), std::nullopt);
}

TEST(EightBitText, LatinOneKeepsItsCharactersAndAnyOtherBecomesOneQuestionMark) {
    EXPECT_EQ(zv::ToEightBit(QStringLiteral("Caf\u00e9 & Cr\u00e8me")), "Caf\xE9 & Cr\xE8me");
    // A letter with a combining accent is composed first.
    EXPECT_EQ(zv::ToEightBit(QStringLiteral("Cafe\u0301")), "Caf\xE9");
    EXPECT_EQ(zv::ToEightBit(QStringLiteral("5\u20ac")), "5?");
    EXPECT_EQ(zv::ToEightBit(QStringLiteral("\u65e5\u672c")), "??");
    EXPECT_EQ(zv::ToEightBit(QString::fromUtf8("x\xF0\x9F\x98\x80y")), "x?y"); // one emoji, one ?

    std::string every;
    for (int byte = 0; byte < 256; ++byte)
        every += static_cast<char>(byte);
    EXPECT_EQ(zv::ToEightBit(zv::FromEightBit(every)), every);
}

} // namespace
