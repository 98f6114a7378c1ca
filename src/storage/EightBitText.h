#pragma once
// The user's files (save slots, wardrobe, settings) are 8-bit text: one byte per character, in
// Latin-1. Text typed or pasted on screen is turned into it here.
#include <QString>
#include <string>
#include <string_view>

namespace zv {

// Composed characters first (e + combining acute becomes one "é"), then one byte per character;
// a character Latin-1 cannot hold becomes "?".
std::string ToEightBit(const QString& text);

// Every byte is one character, so FromEightBit(bytes) gives back exactly the bytes it was made
// from through ToEightBit.
QString FromEightBit(std::string_view bytes);

// The text as one line of a file: every line break (CR LF, CR or LF) becomes one blank, so a
// pasted break can never split a record.
std::string OneLine(std::string_view text);

} // namespace zv
