#include "builder/convert/record_builder.h"

#include <algorithm>
#include <limits>

#include "builder/convert/messages.h"
#include "common/little_endian.h"
#include "format/source_values.h"

namespace builder {

void ConversionState::StartRecord() {
  record_length = 1;
  record.assign(1, '\0');
}

void ConversionState::FinishRecord() { record[0] = static_cast<char>(record_length); }

Status CheckLineLength(std::int64_t record, std::string_view line) {
  if (line.size() > format::kMaxLineLength) {
    return Status::Error(messages::LineTooLong(record, line.size(), line));
  }
  return Status::Ok();
}

Status FinishCheckedRecord(std::int64_t record, std::string_view line, ConversionState& state) {
  if (state.record_length > format::kMaxRecordLength) {
    return Status::Error(messages::RecordTooLong(record, state.record_length, line));
  }
  state.FinishRecord();
  return Status::Ok();
}

std::size_t NextField(std::string_view line, std::size_t start, char splitter,
                      std::string_view& value) {
  if (start >= line.size()) {
    value = {};
    return start + 1;
  }
  std::size_t stop = start;
  while (stop < line.size()) {
    const unsigned char byte = static_cast<unsigned char>(line[stop]);
    if (byte < 32 || line[stop] == splitter) break;
    ++stop;
  }
  std::size_t value_end = stop;
  while (value_end > start && line[value_end - 1] == ' ') --value_end;
  value = line.substr(start, value_end - start);
  return stop + 1;
}

void AppendTextField(ConversionState& state, std::string_view value) {
  state.record.append(value);
  state.record.push_back('\0');
  state.record_length += static_cast<int>(value.size()) + 1;
}

void AppendNumberField(ConversionState& state, std::string_view value, int size) {
  char bytes[format::kMaxNumericSize];
  PutLittleEndian(bytes, static_cast<std::uint32_t>(ParseLeadingInt(value)), size);
  state.record.append(bytes, static_cast<std::size_t>(size));
  state.record_length += size;
}

std::int32_t ParseLeadingInt(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::int64_t magnitude = 0;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = std::min(kLimit, magnitude * 10 + (text[i] - '0'));
  }
  const std::int64_t signed_value = negative ? -magnitude : magnitude;
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(signed_value, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max()));
}

int CountSplitters(std::string_view line, char splitter) {
  return static_cast<int>(std::count(line.begin(), line.end(), splitter));
}

}  // namespace builder
