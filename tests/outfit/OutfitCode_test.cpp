// Outfit codes: what goes in comes out, for every shipped item and for awkward names; every
// damaged code is refused and says how it is damaged.
#include "base/ProgramPaths.h"
#include "outfit/OutfitCode.h"
#include "planner/Catalog.h"
#include "planner/ItemFamily.h"
#include "support/ProgramFolder.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

CodedOutfit Outfit(int gender, std::optional<std::string> helmet, std::optional<std::string> armor,
                   std::optional<std::string> goggles, std::optional<std::string> accessory) {
    return CodedOutfit{
        gender, {std::move(helmet), std::move(armor), std::move(goggles), std::move(accessory)}};
}

std::string Encoded(const CodedOutfit& outfit) {
    const std::optional<std::string> code = EncodeOutfitCode(outfit);
    EXPECT_TRUE(code.has_value());
    return code.value_or(std::string());
}

void ExpectRoundTrip(const CodedOutfit& outfit) {
    const std::string code = Encoded(outfit);
    ASSERT_TRUE(code.starts_with("ZVX1-")) << code;
    for (const char ch : code.substr(5)) {
        EXPECT_TRUE((ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') ||
                    (ch >= '0' && ch <= '9') || ch == '-' || ch == '_')
            << "a character a chat could change: " << ch;
    }
    const DecodedOutfitCode decoded = DecodeOutfitCode(code);
    ASSERT_EQ(decoded.Problem, OutfitCodeProblem::None) << code;
    EXPECT_EQ(decoded.Outfit, outfit) << code;
}

// The same outfit always gives the same code: codes already passed around stay readable.
TEST(OutfitCode, KeepsItsFormat) {
    const CodedOutfit outfit = Outfit(1, "Daisy Bow", std::nullopt, "Snorkel", "");
    EXPECT_EQ(Encoded(outfit), "ZVX1-ABzWAQpEYWlzeSBCb3cACFNub3JrZWwBIYgfBw");
    EXPECT_EQ(DecodeOutfitCode("ZVX1-ABzWAQpEYWlzeSBCb3cACFNub3JrZWwBIYgfBw").Outfit, outfit);
}

TEST(OutfitCode, EveryShippedItemOfBothGendersComesBack) {
    if (!std::filesystem::exists(zvtest::ProgramFolder::assembled() / "data" / "male01.dat"))
        GTEST_SKIP() << "the assembled program folder has no catalogues";
    SetProgramFolder(zvtest::ProgramFolder::assembled());
    for (int gender : {0, 1}) {
        std::vector<std::vector<std::string>> lists;
        size_t longest = 0;
        for (SlotKind kind :
             {SlotKind::Helmet, SlotKind::Armor, SlotKind::Goggles, SlotKind::Accessory}) {
            lists.push_back(ReadListCatalog(ProgramPath(ItemFamilyFor(gender, kind)->ListCatalog)));
            ASSERT_FALSE(lists.back().empty());
            longest = std::max(longest, lists.back().size());
        }
        for (size_t k = 0; k < longest; ++k) {
            CodedOutfit outfit{gender, {}};
            for (size_t slot = 0; slot < 4; ++slot)
                outfit.Items[slot] = lists[slot][k % lists[slot].size()];
            ExpectRoundTrip(outfit);
            // And with nothing chosen in one slot.
            outfit.Items[k % 4].reset();
            ExpectRoundTrip(outfit);
        }
    }
}

TEST(OutfitCode, AwkwardNamesComeBackByteForByte) {
    const std::string latin1 = "Z\xE9phyr \xC6gis \xFC\xDF\xF1\xA9"; // Zéphyr Ægis üßñ©
    ExpectRoundTrip(Outfit(0, "Cap & Bells", "  spaced  out  ", latin1, std::string(200, 'W')));
    ExpectRoundTrip(Outfit(1, std::string(200, '\xE9'), "", std::nullopt, "a&b&&c"));
    ExpectRoundTrip(Outfit(0, std::nullopt, std::nullopt, std::nullopt, std::nullopt));
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    ExpectRoundTrip(Outfit(1, everyByte, everyByte, everyByte, everyByte));
}

TEST(OutfitCode, BlanksAndLineBreaksFromAChatAreIgnored) {
    const CodedOutfit outfit = Outfit(0, "Scout Cap", "Lab Coat", std::nullopt, "Harbor Flag");
    const std::string code = Encoded(outfit);
    const std::string wrapped = std::string("  ") + code.substr(0, 9) + " " + code.substr(9, 11) +
                                "\r\n  " + code.substr(20) + "\n";
    EXPECT_EQ(DecodeOutfitCode(wrapped).Outfit, outfit);
}

TEST(OutfitCode, EverySingleCharacterCorruptionIsRefused) {
    const std::string code =
        Encoded(Outfit(1, "Pom Beanie", "Straw Scarf & Bow", "Snorkel", std::nullopt));
    std::string replacements = " \t\xC3\xE9\x7F";
    for (char ch = '!'; ch <= '~'; ++ch)
        replacements += ch;
    const size_t bodyStart = code.find('-') + 1;
    for (size_t pos = 0; pos < code.size(); ++pos) {
        for (const char replacement : replacements) {
            if (replacement == code[pos])
                continue;
            std::string damaged = code;
            damaged[pos] = replacement;
            const DecodedOutfitCode decoded = DecodeOutfitCode(damaged);
            ASSERT_FALSE(decoded.Outfit.has_value()) << "accepted: " << damaged;
            if (pos >= bodyStart && replacement != ' ' && replacement != '\t') {
                EXPECT_EQ(decoded.Problem, OutfitCodeProblem::Mistyped) << damaged;
            }
        }
    }
}

TEST(OutfitCode, EveryTruncationIsRefusedAsIncomplete) {
    for (const CodedOutfit& outfit :
         {Outfit(0, "Scout Cap", std::nullopt, "Monocle", "Harbor Flag"),
          Outfit(1, std::string(200, 'x'), "Pearl Circlet", std::string(200, '\xF8'), "")}) {
        const std::string code = Encoded(outfit);
        for (size_t length = 1; length < code.size(); ++length) {
            const DecodedOutfitCode decoded = DecodeOutfitCode(code.substr(0, length));
            ASSERT_EQ(decoded.Problem, OutfitCodeProblem::Truncated) << code.substr(0, length);
            EXPECT_FALSE(decoded.Outfit.has_value());
        }
    }
}

TEST(OutfitCode, RefusalsSayWhatIsWrong) {
    const std::string code = Encoded(Outfit(0, "Scout Cap", std::nullopt, std::nullopt, ""));
    const std::string body = code.substr(5);

    const DecodedOutfitCode future = DecodeOutfitCode(std::string("ZVX2-") + body);
    EXPECT_EQ(future.Problem, OutfitCodeProblem::OtherVersion);
    EXPECT_EQ(future.Version, 2);
    EXPECT_EQ(OutfitCodeProblemText(future, OutfitCodeSource::Clipboard),
              "The outfit code was made by a newer version of Zorvex (code version 2). This "
              "version reads codes of version 1 only.");
    const DecodedOutfitCode older = DecodeOutfitCode(std::string("ZVX0-") + body);
    EXPECT_EQ(OutfitCodeProblemText(older, OutfitCodeSource::Clipboard),
              "The outfit code is of version 0, which this version of Zorvex does not read. It "
              "reads codes of version 1.");

    const DecodedOutfitCode text = DecodeOutfitCode("my outfit is cool");
    EXPECT_EQ(text.Problem, OutfitCodeProblem::NotACode);
    EXPECT_EQ(OutfitCodeProblemText(text, OutfitCodeSource::Clipboard),
              "The clipboard holds no outfit code. An outfit code is one line of letters and "
              "digits that starts with \"ZVX1-\".");
    EXPECT_EQ(OutfitCodeProblemText(DecodeOutfitCode(""), OutfitCodeSource::CommandLine),
              "The text given after --outfit is not an outfit code. An outfit code is one line "
              "of letters and digits that starts with \"ZVX1-\".");
    EXPECT_EQ(
        OutfitCodeProblemText(DecodeOutfitCode(code.substr(0, 12)), OutfitCodeSource::Clipboard),
        "The outfit code is incomplete: it ends too early. Copy the whole code, up to its "
        "last character, and try again.");
    EXPECT_EQ(OutfitCodeProblemText(DecodeOutfitCode(code + "A"), OutfitCodeSource::Clipboard),
              "The outfit code is mistyped: some of its characters are wrong, so it does not "
              "pass its check. Copy it again exactly as it was given.");
    EXPECT_EQ(DecodeOutfitCode(std::string("zvx1-") + body).Problem, OutfitCodeProblem::NotACode);
    EXPECT_EQ(DecodeOutfitCode(std::string("ZVX01-") + body).Problem, OutfitCodeProblem::Mistyped);
}

TEST(OutfitCodeArgument, TakesTheValueOfTheLastOutfitOption) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(OutfitCodeArgument(Args{"zorvex"}), std::nullopt);
    EXPECT_EQ(OutfitCodeArgument(Args{"zorvex", "--outfit", "ZVX1-abc"}), "ZVX1-abc");
    EXPECT_EQ(OutfitCodeArgument(Args{"zorvex", "--outfit=ZVX1-abc"}), "ZVX1-abc");
    EXPECT_EQ(OutfitCodeArgument(Args{"zorvex", "--outfit=a", "--outfit", "b"}), "b");
    EXPECT_EQ(OutfitCodeArgument(Args{"zorvex", "--outfit"}), "");
    // The program's own name is never an option.
    EXPECT_EQ(OutfitCodeArgument(Args{"--outfit=x"}), std::nullopt);
}

} // namespace
} // namespace zv
