#pragma once
// Choosing an item in one of the seven item lists, without the windows: look the item up, unwrap
// its shop picture and its preview layer, store its effect values. The window loads the returned
// pictures, applies the Snorkel rule and updates the totals afterwards.
#include "codec/ProtectedFile.h"
#include "planner/Catalog.h"
#include "planner/ItemEffects.h"
#include "planner/ItemFamily.h"

#include <filesystem>
#include <optional>
#include <string>

namespace zv {

struct SelectionOutcome {
    ItemRecord Record;
    // The decoded pictures; nullopt when that step failed (no such file, nothing decoded): the
    // window then keeps the picture it shows.
    std::optional<std::string> ItemPicture;    // for the shop picture
    std::optional<std::string> PreviewPicture; // for the preview layer
    std::string Error; // the detail catalogue could not be read; empty otherwise
};

// The steps of an item click for `family` with the chosen `name`; each step after the lookup is
// best-effort. The record's numbers are stored into `slotEffects` (a field that does not convert
// keeps its value; a name not in the catalogue sets all nine to 0).
SelectionOutcome SelectItem(const ItemFamily& family, const std::string& name,
                            ItemEffects& slotEffects, const std::string& key,
                            const std::string& key2, const CodecHooks& hooks = {});

// Reads one protected picture and unwraps it in memory (no decoded picture ever reaches a file);
// returns the picture's bytes. nullopt when the file is missing or does not unwrap to a picture
// stored as a GIF (what the windows show). A picture unwrapped before from the very same,
// unchanged file (same file, size, modification and change times) is not read again; a file that
// changed in any way is.
std::optional<std::string> UnwrapPicture(const std::filesystem::path& protectedFile,
                                         const std::string& key, const std::string& key2,
                                         const CodecHooks& hooks = {});

// Forgets every picture unwrapped before (the next choice of any item reads its files again).
void ForgetUnwrappedPictures();

// The program-folder paths of an item's two protected pictures ("\avatargraphics\" + name +
// ".qvp" and "\avatarpreview\" + prefix + name + ".qvp").
std::string ItemPicturePath(const ItemRecord& record);
std::string PreviewPicturePath(const ItemFamily& family, const ItemRecord& record);

} // namespace zv
