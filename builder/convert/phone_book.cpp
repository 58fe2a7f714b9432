#include "builder/convert/phone_book.h"

#include <limits>

#include "builder/convert/byte_io.h"
#include "builder/convert/messages.h"
#include "builder/convert/table_database.h"
#include "builder/convert/text_source.h"
#include "common/codepage.h"
#include "format/phone_book_layout.h"

namespace builder {
namespace {

constexpr std::int64_t kProgressEvery = 1000;

std::string_view Bytes(const auto& array) { return std::string_view(array.data(), array.size()); }

}  // namespace

Status CheckPhoneFirstLine(std::string_view first_line) {
  if (first_line.empty() || first_line[0] < '0' || first_line[0] > '9') {
    return Status::Error(messages::FirstByteNotDigit(first_line.empty() ? '\0' : first_line[0]));
  }
  return Status::Ok();
}

Status CheckPhoneSplitters(std::int64_t record, std::string_view line, char splitter) {
  const int found = CountSplitters(line, splitter);
  if (found != kPhoneSplitters) {
    return Status::Error(messages::WrongSplitterCount(record, found, kPhoneSplitters, line));
  }
  return Status::Ok();
}

Status BuildPhoneRecord(std::int64_t record, std::string_view line, std::uint8_t digits,
                        ConversionState& state) {
  if (Status length = CheckLineLength(record, line); !length.ok()) return length;
  state.StartRecord();
  std::string_view phone;
  std::size_t position = NextField(line, 0, state.splitter, phone);
  if (static_cast<std::uint8_t>(phone.size()) != digits) {
    return Status::Error(messages::WrongPhoneLength(record, phone, phone.size(), digits));
  }
  for (int i = 0; i < format::kPhoneBookTextValues; ++i) {
    std::string_view value;
    position = NextField(line, position, state.splitter, value);
    AppendTextField(state, value);
  }
  return FinishCheckedRecord(record, line, state);
}

int ConvertPhoneBook(const std::string& input_path, const std::string& output_path,
                     std::string_view name, char splitter, int digits, Reporter& reporter,
                     std::optional<codepage::TextEncoding> encoding) {
  TextSource input(input_path, encoding);
  if (!input.is_open()) return kConvertNoInput;
  DatabaseOutput output(output_path, reporter);
  if (!output.is_open()) return kConvertNoOutput;

  ConversionState state;
  state.splitter = splitter;
  const std::uint8_t digit_count = static_cast<std::uint8_t>(digits);
  LineReader reader(input);
  std::string line;
  if (!reader.ReadLine(kDataLineBytes, line)) {
    return output.Fail(
        messages::ReadFailed(input_path, reader.failed() ? input.FailureText() : ""));
  }
  if (Status first = CheckPhoneFirstLine(line); !first.ok()) return output.Fail(first.message());
  const format::PhoneBookHeader header{0, digit_count, std::string(name)};
  if (!output.sink().Write(Bytes(format::EncodePhoneBookHeader(header))))
    return output.Fail(messages::WriteFailed(output_path));

  std::int64_t record = 0;
  do {
    ++record;
    if (record > std::numeric_limits<std::uint32_t>::max())
      return output.Fail(messages::TooManyRecords(record));
    if (Status checked = CheckPhoneSplitters(record, line, state.splitter); !checked.ok()) {
      return output.Fail(checked.message());
    }
    codepage::UpperCp1251InPlace(line);
    if (record % kProgressEvery == 0) reporter.StatusText(messages::Converting(record));
    if (Status built = BuildPhoneRecord(record, line, digit_count, state); !built.ok()) {
      return output.Fail(built.message());
    }
    if (!output.sink().Write(state.record)) return output.Fail(messages::WriteFailed(output_path));
  } while (reader.ReadLine(kDataLineBytes, line));
  if (reader.failed()) return output.Fail(messages::ReadFailed(input_path, input.FailureText()));

  reporter.StatusText(messages::Converted(record));
  const auto count = format::EncodeRecordCount(static_cast<std::uint32_t>(record));
  if (!output.sink().Write(std::string_view(format::kEndMarker, format::kEndMarkerSize)) ||
      !output.sink().WriteAt(0, Bytes(count))) {
    return output.Fail(messages::WriteFailed(output_path));
  }
  return output.Close();
}

}  // namespace builder
