#include "Catalogue.h"

#include <QList>
#include <algorithm>
#include <cstdint>
#include <initializer_list>

namespace zvdata {
namespace {

// One row of a hand-made list: name, drawing style and three colours. Rows run from the
// cheapest item to the most expensive one.
struct Row {
    const char* name;
    int style;
    QRgb main, second, accent;
};

// clang-format off
const Row kMaleHelmets[] = {
    {"Scout Cap", 0, 0x3a6fd0, 0xf2f2f2, 0xf5d040},
    {"Paper Crown", 2, 0xe9dcc0, 0xd04848, 0x3f78d0},
    {"Woolly Bobble", 1, 0xc8383c, 0xf0f0f0, 0xf8f8f8},
    {"Rusty Horns", 3, 0x9a6a48, 0x6a4a34, 0xeee2c4},
    {"Farmhand Scarf", 7, 0xd04040, 0xd04040, 0xf8f8f8},
    {"Puffy Cook Hat", 14, 0xf6f6f6, 0xd8d8e0, 0xd04848},
    {"Night Beanie", 1, 0x2a3a78, 0x8a90a8, 0xf5d040},
    {"Deckhand Tricorn", 15, 0x4a3428, 0xd04848, 0xe8c050},
    {"Pilot Cap", 21, 0x8a5a34, 0xf2e6c8, 0x58c8e0},
    {"Signal Phones", 12, 0x303038, 0xd04040, 0xf0f0f0},
    {"Dune Turban", 19, 0xe0c890, 0xd88a3a, 0x30b0a0},
    {"Ironcrest Helm", 4, 0xa8b0bc, 0xe0b848, 0xd03838},
    {"Frost Cap", 0, 0x9ad0f0, 0xf8f8f8, 0x24407a},
    {"Gale Hat", 11, 0x3c8a4c, 0x7a5434, 0xf4f4f4},
    {"Bug Feelers", 20, 0x4cb84c, 0x4cb84c, 0xf070b0},
    {"Moon Hood", 10, 0x9a90b8, 0xf0a8c8, 0xf8e060},
    {"Copper Dome", 17, 0x88d8f0, 0x88d8f0, 0xd86a3a},
    {"Stormhorn Helm", 3, 0x5a6470, 0xe0b848, 0xf4f0e6},
    {"Velvet Top Hat", 6, 0x2a2430, 0xb82a3a, 0xe8c050},
    {"Sage Cone", 5, 0x6a3aa8, 0xe8c050, 0xfff070},
    {"Bronze Crest", 18, 0xb8804a, 0x5a3c28, 0xd83a3a},
    {"Lion Hood", 10, 0xe8a030, 0xf8e0b0, 0x8a5028},
    {"Thunder Phones", 12, 0xf0d030, 0x282830, 0x60e0f0},
    {"Jade Turban", 19, 0x2a9a70, 0xe8c050, 0xd83040},
    {"Starfall Cone", 5, 0x1e2a60, 0xc0c8d8, 0xf8f8f8},
    {"Royal Feather", 11, 0xa82030, 0xe8c050, 0xf8f8f8},
    {"Halo of Dawn", 13, 0xf8d040, 0xf8d040, 0xfff8e0},
    {"Warlord Horns", 3, 0x2a262c, 0xc02828, 0xf0e4c8},
    {"Emperor Crown", 2, 0xf0c030, 0xd02838, 0x3060d0},
    {"Dragonplume Helm", 4, 0x8a2020, 0xe8c050, 0xf88a20},
    {"Obsidian Crest", 18, 0x302838, 0x7040b0, 0xe040c0},
    {"Sunforged Crown", 2, 0xf8a828, 0xc01830, 0xfff8f0},
};

const Row kFemaleHelmets[] = {
    {"Daisy Bow", 9, 0xf8d840, 0xf8f8f8, 0xffffff},
    {"Straw Scarf", 7, 0xe0c070, 0xe0c070, 0xd04040},
    {"Pom Beanie", 1, 0xf090b8, 0xf8f0f4, 0xffffff},
    {"Sunny Cap", 0, 0xf8d030, 0xf08a30, 0xd03838},
    {"Bunny Hood", 10, 0xf6f4f8, 0xf8b0c8, 0xf890b0},
    {"Meadow Wreath", 16, 0xf8f8f8, 0xf8e050, 0xf09030},
    {"Silver Circlet", 8, 0xc8d0dc, 0x3a70d0, 0x30b8b0},
    {"Baker Hat", 14, 0xf8f8f8, 0xf8b0c8, 0xd04848},
    {"Ribbon Bow", 9, 0xd83040, 0xf8f8f8, 0xffffff},
    {"Kitten Hood", 10, 0x34303c, 0xf8a8c0, 0xf8e060},
    {"Rose Wreath", 16, 0xd83048, 0xf8a8c0, 0xf8e060},
    {"Aviator Cap", 21, 0xc09060, 0xf8eed8, 0x58c8e0},
    {"Melody Phones", 12, 0xf6f6f8, 0xf890b8, 0x60d0f0},
    {"Coral Tricorn", 15, 0xf07860, 0xf8f0e0, 0xf0c040},
    {"Glitter Feelers", 20, 0xa050d0, 0xa050d0, 0xf8e040},
    {"Pearl Circlet", 8, 0xf4eef0, 0xf8a0c0, 0xffffff},
    {"Witch Cone", 5, 0x2c2434, 0x8040b0, 0xf8e040},
    {"Bubble Dome", 17, 0x90e0f8, 0x90e0f8, 0xf880b8},
    {"Valkyrie Horns", 3, 0xc0c8d4, 0x3a60b8, 0xf8f8f8},
    {"Lotus Turban", 19, 0xf0a0c0, 0xe8c050, 0x30b0a8},
    {"Plumed Helm", 4, 0xc8d0dc, 0x8040b0, 0xf880c0},
    {"Opera Top Hat", 6, 0x6a2a90, 0x282028, 0xf890c0},
    {"Mist Hat", 11, 0x3aa0a0, 0x243c70, 0xf8f8f8},
    {"Moonlight Bow", 9, 0x283c80, 0xc8d0e0, 0xf8e060},
    {"Crystal Crest", 18, 0xc0e8f8, 0xa8b0c0, 0x40d8f0},
    {"Star Circlet", 8, 0xf0c030, 0x8040b0, 0xffffff},
    {"Blossom Crown", 2, 0xf8b8c8, 0x40a050, 0xffffff},
    {"Seraph Halo", 13, 0xfff0a0, 0xfff0a0, 0x70e0f8},
    {"Aurora Cone", 5, 0x28a8a0, 0xf890c0, 0xffffff},
    {"Phoenix Plume", 4, 0xe8b840, 0xd02828, 0xf88a20},
    {"Empress Crown", 2, 0xf0c030, 0x7a30b0, 0xffffff},
    {"Nightshade Hood", 10, 0x40285a, 0xd040a8, 0x60d060},
};

const Row kMaleArmor[] = {
    {"Patched Tunic", 0, 0x8a6440, 0xc8ac80, 0x4a3424},
    {"Burlap Poncho", 17, 0xd8c49a, 0x7a5838, 0xc83838},
    {"Sailor Stripes", 7, 0xf4f4f8, 0x243a80, 0xd03838},
    {"Farm Dungarees", 12, 0x4a70b0, 0xd04848, 0xf0d040},
    {"Grey Hoodie", 6, 0x8a8e98, 0x3a3e48, 0xf4f4f4},
    {"Track Jacket", 16, 0x2a5ac8, 0xf4f4f4, 0xf0d040},
    {"Leather Vest", 5, 0x7a4a2a, 0xf0e8d4, 0x3a5a34},
    {"Woodsman Jacket", 3, 0xc03030, 0x2a2a2e, 0xf0e4c8},
    {"Shadow Wrap", 8, 0x2e2a36, 0x2e2a36, 0xc83030},
    {"Lab Coat", 9, 0xf6f6f8, 0x6a6e78, 0x58c8e0},
    {"Monk Robe", 2, 0xe88a28, 0x8a5028, 0xf8d840},
    {"Desert Poncho", 17, 0xe0c890, 0x8a6440, 0x28a098},
    {"Bronze Plate", 1, 0xc08850, 0x7a5030, 0xd03838},
    {"Office Suit", 4, 0x5a606c, 0xf4f4f4, 0xc82838},
    {"Ember Hoodie", 6, 0xe05028, 0x3a2a2a, 0xf8d840},
    {"River Kimono", 14, 0x3a70c0, 0xf4f4f8, 0xd03838},
    {"Knight Cape", 15, 0xb0b8c4, 0xc02838, 0xe8c050},
    {"Circuit Suit", 13, 0x6a7e98, 0x343c4c, 0x40e0f0},
    {"Midnight Suit", 4, 0x24222c, 0xc8c8d0, 0x8040c0},
    {"Sage Robe", 2, 0x6a38a8, 0xe8c050, 0xe8c050},
    {"Frost Plate", 1, 0xb8e0f4, 0xf4f8fc, 0x40c8f0},
    {"Storm Track", 16, 0x2a2a30, 0xf0d030, 0xf4f4f4},
    {"Thunder Mech", 13, 0xf0c830, 0x2a2a30, 0x50e8f8},
    {"Jade Kimono", 14, 0x2a9a70, 0xe8c050, 0xc82838},
    {"Royal Cape", 15, 0x283c88, 0xb02030, 0xe8c050},
    {"Gilded Plate", 1, 0xf0c040, 0xf8f4e8, 0xd02838},
    {"Shogun Wrap", 8, 0xa82028, 0xa82028, 0xe8c050},
    {"Archmage Robe", 2, 0x1e2a68, 0xc8d0e0, 0x50d8f0},
    {"Dragon Plate", 1, 0x8a2020, 0xe8c050, 0xf88a20},
    {"Titan Mech", 13, 0x3a3a44, 0xc02828, 0xf89030},
    {"Starlord Cape", 15, 0x2a2630, 0x7038b0, 0xe8c050},
    {"Comet Coat", 9, 0x243068, 0xc8d0e0, 0xf8d840},
};

const Row kFemaleArmor[] = {
    {"Linen Dress", 10, 0xe8dcc0, 0x8a6440, 0xf8f8f8},
    {"Patch Tunic", 0, 0x5a9a50, 0x8a6440, 0xd8c49a},
    {"School Skirt", 11, 0x283c80, 0xf4f4f8, 0x8a8e98},
    {"Sailor Dress", 7, 0xf4f4f8, 0x243a80, 0xd03838},
    {"Garden Dungarees", 12, 0xf090b0, 0xf8f8f8, 0xf0d040},
    {"Cozy Hoodie", 6, 0xb8a0e0, 0x6a6e78, 0xf8f8f8},
    {"Sport Track", 16, 0xf070a0, 0xf8f8f8, 0xf8e050},
    {"Picnic Dress", 10, 0xd83838, 0xf8f8f8, 0xf8d840},
    {"Fiesta Poncho", 17, 0x30a8a0, 0x8a6440, 0xf08a30},
    {"Vest and Blouse", 5, 0x3a8a4c, 0xf8f8f8, 0x7a5434},
    {"Denim Jacket", 3, 0x4a70b0, 0x4a70b0, 0xf8b0c8},
    {"Ninja Wrap", 8, 0x3a2850, 0x3a2850, 0xf080b8},
    {"Chemist Coat", 9, 0xf6f6f8, 0x8a8e98, 0xf890b8},
    {"Temple Robe", 2, 0xf6f4f0, 0xe8c050, 0xc83838},
    {"Silver Plate", 1, 0xc0c8d4, 0x3a60b8, 0x40d0f0},
    {"Sakura Kimono", 14, 0xf8b0c8, 0xf8f8f8, 0xc82838},
    {"Ballroom Dress", 10, 0x8040b0, 0xe8c050, 0xf8f8f8},
    {"Tennis Skirt", 11, 0xf6f6f8, 0x40a050, 0x40a050},
    {"Ranger Cape", 15, 0x3a7a40, 0x7a5434, 0xe8c050},
    {"Business Suit", 4, 0x6a6e7a, 0xf8f8f8, 0xf080b0},
    {"Crystal Mech", 13, 0xf0f0f8, 0xf0a0c8, 0x40e0f0},
    {"Moon Robe", 2, 0x243068, 0xc8d0e0, 0xf8e060},
    {"Coral Plate", 1, 0xf07860, 0xe8c050, 0xf8f8f8},
    {"Storm Kimono", 14, 0x5a6c90, 0xf4f4f8, 0xf8d840},
    {"Rose Gown", 10, 0xb82040, 0xe8c050, 0xf8f8f8},
    {"Valkyrie Cape", 15, 0xc0c8d4, 0x3a60b8, 0xe8c050},
    {"Lotus Wrap", 8, 0xc04880, 0xc04880, 0xe8c050},
    {"Aurora Gown", 10, 0x28a8a0, 0xf890c0, 0xf8f8f8},
    {"Phoenix Plate", 1, 0xf08a28, 0xc82828, 0xf8d040},
    {"Starlight Robe", 2, 0x24202c, 0x8040c0, 0xe8c050},
    {"Queen's Cape", 15, 0xe8c050, 0x7030a8, 0xf8f8f8},
    {"Nebula Mech", 13, 0x6a38a8, 0x2a2434, 0xf880c8},
};

const Row kMaleGoggles[] = {
    {"Plain Specs", 9, 0x3a3040, 0x3a3040, 0x3a3040},
    {"Cardboard 3D", 12, 0xf4f4f4, 0xf4f4f4, 0xf4f4f4},
    {"Bandit Cloth", 13, 0xc83838, 0xc83838, 0xf8f8f8},
    {"Snorkel", 11, 0xf8c828, 0x58c8e8, 0xf07828},
    {"Eye Patch", 10, 0x2a2a2e, 0x4a3a30, 0xc83838},
    {"Sun Shades", 2, 0x2a2a34, 0x5a5e68, 0x8a90a0},
    {"Flight Goggles", 0, 0x9a6a40, 0x5a3c28, 0xf0b040},
    {"Domino Mask", 5, 0x2a2a34, 0x2a2a34, 0xf8f8f8},
    {"Visor Band", 1, 0x50c8e8, 0x5a5e68, 0xffffff},
    {"Monocle", 3, 0xe8c050, 0xe8c050, 0xe8c050},
    {"Snow Goggles", 6, 0xf08a30, 0x2a2a30, 0xf8f8f8},
    {"Star Shades", 4, 0xf8d030, 0xf08a30, 0x3a3040},
    {"Heart Shades", 7, 0xd83040, 0xf890b0, 0xffffff},
    {"Cyclops Visor", 8, 0x3a3e48, 0xd83838, 0x50e0f8},
    {"Scanner", 15, 0x8a8e98, 0x3a3e48, 0x50e060},
    {"Pointed Frames", 14, 0x2a2a30, 0x90d8f0, 0xe8c050},
    {"Brass Goggles", 0, 0xc8a040, 0x6a4a2a, 0x30b0a0},
    {"Night Visor", 1, 0x2a6a3a, 0x2a2a30, 0xffffff},
    {"Hero Mask", 5, 0x2a5ac8, 0x2a5ac8, 0xf8f8f8},
    {"Storm Shades", 2, 0x24306a, 0xc0c8d8, 0x60d8f0},
    {"Ruby Monocle", 3, 0xe8c050, 0xe8c050, 0xd02838},
    {"Laser Visor", 8, 0x24242a, 0xf83030, 0xf84040},
    {"Glacier Goggles", 6, 0xb8e4f8, 0xf8f8f8, 0x40c8f0},
    {"Nova Stars", 4, 0x8040c0, 0xe8c050, 0xffffff},
    {"Hunter Scanner", 15, 0x3a6a3a, 0x6a4a2a, 0xf83030},
    {"Shadow Mask", 5, 0x3a2850, 0x3a2850, 0xe040c0},
    {"Phantom Shades", 2, 0x24202c, 0x8040c0, 0xe040c0},
    {"Eagle Goggles", 0, 0xe8c050, 0x4a3020, 0x3a80f0},
    {"Quantum Visor", 1, 0xe040c0, 0xc0c8d8, 0xffffff},
    {"Oracle Frames", 14, 0xe8c050, 0x9060d0, 0xffffff},
    {"Dragon Eye", 15, 0xc82828, 0xe8c050, 0xf8e040},
    {"Zenith Visor", 8, 0xf4f4f8, 0xe8c050, 0x40e0f8},
};

const Row kFemaleGoggles[] = {
    {"Round Specs", 9, 0xd05080, 0xd05080, 0xd05080},
    {"Party 3D", 12, 0xf4f4f4, 0xf4f4f4, 0xf4f4f4},
    {"Snorkel", 11, 0xf870a8, 0x58c8e8, 0xf8d840},
    {"Cat Frames", 14, 0xc83040, 0xf8f0f0, 0xe8c050},
    {"Candy Shades", 2, 0xf080b0, 0xf8f8f8, 0xffffff},
    {"Masquerade", 5, 0x7a38b0, 0x7a38b0, 0xe8c050},
    {"Sweetheart Shades", 7, 0xf070a8, 0xd02838, 0xffffff},
    {"Daisy Stars", 4, 0xf8e040, 0xf8f8f8, 0xf08a30},
    {"Breeze Goggles", 0, 0xf6f6f8, 0xf8a8c8, 0x60d0f0},
    {"Lace Patch", 10, 0xf6f6f8, 0xf8a8c8, 0xf070a8},
    {"Powder Goggles", 6, 0xf890c0, 0xf8f8f8, 0x9050c8},
    {"Glow Visor", 1, 0xf890c0, 0xf8f8f8, 0xffffff},
    {"Pearl Monocle", 3, 0xd0d6e0, 0xd0d6e0, 0xf8a0c0},
    {"Rose Veil", 13, 0xc82840, 0xc82840, 0xf8a8c0},
    {"Aqua Visor", 8, 0x248888, 0x60e0f0, 0x90f8f8},
    {"Fox Mask", 5, 0xf08a30, 0xf08a30, 0xf8f8f8},
    {"Comet Scanner", 15, 0xc0c8d4, 0x8040c0, 0x50e0f8},
    {"Sunset Shades", 2, 0xf08030, 0xe8c050, 0xf8e060},
    {"Opal Frames", 14, 0xf6f6f8, 0x90e0f0, 0xf890c0},
    {"Lilac Goggles", 0, 0xb8a0e0, 0x7a48b0, 0xf890c0},
    {"Starlet Stars", 4, 0xc8d0dc, 0xf890c0, 0xffffff},
    {"Crystal Visor", 1, 0xb0e4f8, 0xc8d0dc, 0xffffff},
    {"Velvet Mask", 5, 0xa82030, 0xa82030, 0xe8c050},
    {"Mirror Shades", 2, 0xc0c8d4, 0x60d8f0, 0xffffff},
    {"Blizzard Goggles", 6, 0xf4f8fc, 0xc0c8d4, 0x40c8f0},
    {"Ruby Hearts", 7, 0xb82030, 0xe8c050, 0xffffff},
    {"Siren Visor", 8, 0x243068, 0xf890c0, 0xf050c8},
    {"Moon Monocle", 3, 0xd0d6e0, 0xd0d6e0, 0xf8e060},
    {"Galaxy Frames", 14, 0x7038b0, 0x243068, 0xffffff},
    {"Nova Scanner", 15, 0xe8c050, 0xf8f8f8, 0xf08a30},
    {"Angel Stars", 4, 0xf8f8f8, 0xe8c050, 0x60d8f0},
    {"Diva Visor", 1, 0xe8c050, 0x7a38b0, 0xffffff},
};

const Row kFlags[] = {
    {"Plain Pennant", 10, 0xf4f4f4, 0xd03838, 0xd03838},
    {"Picnic Check", 7, 0xf4f4f4, 0xd03838, 0xd03838},
    {"Ember Banner", 0, 0xd83030, 0xf08a30, 0xf8d840},
    {"Forest Banner", 1, 0x3a8a4c, 0xf4f4f4, 0x7a5434},
    {"Harbor Flag", 2, 0x2a5ac8, 0xf4f4f4, 0xd03838},
    {"Saltire Flag", 3, 0xf4f4f4, 0x2a5ac8, 0x2a5ac8},
    {"Sun Disc", 4, 0xf4f4f4, 0xd03838, 0xf8d840},
    {"Lone Star", 5, 0x2a5ac8, 0xf4f4f4, 0xf4f4f4},
    {"Arrow Flag", 6, 0xf8d030, 0x2a2a30, 0xf4f4f4},
    {"Racing Check", 7, 0x2a2a30, 0xf4f4f4, 0xf4f4f4},
    {"Split Flag", 8, 0x3a9a4c, 0xf8d030, 0xd03838},
    {"Swallow Flag", 9, 0x7a38b0, 0xe8c050, 0xe8c050},
    {"Moon Flag", 11, 0x243068, 0xf4f4f4, 0xf8e060},
    {"Quarter Flag", 12, 0xd03838, 0xf4f4f4, 0xe8c050},
    {"Heart Border", 13, 0xf8b0c8, 0xd83048, 0xd83048},
    {"Candy Stripes", 14, 0xf4f4f4, 0xd03838, 0x2a5ac8},
    {"Sunrise Flag", 15, 0xf08a30, 0xf8d840, 0xd03030},
    {"Love Flag", 16, 0xf4f4f4, 0xd83048, 0xd83048},
    {"Bolt Flag", 17, 0x2a2a30, 0xf8d030, 0xf8d030},
    {"Sea Flag", 18, 0x2a5ac8, 0xf4f4f4, 0x60d8f0},
    {"Gem Flag", 19, 0x28a098, 0xf4f4f4, 0xe040c0},
    {"Royal Pennant", 10, 0x7a38b0, 0xe8c050, 0xe8c050},
    {"Thunder Banner", 17, 0x243068, 0xe8c050, 0xe8c050},
    {"Frost Banner", 2, 0xf4f8fc, 0x60c8f0, 0x2a5ac8},
    {"Dragon Banner", 8, 0x2a2630, 0xc02828, 0xe8c050},
    {"Starfield", 5, 0x24202c, 0xe8c050, 0xe8c050},
    {"Phoenix Rays", 15, 0xc02828, 0xe8c050, 0xf8f8f8},
    {"Crown Quarters", 12, 0xe8c050, 0x7a38b0, 0xf8f8f8},
    {"Tide Banner", 18, 0x28a098, 0xf4f4f4, 0x243068},
    {"Victory Swallow", 9, 0xe8c050, 0xc02828, 0xc02828},
    {"Eternal Sun", 4, 0x7a38b0, 0xe8c050, 0xf8f8f8},
    {"Comet Tail", 19, 0x243068, 0xc0c8d8, 0xf8e060},
};
// clang-format on

// Small deterministic generator: the same name always gives the same numbers.
class Dice {
public:
    explicit Dice(const QByteArray& seed) {
        uint64_t h = 1469598103934665603ULL;
        for (char ch : seed) {
            h = (h ^ static_cast<unsigned char>(ch)) * 1099511628211ULL;
        }
        state_ = h;
    }
    uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15ULL;
        uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int Between(int lo, int hi) { return lo + static_cast<int>(Next() % (hi - lo + 1)); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

private:
    uint64_t state_;
};

QByteArray Slug(const QByteArray& name) {
    QByteArray slug;
    for (char ch : name.toLower()) {
        if ((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9')) {
            slug += ch;
        } else if (!slug.endsWith('-') && !slug.isEmpty()) {
            slug += '-';
        }
    }
    while (slug.endsWith('-')) {
        slug.chop(1);
    }
    return slug;
}

// What each slot is good at; further strengths and the weaknesses come from anywhere.
QList<Stat> Favourites(Slot slot) {
    switch (slot) {
    case Slot::Helmet:
        return {Stars, Shield, Hearts, ItemDelay};
    case Slot::Armor:
        return {Shield, Hearts, ShieldRegen, Delay};
    case Slot::Goggles:
        return {Attack, Delay, ItemDelay, Stars};
    case Slot::Accessory:
        break;
    }
    return {Shovel, Attack, Stars, ShieldRegen, Hearts};
}

void RollEffects(Item& item, int index, int count) {
    Dice dice(item.name + item.itemPicture);
    const int tier = std::min(5, index * 6 / count);
    item.tier = tier;
    // Prices climb through the list; the first item of every list is free.
    static const int priceLo[6] = {0, 2000, 10000, 35000, 90000, 200000};
    static const int priceHi[6] = {1500, 9000, 30000, 80000, 180000, 450000};
    item.cost = index == 0 ? 0 : dice.Between(priceLo[tier], priceHi[tier]) / 50 * 50;

    static const int strengths[6] = {1, 2, 2, 3, 3, 4};
    static const int lo[6] = {2, 4, 6, 8, 11, 15};
    static const int hi[6] = {6, 9, 12, 15, 19, 25};
    const QList<Stat> favourites = Favourites(item.slot);
    std::array<bool, StatCount> used{};
    for (int k = 0; k < strengths[tier]; ++k) {
        Stat s;
        do {
            if (k == 0 || dice.Chance(60)) {
                s = favourites[dice.Between(0, static_cast<int>(favourites.size()) - 1)];
            } else {
                s = static_cast<Stat>(dice.Between(0, StatCount - 1));
            }
        } while (used[s]);
        used[s] = true;
        item.stats[s] = dice.Between(lo[tier], hi[tier]);
    }
    // Cheap things come with a catch; the best ones rarely do.
    static const int weaknessChance[6] = {100, 100, 55, 40, 25, 0};
    static const int weaknessWorst[6] = {-10, -8, -6, -5, -4, 0};
    int weaknesses = dice.Chance(weaknessChance[tier]) ? 1 : 0;
    if (tier == 0 && dice.Chance(50)) {
        weaknesses = 2;
    }
    for (int k = 0; k < weaknesses; ++k) {
        Stat s;
        do {
            s = static_cast<Stat>(dice.Between(0, StatCount - 1));
        } while (used[s]);
        used[s] = true;
        item.stats[s] = dice.Between(weaknessWorst[tier], tier >= 3 ? -1 : -2);
    }
    // A few specialists: one stat far above the rest, paid for with a deep weakness. Worn
    // together they push a total past the cap.
    if (index % 11 == 7) {
        const Stat s = favourites[(index / 11) % static_cast<int>(favourites.size())];
        item.stats[s] = dice.Between(27, 33);
        Stat w;
        do {
            w = static_cast<Stat>(dice.Between(0, StatCount - 1));
        } while (w == s);
        item.stats[w] = dice.Between(-12, -7);
        item.cost = std::max(item.cost, dice.Between(40000, 120000) / 50 * 50);
    }
}

template <size_t N>
Catalogue Build(const QString& list, const QString& detail, const Row (&rows)[N], Slot slot,
                Gender gender, const char* prefix) {
    Catalogue catalogue{list, detail, {}};
    for (size_t i = 0; i < N; ++i) {
        Item item;
        item.name = rows[i].name;
        item.slot = slot;
        item.gender = gender;
        item.look = {rows[i].style, QColor(rows[i].main), QColor(rows[i].second),
                     QColor(rows[i].accent)};
        const QByteArray base = QByteArray(prefix) + '-' + Slug(item.name);
        item.itemPicture = "shop-" + base;
        item.previewPicture = base;
        RollEffects(item, static_cast<int>(i), static_cast<int>(N));
        catalogue.items.append(item);
    }
    return catalogue;
}

QByteArray Number(int value) {
    return QByteArray::number(value);
}

} // namespace

QList<Catalogue> ShippedCatalogues() {
    return {
        Build(QStringLiteral("male01.dat"), QStringLiteral("male11.dat"), kMaleHelmets,
              Slot::Helmet, Gender::Male, "hm"),
        Build(QStringLiteral("male02.dat"), QStringLiteral("male12.dat"), kMaleArmor, Slot::Armor,
              Gender::Male, "am"),
        Build(QStringLiteral("male03.dat"), QStringLiteral("male13.dat"), kMaleGoggles,
              Slot::Goggles, Gender::Male, "gm"),
        Build(QStringLiteral("female01.dat"), QStringLiteral("female11.dat"), kFemaleHelmets,
              Slot::Helmet, Gender::Female, "hf"),
        Build(QStringLiteral("female02.dat"), QStringLiteral("Female12.dat"), kFemaleArmor,
              Slot::Armor, Gender::Female, "af"),
        Build(QStringLiteral("female03.dat"), QStringLiteral("Female13.dat"), kFemaleGoggles,
              Slot::Goggles, Gender::Female, "gf"),
        Build(QStringLiteral("acce01.dat"), QStringLiteral("acce11.dat"), kFlags, Slot::Accessory,
              Gender::Male, "fl"),
    };
}

QList<Catalogue> ScaledCatalogues(int count) {
    QList<Catalogue> catalogues = ShippedCatalogues();
    for (Catalogue& catalogue : catalogues) {
        const QList<Item> base = catalogue.items;
        for (int i = static_cast<int>(base.size()); i < count; ++i) {
            Item item = base[i % base.size()];
            item.name += " Mk " + Number(i / static_cast<int>(base.size()) + 1);
            catalogue.items.append(item);
        }
    }
    return catalogues;
}

QByteArray ListFileBytes(const Catalogue& catalogue) {
    QByteArray bytes;
    for (const Item& item : catalogue.items) {
        bytes += item.name + "\r\n";
    }
    return bytes;
}

QByteArray DetailFileBytes(const Catalogue& catalogue) {
    QByteArray bytes;
    for (const Item& item : catalogue.items) {
        const auto& s = item.stats;
        for (const QByteArray& line :
             {item.name, item.itemPicture, item.previewPicture, Number(s[Delay]), Number(s[Attack]),
              Number(s[Hearts]), Number(s[Shovel]), Number(s[Stars]), Number(s[Shield]),
              Number(s[ItemDelay]), Number(s[ShieldRegen]), Number(item.cost)}) {
            bytes += line + "\r\n";
        }
    }
    return bytes;
}

} // namespace zvdata
