// Windows-1251 <-> UTF-8: the one place where document bytes meet screen and terminal text.
//
// Document texts and files are Windows-1251 bytes; widgets, messages and the terminal take UTF-8.
// Byte 0x98, which the code page leaves unassigned, maps to U+0098 so that every byte survives
// the round trip.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace codepage {

// Every byte of `cp1251` becomes its UTF-8 character; never fails.
std::string Cp1251ToUtf8(std::string_view cp1251);

// A character that Windows-1251 cannot hold, found while converting from UTF-8.
struct Unmappable {
  std::size_t offset = 0;   // byte offset of the character (or of the bad sequence) in the input
  char32_t code_point = 0;  // the character; 0xFFFD for a malformed UTF-8 sequence
};

// Converts UTF-8 text to Windows-1251. Returns the text, or the first character that cannot be
// converted (malformed sequences included) in `failure`.
std::optional<std::string> Utf8ToCp1251(std::string_view utf8, Unmappable* failure = nullptr);
// Appends the Windows-1251 text of `utf8` to `out` up to the first character that cannot be
// converted, which it tells in `failure`; returns true when the whole text was converted.
bool AppendUtf8AsCp1251(std::string_view utf8, std::string& out, Unmappable& failure);

// True when `bytes` is well-formed UTF-8 (ASCII alone counts as UTF-8).
bool IsValidUtf8(std::string_view bytes);

// The upper-case letter of one Windows-1251 byte: ASCII and every Cyrillic letter of the code page.
unsigned char UpperCp1251(unsigned char byte);

// Upper-cases every byte of `cp1251` in place.
void UpperCp1251InPlace(std::string& cp1251);

}  // namespace codepage
