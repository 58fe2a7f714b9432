#include "builder/convert/source_header.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "builder/convert/record_builder.h"

namespace builder {
namespace {

// Number values are read from the first `width` bytes of their line only.
std::int32_t ReadNumber(std::string_view value, std::size_t width) {
  return ParseLeadingInt(value.substr(0, width));
}

// The value up to its first control byte, of which at most `max_bytes` stay.
std::string CutAtControl(std::string_view value, std::size_t max_bytes) {
  const auto control = std::find_if(value.begin(), value.end(),
                                    [](char c) { return static_cast<unsigned char>(c) < 32; });
  const std::size_t length = std::min<std::size_t>(control - value.begin(), max_bytes);
  return std::string(value.substr(0, length));
}

void PutLittleEndian(char* out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<char>(value >> (8 * i));
}

constexpr std::size_t kVersionWidth = 6;
constexpr std::size_t kCountWidth = 16;
constexpr std::size_t kSplitterWidth = 3;
constexpr std::size_t kSmallValueWidth = 6;
constexpr std::size_t kSizeValueWidth = 8;

}  // namespace

std::array<char, kDbHeaderSize> EncodeDbHeader(const DbHeader& header, bool complete) {
  std::array<char, kDbHeaderSize> bytes{};
  std::copy(header.prefix_line.begin(), header.prefix_line.end(), bytes.begin());
  if (complete) std::memcpy(bytes.data(), kDbMagic, kDbMagicSize);
  bytes[4] = static_cast<char>(header.version);
  bytes[5] = static_cast<char>(header.field_count);
  PutLittleEndian(&bytes[8], header.record_count, 4);
  bytes[12] = static_cast<char>(header.flags);
  const std::size_t name_size = std::min(header.name.size(), kMaxDbNameBytes);
  std::memcpy(&bytes[kDbHeaderNameOffset], header.name.data(), name_size);
  bytes[kDbHeaderNameOffset + name_size] = '\0';
  return bytes;
}

std::array<char, kDbFieldDescSize> EncodeDbFieldDesc(const DbFieldDesc& field) {
  std::array<char, kDbFieldDescSize> bytes{};
  std::memcpy(bytes.data(), field.name.data(), std::min(field.name.size(), kMaxFieldNameBytes));
  bytes[16] = static_cast<char>(field.type);
  bytes[17] = static_cast<char>(field.flags);
  bytes[18] = static_cast<char>(field.num_size);
  bytes[19] = static_cast<char>(field.query_index);
  bytes[20] = static_cast<char>(field.result_index);
  bytes[21] = static_cast<char>(field.detail_index);
  PutLittleEndian(&bytes[22], field.edit_size, 2);
  PutLittleEndian(&bytes[24], field.result_size, 2);
  PutLittleEndian(&bytes[26], field.max_size, 2);
  return bytes;
}

bool ReadValueLine(LineReader& reader, std::string& value) {
  while (reader.ReadLine(kHeaderLineBytes, value)) {
    if (value[0] != ';') return true;
  }
  return false;
}

HeaderRead ReadSourceHeader(LineReader& reader, DbHeader& header, char& splitter) {
  std::string value;
  if (!ReadValueLine(reader, value) || value.compare(0, kSourcePrefixSize, kSourcePrefix) != 0) {
    return HeaderRead::kWrongPrefix;
  }
  std::copy_n(value.begin(), std::min(value.size(), kPrefixCarrySize), header.prefix_line.begin());

  if (!ReadValueLine(reader, value)) return HeaderRead::kTruncated;
  header.version = static_cast<std::uint8_t>(ReadNumber(value, kVersionWidth));
  if (header.version <= kLastVersionWithoutSplitter) {
    splitter = ';';
  } else {
    if (!ReadValueLine(reader, value)) return HeaderRead::kTruncated;
    // The splitter stands between quotes; a value too short to hold it leaves the default.
    const std::string_view quoted = std::string_view(value).substr(0, kSplitterWidth);
    splitter = quoted.size() >= 2 ? quoted[1] : ';';
  }

  if (!ReadValueLine(reader, value)) return HeaderRead::kTruncated;
  header.field_count = ReadNumber(value, kCountWidth);
  if (!ReadValueLine(reader, value)) return HeaderRead::kTruncated;
  header.record_count = static_cast<std::uint32_t>(ReadNumber(value, kCountWidth));
  if (!ReadValueLine(reader, value)) return HeaderRead::kTruncated;
  header.flags = static_cast<std::uint8_t>(ReadNumber(value, kCountWidth));
  if (!ReadValueLine(reader, value)) return HeaderRead::kTruncated;
  header.name = CutAtControl(value, kMaxDbNameBytes);
  return HeaderRead::kOk;
}

HeaderRead ReadFieldDesc(LineReader& reader, DbFieldDesc& field) {
  std::string value;
  if (!ReadValueLine(reader, value)) return HeaderRead::kTruncated;
  field.name = CutAtControl(value, kMaxFieldNameBytes);

  std::uint8_t* const small_values[] = {&field.type,         &field.flags,
                                        &field.num_size,     &field.query_index,
                                        &field.result_index, &field.detail_index};
  for (std::uint8_t* target : small_values) {
    if (!ReadValueLine(reader, value)) return HeaderRead::kTruncated;
    *target = static_cast<std::uint8_t>(ReadNumber(value, kSmallValueWidth));
  }
  std::uint16_t* const size_values[] = {&field.edit_size, &field.result_size, &field.max_size};
  for (std::uint16_t* target : size_values) {
    if (!ReadValueLine(reader, value)) return HeaderRead::kTruncated;
    *target = static_cast<std::uint16_t>(ReadNumber(value, kSizeValueWidth));
  }
  return HeaderRead::kOk;
}

}  // namespace builder
