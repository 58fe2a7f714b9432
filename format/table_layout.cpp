#include "format/table_layout.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "common/little_endian.h"

namespace format {
namespace {

// Offsets inside a field descriptor.
constexpr std::size_t kTypeAt = 16;
constexpr std::size_t kEditSizeAt = 22;

// Offsets inside the header.
constexpr std::size_t kVersionAt = 4;
constexpr std::size_t kFieldCountAt = 5;
constexpr std::size_t kRecordCountAt = 8;
constexpr std::size_t kFlagsAt = 12;

}  // namespace

std::string TextBeforeNul(const unsigned char* bytes, std::size_t room) {
  const void* nul = std::memchr(bytes, 0, room);
  const std::size_t size = nul ? static_cast<const unsigned char*>(nul) - bytes : room;
  return std::string(reinterpret_cast<const char*>(bytes), size);
}

std::array<char, kDbHeaderSize> EncodeDbHeader(const DbHeader& header, bool complete) {
  std::array<char, kDbHeaderSize> bytes{};
  std::copy(header.prefix_line.begin(), header.prefix_line.end(), bytes.begin());
  if (complete) std::memcpy(bytes.data(), kDbMagic, kDbMagicSize);
  bytes[kVersionAt] = static_cast<char>(header.version);
  bytes[kFieldCountAt] = static_cast<char>(header.field_count);
  PutLittleEndian(&bytes[kRecordCountAt], header.record_count, 4);
  bytes[kFlagsAt] = static_cast<char>(header.flags);
  const std::size_t name_size = std::min(header.name.size(), kMaxDbNameBytes);
  std::memcpy(&bytes[kDbHeaderNameOffset], header.name.data(), name_size);
  bytes[kDbHeaderNameOffset + name_size] = '\0';
  return bytes;
}

DbHeader DecodeDbHeader(const unsigned char* bytes) {
  DbHeader header;
  std::memcpy(header.prefix_line.data(), bytes, kPrefixCarrySize);
  header.version = bytes[kVersionAt];
  header.field_count = bytes[kFieldCountAt];
  header.record_count = GetLittleEndian(bytes + kRecordCountAt, 4);
  header.flags = bytes[kFlagsAt];
  header.name = TextBeforeNul(bytes + kDbHeaderNameOffset, kDbHeaderSize - kDbHeaderNameOffset);
  return header;
}

std::array<char, kDbFieldDescSize> EncodeDbFieldDesc(const DbFieldDesc& field) {
  std::array<char, kDbFieldDescSize> bytes{};
  std::memcpy(bytes.data(), field.name.data(), std::min(field.name.size(), kMaxFieldNameBytes));
  const std::uint8_t small[] = {field.type,        field.flags,        field.num_size,
                                field.query_index, field.result_index, field.detail_index};
  std::memcpy(&bytes[kTypeAt], small, sizeof small);
  PutLittleEndian(&bytes[kEditSizeAt], field.edit_width, 2);
  PutLittleEndian(&bytes[kEditSizeAt + 2], field.result_size, 2);
  PutLittleEndian(&bytes[kEditSizeAt + 4], field.max_size, 2);
  return bytes;
}

DbFieldDesc DecodeDbFieldDesc(const unsigned char* bytes) {
  DbFieldDesc field;
  field.name = TextBeforeNul(bytes, kMaxFieldNameBytes);
  field.type = bytes[kTypeAt];
  field.flags = bytes[kTypeAt + 1];
  field.num_size = bytes[kTypeAt + 2];
  field.query_index = bytes[kTypeAt + 3];
  field.result_index = bytes[kTypeAt + 4];
  field.detail_index = bytes[kTypeAt + 5];
  field.edit_width = static_cast<std::uint16_t>(GetLittleEndian(bytes + kEditSizeAt, 2));
  field.result_size = static_cast<std::uint16_t>(GetLittleEndian(bytes + kEditSizeAt + 2, 2));
  field.max_size = static_cast<std::uint16_t>(GetLittleEndian(bytes + kEditSizeAt + 4, 2));
  return field;
}

std::int64_t NumberValue(std::uint32_t bits, int size) {
  return size >= 4 ? std::int64_t{static_cast<std::int32_t>(bits)} : std::int64_t{bits};
}

std::size_t NumberText(std::uint32_t bits, int size, char* out) {
  return static_cast<std::size_t>(std::to_chars(out, out + 11, NumberValue(bits, size)).ptr - out);
}

std::string NumberText(std::uint32_t bits, int size) {
  char text[11];
  return std::string(text, NumberText(bits, size, text));
}

}  // namespace format
