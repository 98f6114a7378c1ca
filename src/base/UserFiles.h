#pragma once
// Where the files the program writes (the settings file, the save slots, the wardrobe files) live.
//
// A portable program folder, one the user may write to, keeps them in its own data folder, as it
// always has. An installed program folder, marked by the file "installed.txt" that the install
// step puts there or simply not writable, is shared by every user of the machine and never
// changes: each user's files then live in the user's own folders (the settings file in
// $XDG_CONFIG_HOME/Zorvex, the others in $XDG_DATA_HOME/Zorvex), copied from the program folder's
// copies the first time they are needed and never overwritten by them afterwards. Everything the
// program only reads comes from the program folder either way.
#include <filesystem>
#include <string_view>
#include <vector>

namespace zv {

// The folder's name of the user's files below the user's configuration and data folders.
inline constexpr std::string_view kUserFolderName = "Zorvex";

// True when the program folder is an installed one (see above); decided at the first question
// for each program folder.
bool ProgramFolderIsInstalled();

// The one place that decides where a user file lives. `relative` is its path in the program
// folder, such as "\data\save01.dat". For an installed program folder the user's copy is made
// first when it is missing and the program folder has one.
std::filesystem::path UserFilePath(std::string_view relative);

// The folders user files are written in, for tidying up after a writer that died.
std::vector<std::filesystem::path> UserFileFolders();

} // namespace zv
