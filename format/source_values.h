// Values that the source file, the table database, the designer and the builder share: defined
// here once. docs/source-file.md and docs/table-database.md describe the formats.
#pragma once

#include <cstddef>
#include <cstdint>

namespace format {

// The first value of every source file.
inline constexpr char kSourcePrefix[] = "Brindlewick Source";
inline constexpr std::size_t kSourcePrefixSize = sizeof kSourcePrefix - 1;
// The version the designer writes; files of version kLastVersionWithoutSplitter or less carry no
// splitter value and split at ";".
inline constexpr int kSourceVersion = 13;
inline constexpr int kLastVersionWithoutSplitter = 12;
inline constexpr char kDefaultSplitter = ';';

// Field types.
inline constexpr std::uint8_t kTypeText = 1;
inline constexpr std::uint8_t kTypeNumeric = 2;

// Flags bits, the same in the designer, the source file and the table database.
inline constexpr std::uint8_t kFlagDigitsOnly = 1 << 0;
inline constexpr std::uint8_t kFlagUpperCase = 1 << 1;
inline constexpr std::uint8_t kFlagSearchWithin = 1 << 2;
inline constexpr std::uint8_t kFlagIgnoreCase = 1 << 3;

// The flags of a field with these four options.
constexpr std::uint8_t FieldFlags(bool digits_only, bool upper_case, bool search_within,
                                  bool ignore_case) {
  return static_cast<std::uint8_t>(
      (digits_only ? kFlagDigitsOnly : 0) | (upper_case ? kFlagUpperCase : 0) |
      (search_within ? kFlagSearchWithin : 0) | (ignore_case ? kFlagIgnoreCase : 0));
}

// The field table of both programs, and what one entry holds.
inline constexpr int kMaxFields = 10;
inline constexpr std::size_t kMaxFieldNameBytes = 16;
// A numeric value has 32 bits, so it takes 1 to 4 bytes.
inline constexpr int kMaxNumericSize = 4;
// A field's widths and the length of its longest value are stored in 16 bits.
inline constexpr int kMaxDescriptorValue = 65535;
// The database keeps this much of the source file's database name.
inline constexpr std::size_t kMaxDbNameBytes = 50;

// The longest data line the builder converts, its line end included; a record whose line would
// be longer does not fit the length byte of a record.
inline constexpr std::size_t kMaxLineLength = 255;

}  // namespace format
