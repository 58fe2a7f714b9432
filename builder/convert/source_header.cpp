#include "builder/convert/source_header.h"

#include <algorithm>
#include <string_view>

#include "builder/convert/messages.h"
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

constexpr std::size_t kVersionWidth = 6;
constexpr std::size_t kCountWidth = 16;
constexpr std::size_t kSplitterWidth = 3;
constexpr std::size_t kSmallValueWidth = 6;
constexpr std::size_t kSizeValueWidth = 8;

}  // namespace

bool ReadValueLine(LineReader& reader, std::string& value) {
  while (reader.ReadLine(kHeaderLineBytes, value)) {
    if (value[0] != ';') return true;
  }
  return false;
}

Status HeaderCutShort(const LineReader& reader, std::string_view input_path) {
  return Status::Error(reader.failed() ? messages::ReadFailed(input_path, reader.FailureText())
                                       : messages::HeaderTruncated(input_path));
}

Status ReadSourceHeader(LineReader& reader, std::string_view input_path, format::DbHeader& header,
                        char& splitter) {
  std::string value;
  if (!ReadValueLine(reader, value) ||
      value.compare(0, format::kSourcePrefixSize, format::kSourcePrefix) != 0) {
    return Status::NoInput();
  }
  std::copy_n(value.begin(), std::min(value.size(), format::kPrefixCarrySize),
              header.prefix_line.begin());

  if (!ReadValueLine(reader, value)) return HeaderCutShort(reader, input_path);
  header.version = static_cast<std::uint8_t>(ReadNumber(value, kVersionWidth));
  if (header.version <= format::kLastVersionWithoutSplitter) {
    splitter = format::kDefaultSplitter;
  } else {
    if (!ReadValueLine(reader, value)) return HeaderCutShort(reader, input_path);
    // The splitter stands between quotes; a value too short to hold it leaves the default.
    const std::string_view quoted = std::string_view(value).substr(0, kSplitterWidth);
    splitter = quoted.size() >= 2 ? quoted[1] : format::kDefaultSplitter;
  }

  if (!ReadValueLine(reader, value)) return HeaderCutShort(reader, input_path);
  header.field_count = ReadNumber(value, kCountWidth);
  if (!ReadValueLine(reader, value)) return HeaderCutShort(reader, input_path);
  header.record_count = static_cast<std::uint32_t>(ReadNumber(value, kCountWidth));
  if (!ReadValueLine(reader, value)) return HeaderCutShort(reader, input_path);
  header.flags = static_cast<std::uint8_t>(ReadNumber(value, kCountWidth));
  if (!ReadValueLine(reader, value)) return HeaderCutShort(reader, input_path);
  header.name = CutAtControl(value, format::kMaxDbNameBytes);
  return Status::Ok();
}

Status ReadFieldDesc(LineReader& reader, std::string_view input_path, format::DbFieldDesc& field) {
  std::string value;
  if (!ReadValueLine(reader, value)) return HeaderCutShort(reader, input_path);
  field.name = CutAtControl(value, format::kMaxFieldNameBytes);

  std::uint8_t* const small_values[] = {&field.type,         &field.flags,
                                        &field.num_size,     &field.query_index,
                                        &field.result_index, &field.detail_index};
  for (std::uint8_t* target : small_values) {
    if (!ReadValueLine(reader, value)) return HeaderCutShort(reader, input_path);
    *target = static_cast<std::uint8_t>(ReadNumber(value, kSmallValueWidth));
  }
  std::uint16_t* const size_values[] = {&field.edit_size, &field.result_size, &field.max_size};
  for (std::uint16_t* target : size_values) {
    if (!ReadValueLine(reader, value)) return HeaderCutShort(reader, input_path);
    *target = static_cast<std::uint16_t>(ReadNumber(value, kSizeValueWidth));
  }
  return Status::Ok();
}

}  // namespace builder
