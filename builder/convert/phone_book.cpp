#include "builder/convert/phone_book.h"

#include "builder/convert/database_output.h"
#include "builder/convert/messages.h"
#include "builder/convert/table_database.h"
#include "builder/convert/text_source.h"
#include "common/codepage.h"
#include "format/phone_book_layout.h"

namespace builder {
namespace {

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

Status ReadPhoneRecords(LineReader& reader, char splitter, std::uint8_t digits, RecordSink& sink,
                        std::int64_t& records) {
  ConversionState state;
  state.splitter = splitter;
  records = 0;
  std::string line;
  while (reader.ReadLine(kDataLineBytes, line)) {
    ++records;
    Status status = records == 1 ? CheckPhoneFirstLine(line) : Status::Ok();
    if (records == 1 && status.ok()) {
      if (Status begun = sink.Begin(); !begun.ok()) return begun;
    }
    if (status.ok()) status = CheckPhoneSplitters(records, line, splitter);
    if (status.ok()) {
      codepage::UpperCp1251InPlace(line);
      sink.Building(records);
      status = BuildPhoneRecord(records, line, digits, state);
    }
    if (Status taken = sink.Take(records, reader.line_number(), status, state.record); !taken.ok())
      return taken;
  }
  return Status::Ok();
}

ConversionResult ConvertPhoneBook(const std::string& input_path, const std::string& output_path,
                                  std::string_view name, char splitter, int digits,
                                  Reporter& reporter,
                                  std::optional<codepage::TextEncoding> encoding) {
  TextSource input(input_path, encoding);
  return ConvertPhoneBook(input, input_path, output_path, name, splitter, digits, reporter);
}

ConversionResult ConvertPhoneBook(TextSource& input, const std::string& input_path,
                                  const std::string& output_path, std::string_view name,
                                  char splitter, int digits, Reporter& reporter) {
  if (!input.is_open()) return Status::NoInput();
  DatabaseOutput output(output_path);
  if (!output.is_open()) return Status::NoOutput();

  const std::uint8_t digit_count = static_cast<std::uint8_t>(digits);
  const format::PhoneBookHeader header{0, digit_count, std::string(name)};
  RecordWriter writer(output, reporter, std::string(Bytes(format::EncodePhoneBookHeader(header))));
  LineReader reader(input);
  std::int64_t records = 0;
  if (Status written = ReadPhoneRecords(reader, splitter, digit_count, writer, records);
      !written.ok())
    return {std::move(written), writer.fault_line()};
  if (records == 0 || !reader.status().ok())
    return output.Fail(messages::ReadFailed(input_path, reader.status().message()));

  reporter.StatusText(messages::Converted(records));
  const auto count = format::EncodeRecordCount(static_cast<std::uint32_t>(records));
  Status written =
      output.sink().Write(std::string_view(format::kEndMarker, format::kEndMarkerSize));
  if (written.ok()) written = output.sink().WriteAt(0, Bytes(count));
  if (!written.ok()) return output.WriteFailure(std::move(written));
  return output.Close();
}

}  // namespace builder
