#include "builder/convert/table_database.h"

#include "builder/convert/messages.h"
#include "builder/convert/text_source.h"

namespace builder {
namespace {

std::string_view Bytes(const auto& array) { return std::string_view(array.data(), array.size()); }

// Header and descriptors as they stand; `complete` marks the finished database.
std::string HeaderAndFields(const SourceLayout& layout, bool complete) {
  std::string bytes(Bytes(format::EncodeDbHeader(layout.header, complete)));
  for (const format::DbFieldDesc& field : layout.fields)
    bytes += Bytes(format::EncodeDbFieldDesc(field));
  return bytes;
}

}  // namespace

StatusOr<SourceLayout> ReadSourceLayout(LineReader& reader, std::string_view input_path) {
  SourceLayout layout;
  const Status header = ReadSourceHeader(reader, input_path, layout.header, layout.splitter);
  // A first line that cannot be read is a failure of the reading, not a file of another kind.
  if (header.refusal() && !reader.status().ok()) return HeaderCutShort(reader, input_path);
  if (!header.ok()) return header;
  const std::int32_t count = layout.header.field_count;
  if (count < 1 || count > format::kMaxFields) return Status::Error(messages::BadFieldCount(count));
  for (int i = 0; i < count; ++i) {
    StatusOr<format::DbFieldDesc> field = ReadFieldDesc(reader, input_path);
    if (!field.ok()) return field.status();
    if (field->numeric() && (field->num_size < 1 || field->num_size > format::kMaxNumericSize))
      return Status::Error(messages::BadNumericSize(i + 1, field->name, field->num_size));
    layout.fields.push_back(std::move(field).value());
  }
  return layout;
}

Status CheckTableSplitters(std::int64_t record, std::string_view line, const SourceLayout& layout) {
  const int wanted = static_cast<int>(layout.fields.size()) - 1;
  const int found = CountSplitters(line, layout.splitter);
  if (found < wanted)
    return Status::Error(messages::WrongSplitterCount(record, found, wanted, line));
  return Status::Ok();
}

Status BuildTableRecord(std::int64_t record, std::string_view line, SourceLayout& layout,
                        ConversionState& state) {
  if (Status length = CheckLineLength(record, line); !length.ok()) return length;
  state.StartRecord();
  std::size_t position = 0;
  for (format::DbFieldDesc& field : layout.fields) {
    std::string_view value;
    position = NextField(line, position, state.splitter, value);
    if (value.size() > field.max_size)
      field.max_size = static_cast<std::uint16_t>(value.size() + 1);
    if (field.numeric()) {
      AppendNumberField(state, value, field.num_size);
    } else {
      AppendTextField(state, value);
    }
  }
  return FinishCheckedRecord(record, line, state);
}

Status ReadTableRecords(LineReader& reader, SourceLayout& layout, RecordSink& sink,
                        std::int64_t& records) {
  if (Status begun = sink.Begin(); !begun.ok()) return begun;
  ConversionState state;
  state.splitter = layout.splitter;
  records = 0;
  std::string line;
  while (reader.ReadLine(kDataLineBytes, line)) {
    ++records;
    Status status = CheckTableSplitters(records, line, layout);
    if (status.ok()) {
      sink.Building(records);
      status = BuildTableRecord(records, line, layout, state);
    }
    if (Status taken = sink.Take(records, reader.line_number(), status, state.record); !taken.ok())
      return taken;
  }
  return Status::Ok();
}

ConversionResult ConvertSourceFile(const std::string& input_path, const std::string& output_path,
                                   Reporter& reporter,
                                   std::optional<codepage::TextEncoding> encoding) {
  TextSource input(input_path, encoding);
  return ConvertSourceFile(input, input_path, output_path, reporter);
}

ConversionResult ConvertSourceFile(TextSource& input, const std::string& input_path,
                                   const std::string& output_path, Reporter& reporter) {
  if (!input.is_open()) return Status::NoInput();
  DatabaseOutput output(output_path);
  if (!output.is_open()) return Status::NoOutput();

  LineReader reader(input);
  if (reader.AtEnd())
    return output.Fail(messages::ReadFailed(input_path, reader.status().message()));

  StatusOr<SourceLayout> read = ReadSourceLayout(reader, input_path);
  if (!read.ok()) return output.Fail(read.status().message());
  SourceLayout& layout = read.value();

  RecordWriter writer(output, reporter, HeaderAndFields(layout, false));
  std::int64_t records = 0;
  if (Status written = ReadTableRecords(reader, layout, writer, records); !written.ok())
    return {std::move(written), writer.fault_line()};
  if (!reader.status().ok())
    return output.Fail(messages::ReadFailed(input_path, reader.status().message()));

  reporter.StatusText(messages::Converted(records));
  if (records < layout.header.record_count)
    reporter.Warning(messages::FewerRecordsThanDeclared(layout.header.record_count, records));
  layout.header.record_count = static_cast<std::uint32_t>(records);
  Status written =
      output.sink().Write(std::string_view(format::kEndMarker, format::kEndMarkerSize));
  if (written.ok()) written = output.sink().WriteAt(0, HeaderAndFields(layout, true));
  if (!written.ok()) return output.WriteFailure(std::move(written));
  return output.Close();
}

}  // namespace builder
