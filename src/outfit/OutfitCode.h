#pragma once
// Outfit codes: an outfit (gender and the four item names) as a short line of text that survives
// a chat, an e-mail or a forum post: "ZVX1-" and then letters, digits, "-" and "_". A version
// number and two checks let a reader refuse a code that was mistyped, cut short or made by
// another version instead of putting on something else. docs/OUTFIT-CODES.md describes the
// format byte by byte.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// The version this program writes and reads.
inline constexpr int kOutfitCodeVersion = 1;

struct CodedOutfit {
    int Gender = 0; // 0 male, 1 female
    // Helmet, armor, goggles, accessory: the item's name as 8-bit (Latin-1) text, or nullopt
    // when nothing is chosen in that slot.
    std::array<std::optional<std::string>, 4> Items;

    bool operator==(const CodedOutfit&) const = default;
};

// The code of an outfit; nullopt when the names are too long to fit one (far beyond any
// catalogue line).
std::optional<std::string> EncodeOutfitCode(const CodedOutfit& outfit);

enum class OutfitCodeProblem {
    None,
    NotACode,     // nothing that looks like an outfit code
    Truncated,    // a code that ends too early
    Mistyped,     // a code whose characters or checks are wrong
    OtherVersion, // a code of a version this program does not read
};

struct DecodedOutfitCode {
    std::optional<CodedOutfit> Outfit; // set when Problem is None
    OutfitCodeProblem Problem = OutfitCodeProblem::None;
    int Version = 0; // the code's version, when it could be read
};

// Reads a code. Blanks and line breaks anywhere are ignored (a chat may wrap a long code).
DecodedOutfitCode DecodeOutfitCode(std::string_view text);

// Where a code came from, for the wording of a refusal.
enum class OutfitCodeSource { Clipboard, CommandLine };

// The message for a code that cannot be read: says what is wrong with it.
std::string OutfitCodeProblemText(const DecodedOutfitCode& decoded, OutfitCodeSource source);

// The code given on the command line as "--outfit CODE" or "--outfit=CODE"; nullopt when the
// option is not there, an empty text when it has no value. The last one counts.
std::optional<std::string> OutfitCodeArgument(const std::vector<std::string>& arguments);

} // namespace zv
