#include "builder/convert/source_header.h"

#include <algorithm>
#include <string_view>

#include "builder/convert/messages.h"
#include "builder/convert/record_builder.h"
#include "format/source_grammar.h"

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

// Puts a number of a field block where its value belongs.
void SetNumber(format::DbFieldDesc& field, format::FieldValue value, std::int32_t number) {
  using format::FieldValue;
  const auto small = static_cast<std::uint8_t>(number);
  const auto size = static_cast<std::uint16_t>(number);
  switch (value) {
    case FieldValue::kName:
      break;
    case FieldValue::kType:
      field.type = small;
      break;
    case FieldValue::kFlags:
      field.flags = small;
      break;
    case FieldValue::kNumSize:
      field.num_size = small;
      break;
    case FieldValue::kQueryIndex:
      field.query_index = small;
      break;
    case FieldValue::kResultIndex:
      field.result_index = small;
      break;
    case FieldValue::kDetailIndex:
      field.detail_index = small;
      break;
    case FieldValue::kEditWidth:
      field.edit_width = size;
      break;
    case FieldValue::kResultWidth:
      field.result_size = size;
      break;
    case FieldValue::kMaxSize:
      field.max_size = size;
      break;
  }
}

// Puts one header value where it belongs; a prefix line that is not the prefix is refused.
Status SetHeaderValue(format::HeaderValue value, const std::string& line, std::size_t number_width,
                      std::string_view input_path, format::DbHeader& header, char& splitter) {
  using format::HeaderValue;
  const std::int32_t number = ReadNumber(line, number_width);
  switch (value) {
    case HeaderValue::kPrefix:
      if (line.compare(0, format::kSourcePrefixSize, format::kSourcePrefix) != 0)
        return Status::Refusal(messages::NotASourceFile(input_path));
      std::copy_n(line.begin(), std::min(line.size(), format::kPrefixCarrySize),
                  header.prefix_line.begin());
      break;
    case HeaderValue::kVersion:
      header.version = static_cast<std::uint8_t>(number);
      break;
    case HeaderValue::kSplitter:
      // A value too short to hold the quoted character leaves the default.
      splitter = line.size() >= 2 ? line[1] : format::kDefaultSplitter;
      break;
    case HeaderValue::kFieldCount:
      header.field_count = number;
      break;
    case HeaderValue::kRecordCount:
      header.record_count = static_cast<std::uint32_t>(number);
      break;
    case HeaderValue::kFlags:
      header.flags = static_cast<std::uint8_t>(number);
      break;
    case HeaderValue::kName:
      header.name = CutAtControl(line, format::kMaxDbNameBytes);
      break;
  }
  return Status::Ok();
}

}  // namespace

bool ReadValueLine(LineReader& reader, std::string& value) {
  while (reader.ReadLine(kHeaderLineBytes, value)) {
    if (!format::IsCommentLine(value)) return true;
  }
  return false;
}

Status HeaderCutShort(const LineReader& reader, std::string_view input_path) {
  return Status::Error(!reader.status().ok()
                           ? messages::ReadFailed(input_path, reader.status().message())
                           : messages::HeaderTruncated(input_path));
}

Status ReadSourceHeader(LineReader& reader, std::string_view input_path, format::DbHeader& header,
                        char& splitter) {
  std::string line;
  for (const auto& value : format::kHeaderValues) {
    if (value.value == format::HeaderValue::kSplitter &&
        header.version <= format::kLastVersionWithoutSplitter) {
      splitter = format::kDefaultSplitter;
      continue;
    }
    if (!ReadValueLine(reader, line)) {
      return value.value == format::HeaderValue::kPrefix
                 ? Status::Refusal(messages::NotASourceFile(input_path))
                 : HeaderCutShort(reader, input_path);
    }
    const Status status =
        SetHeaderValue(value.value, line, value.number_width, input_path, header, splitter);
    if (!status.ok()) return status;
  }
  return Status::Ok();
}

StatusOr<format::DbFieldDesc> ReadFieldDesc(LineReader& reader, std::string_view input_path) {
  format::DbFieldDesc field;
  std::string line;
  for (const auto& value : format::kFieldValues) {
    if (!ReadValueLine(reader, line)) return HeaderCutShort(reader, input_path);
    if (value.value == format::FieldValue::kName) {
      field.name = CutAtControl(line, format::kMaxFieldNameBytes);
    } else {
      SetNumber(field, value.value, ReadNumber(line, value.number_width));
    }
  }
  return field;
}

}  // namespace builder
