// The builder's reading of a source file's header, and the two header records of the table
// database it fills: DbHeader (64 bytes) and DbFieldDesc (28 bytes). docs/table-database.md has
// the byte layout.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "builder/convert/byte_io.h"

namespace builder {

inline constexpr std::size_t kDbHeaderSize = 64;
inline constexpr std::size_t kDbFieldDescSize = 28;
inline constexpr char kDbMagic[] = "BRWK";
inline constexpr std::size_t kDbMagicSize = sizeof kDbMagic - 1;
inline constexpr char kSourcePrefix[] = "Brindlewick Source";
inline constexpr std::size_t kSourcePrefixSize = sizeof kSourcePrefix - 1;
// The header is built over this many bytes of the prefix line (the prefix and the byte after).
inline constexpr std::size_t kPrefixCarrySize = kSourcePrefixSize + 1;
inline constexpr std::size_t kMaxDbNameBytes = 50;
inline constexpr std::size_t kMaxFieldNameBytes = 16;
// Header value lines are read in pieces of this many bytes.
inline constexpr std::size_t kHeaderLineBytes = 254;
// The last version whose files have no splitter line.
inline constexpr int kLastVersionWithoutSplitter = 12;

inline constexpr std::size_t kDbHeaderNameOffset = 13;
static_assert(kDbMagicSize == 4);
static_assert(kDbHeaderNameOffset + kMaxDbNameBytes + 1 == kDbHeaderSize);
static_assert(kPrefixCarrySize == 19);
// Name, six 8-bit values and three 16-bit values.
static_assert(kMaxFieldNameBytes + 6 + 3 * 2 == kDbFieldDescSize);

// What the header of a source file says, as the table database's header record takes it.
struct DbHeader {
  // The first 19 bytes of the prefix line, zero-padded; bytes that no value overwrites keep them.
  std::array<char, kPrefixCarrySize> prefix_line{};
  std::uint8_t version = 0;
  std::int32_t field_count = 0;  // as declared; the database stores its low 8 bits
  std::uint32_t record_count = 0;
  std::uint8_t flags = 0;
  std::string name;  // at most 50 bytes, no control byte
};

// One field block of the source file, as the database's field descriptor holds it.
struct DbFieldDesc {
  std::string name;       // at most 16 bytes, no control byte
  std::uint8_t type = 0;  // 1 text, 2 numeric
  std::uint8_t flags = 0;
  std::uint8_t num_size = 0;
  std::uint8_t query_index = 0;
  std::uint8_t result_index = 0;
  std::uint8_t detail_index = 0;
  std::uint16_t edit_size = 0;
  std::uint16_t result_size = 0;
  std::uint16_t max_size = 0;
};

inline constexpr std::uint8_t kNumericType = 2;

// The 64 header bytes. `complete` writes the magic over the first four bytes; a provisional
// header keeps the start of the prefix line there.
std::array<char, kDbHeaderSize> EncodeDbHeader(const DbHeader& header, bool complete);
std::array<char, kDbFieldDescSize> EncodeDbFieldDesc(const DbFieldDesc& field);

// Reads the next value line: comment lines (first byte ";") are skipped, a line longer than 254
// bytes comes in pieces, and the line end stays part of the value. False when the input ends or
// fails first.
bool ReadValueLine(LineReader& reader, std::string& value);

enum class HeaderRead {
  kOk,
  kWrongPrefix,  // nothing has been filled
  kTruncated,    // the input ended (or failed) before the last value
};

// Reads prefix, version, splitter (from version 13 on; ";" before), field count, record count,
// flags and database name from the start of a source file.
HeaderRead ReadSourceHeader(LineReader& reader, DbHeader& header, char& splitter);

// Reads one field block: name, six 8-bit values, three 16-bit values.
HeaderRead ReadFieldDesc(LineReader& reader, DbFieldDesc& field);

}  // namespace builder
