// The table database's layout, encoded and decoded side by side: DbHeader (64 bytes), n
// DbFieldDesc (28 bytes each), the records, the end marker. docs/table-database.md has the bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "format/source_values.h"

namespace format {

inline constexpr std::size_t kDbHeaderSize = 64;
inline constexpr std::size_t kDbFieldDescSize = 28;
inline constexpr char kDbMagic[] = "BRWK";
inline constexpr std::size_t kDbMagicSize = sizeof kDbMagic - 1;
// The header is built over this many bytes of the source file's prefix line: the prefix and the
// byte after it.
inline constexpr std::size_t kPrefixCarrySize = kSourcePrefixSize + 1;
inline constexpr std::size_t kDbHeaderNameOffset = 13;
// The largest record a length byte can describe, the byte itself included.
inline constexpr int kMaxRecordLength = 255;
inline constexpr char kEndMarker[] = "\xFF\xFF";
inline constexpr std::size_t kEndMarkerSize = sizeof kEndMarker - 1;

static_assert(kDbMagicSize == 4);
static_assert(kDbHeaderNameOffset + kMaxDbNameBytes + 1 == kDbHeaderSize);
static_assert(kPrefixCarrySize == 19);
// Name, six 8-bit values and three 16-bit values.
static_assert(kMaxFieldNameBytes + 6 + 3 * 2 == kDbFieldDescSize);

struct DbHeader {
  // The first 19 bytes of the source file's prefix line, zero-padded: every header byte that no
  // value below writes keeps the byte of this line at its offset.
  std::array<char, kPrefixCarrySize> prefix_line{};
  std::uint8_t version = 0;
  std::int32_t field_count = 0;  // as declared; the database stores its low 8 bits
  std::uint32_t record_count = 0;
  std::uint8_t flags = 0;
  std::string name;  // at most 50 bytes
};

struct DbFieldDesc {
  std::string name;       // at most 16 bytes
  std::uint8_t type = 0;  // kTypeText, kTypeNumeric
  std::uint8_t flags = 0;
  std::uint8_t num_size = 0;
  std::uint8_t query_index = 0;
  std::uint8_t result_index = 0;
  std::uint8_t detail_index = 0;
  std::uint16_t edit_width = 0;
  std::uint16_t result_size = 0;
  std::uint16_t max_size = 0;

  bool numeric() const { return type == kTypeNumeric; }
};

// The 64 header bytes. `complete` writes the magic over the first four bytes; a provisional
// header keeps the start of the prefix line there.
std::array<char, kDbHeaderSize> EncodeDbHeader(const DbHeader& header, bool complete);
// The header as 64 bytes hold it: prefix_line gets bytes 0 to 18 as they stand. The name ends at
// its NUL, or after 51 bytes when there is none (which a whole header never lacks).
DbHeader DecodeDbHeader(const unsigned char* bytes);

std::array<char, kDbFieldDescSize> EncodeDbFieldDesc(const DbFieldDesc& field);
DbFieldDesc DecodeDbFieldDesc(const unsigned char* bytes);

// The text of a field of `room` bytes that ends at its first NUL, or fills the field without one.
std::string TextBeforeNul(const unsigned char* bytes, std::size_t room);

// A numeric value is stored as the `size` lowest bytes of a 32-bit integer, least significant
// first. The value of stored bytes `bits` (zero-extended) is read as unsigned for 1 to 3 bytes,
// the way the import sizes numbers (up to 255 takes one byte), and as signed for 4, the
// builder's 32-bit integer.
std::int64_t NumberValue(std::uint32_t bits, int size);
// The decimal text of that value. `out` must hold 11 characters; returns how many it took.
std::size_t NumberText(std::uint32_t bits, int size, char* out);
std::string NumberText(std::uint32_t bits, int size);

}  // namespace format
