#include "builder/convert/table_database.h"

#include <limits>

#include "builder/convert/messages.h"
#include "builder/convert/text_source.h"

namespace builder {
namespace {

constexpr std::int64_t kProgressEvery = 1000;

std::string_view Bytes(const auto& array) { return std::string_view(array.data(), array.size()); }

// Header and descriptors as they stand; `complete` marks the finished database.
bool WriteHeaderAndFields(FileSink& out, const SourceLayout& layout, bool complete) {
  bool ok = out.WriteAt(0, Bytes(format::EncodeDbHeader(layout.header, complete)));
  for (const format::DbFieldDesc& field : layout.fields)
    ok = ok && out.Write(Bytes(format::EncodeDbFieldDesc(field)));
  return ok;
}

}  // namespace

int ReadSourceLayout(LineReader& reader, std::string_view input_path, SourceLayout& layout,
                     std::string& message) {
  switch (ReadSourceHeader(reader, layout.header, layout.splitter)) {
    case HeaderRead::kWrongPrefix:
      if (reader.failed()) break;
      return kConvertNoInput;
    case HeaderRead::kTruncated:
      break;
    case HeaderRead::kOk: {
      const std::int32_t count = layout.header.field_count;
      if (count < 1 || count > format::kMaxFields) {
        message = messages::BadFieldCount(count);
        return kConvertFailed;
      }
      layout.fields.assign(count, format::DbFieldDesc{});
      for (int i = 0; i < count; ++i) {
        format::DbFieldDesc& field = layout.fields[i];
        if (ReadFieldDesc(reader, field) != HeaderRead::kOk) {
          message = reader.failed() ? messages::ReadFailed(input_path, reader.FailureText())
                                    : messages::HeaderTruncated(input_path);
          return kConvertFailed;
        }
        if (field.numeric() && (field.num_size < 1 || field.num_size > format::kMaxNumericSize)) {
          message = messages::BadNumericSize(i + 1, field.name, field.num_size);
          return kConvertFailed;
        }
      }
      return kConvertDone;
    }
  }
  message = reader.failed() ? messages::ReadFailed(input_path, reader.FailureText())
                            : messages::HeaderTruncated(input_path);
  return kConvertFailed;
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

int ConvertSourceFile(const std::string& input_path, const std::string& output_path,
                      Reporter& reporter, std::optional<codepage::TextEncoding> encoding) {
  TextSource input(input_path, encoding);
  if (!input.is_open()) return kConvertNoInput;
  DatabaseOutput output(output_path, reporter);
  if (!output.is_open()) return kConvertNoOutput;

  LineReader reader(input);
  if (reader.AtEnd())
    return output.Fail(
        messages::ReadFailed(input_path, reader.failed() ? input.FailureText() : ""));

  SourceLayout layout;
  std::string message;
  const int read = ReadSourceLayout(reader, input_path, layout, message);
  if (read == kConvertNoInput) return kConvertNoInput;
  if (read != kConvertDone) return output.Fail(message);

  if (!WriteHeaderAndFields(output.sink(), layout, false))
    return output.Fail(messages::WriteFailed(output_path));

  ConversionState state;
  state.splitter = layout.splitter;
  std::int64_t record = 0;
  std::string line;
  while (reader.ReadLine(kDataLineBytes, line)) {
    ++record;
    if (record > std::numeric_limits<std::uint32_t>::max())
      return output.Fail(messages::TooManyRecords(record));
    if (Status checked = CheckTableSplitters(record, line, layout); !checked.ok()) {
      return output.Fail(checked.message());
    }
    if (record % kProgressEvery == 0) reporter.StatusText(messages::Converting(record));
    if (Status built = BuildTableRecord(record, line, layout, state); !built.ok()) {
      return output.Fail(built.message());
    }
    if (!output.sink().Write(state.record)) return output.Fail(messages::WriteFailed(output_path));
  }
  if (reader.failed()) return output.Fail(messages::ReadFailed(input_path, input.FailureText()));

  reporter.StatusText(messages::Converted(record));
  layout.header.record_count = static_cast<std::uint32_t>(record);
  if (!output.sink().Write(std::string_view(format::kEndMarker, format::kEndMarkerSize)) ||
      !WriteHeaderAndFields(output.sink(), layout, true)) {
    return output.Fail(messages::WriteFailed(output_path));
  }
  return output.Close();
}

}  // namespace builder
