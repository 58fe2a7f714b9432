#include "cli/check_command.h"

#include <limits>
#include <optional>

#include "builder/convert/byte_io.h"
#include "builder/convert/messages.h"
#include "builder/convert/phone_book.h"
#include "builder/convert/table_database.h"
#include "builder/convert/text_source.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/phone_options.h"
#include "cli/readable_input.h"
#include "common/file_extension.h"
#include "format/phone_book_layout.h"
#include "format/source_values.h"

namespace cli {

const CommandSpec kCheckCommand = {
    "check",
    "ВХОД",
    "перечислить все ошибочные строки исходного файла или списка телефонов",
    "Проверяет каждую строку ВХОДА так, как её проверило бы преобразование, и выводит каждую\n"
    "ошибочную строку; ничего не записывает. ВХОД - исходный файл (.fsr) или список телефонов;\n"
    "\"-\" читает стандартный ввод (исходный файл узнаётся по первой строке). Файлы баз\n"
    "данных (.db, .fdb, .zdb) проверяет команда dump.",
    {kSplitterOption, kDigitsOption, kEncodingOption, kQuietOption, kProgressOption},
};

namespace {

// The check's end of the conversion's record loop: counts the faulty lines and lists each with
// its first fault, in the conversion's own words, and reads on. A character Windows-1251 lacks
// is listed on its line too, and the reading goes on past it.
class FaultList : public builder::RecordSink {
 public:
  FaultList(Console& console, std::string shown, builder::LineReader& reader,
            builder::TextSource& source)
      : console_(console), shown_(std::move(shown)), reader_(reader), source_(source) {
    source_.ReadPastUnmappable();
  }

  Status Take(std::int64_t record, std::int64_t file_line, const Status& line,
              std::string_view) override {
    ListUnmappable(file_line);
    if (!line.ok()) {
      List(file_line, line.message());
      reader_.SkipRestOfLine();
    }
    if (record % builder::kProgressEvery == 0)
      console_.Progress("Проверено: " + std::to_string(record));
    return Status::Ok();
  }

  // The summary and the exit status once the input is read as far as it could be.
  int Finish(builder::LineReader& reader, const builder::TextSource& source, std::int64_t records) {
    ListUnmappable(std::numeric_limits<std::int64_t>::max());
    if (!reader.status().ok()) {
      console_.Error(shown_, builder::messages::ReadFailed(shown_, reader.status().message()));
      return source.status().refusal() ? kExitRefused : kExitUnreadable;
    }
    console_.Note(shown_, "проверено записей: " + std::to_string(records) +
                              ", ошибочных: " + std::to_string(faulty_));
    if (!console_.FinishProduct()) return kExitUnwritable;
    return faulty_ == 0 ? kExitOk : kExitRefused;
  }

 private:
  // A line with several faults is one faulty line.
  void List(std::int64_t file_line, const std::string& message) {
    if (file_line != last_listed_) ++faulty_;
    last_listed_ = file_line;
    console_.Finding(shown_, LineMessage(file_line, message));
  }
  void ListUnmappable(std::int64_t up_to_line) {
    for (const auto& fault : source_.TakeUnmappable(up_to_line))
      List(fault.line, "содержит " + fault.text);
  }

  Console& console_;
  std::string shown_;
  builder::LineReader& reader_;
  builder::TextSource& source_;
  std::int64_t faulty_ = 0;
  std::int64_t last_listed_ = 0;
};

int CheckSourceFile(builder::LineReader& reader, const builder::TextSource& source,
                    FaultList& faults, Console& console, const std::string& shown) {
  StatusOr<builder::SourceLayout> read = builder::ReadSourceLayout(reader, shown);
  if (!read.ok()) {
    console.Error(shown, read.status().message());
    return !reader.status().ok() && !source.status().refusal() ? kExitUnreadable : kExitRefused;
  }
  builder::SourceLayout& layout = read.value();
  std::int64_t records = 0;
  builder::ReadTableRecords(reader, layout, faults, records);
  if (reader.status().ok() && records < layout.header.record_count) {
    console.Note(shown,
                 builder::messages::FewerRecordsThanDeclared(layout.header.record_count, records));
  }
  return faults.Finish(reader, source, records);
}

int CheckPhoneList(builder::LineReader& reader, const builder::TextSource& source,
                   FaultList& faults, const PhoneOptions& options) {
  const char splitter = options.splitter.empty() ? format::kDefaultSplitter : options.splitter[0];
  // ReadPhoneOptions took only a digit; none gives 0, as in the window.
  const std::uint8_t digits = format::ParsePhoneDigits(options.digits).value_or(0);
  std::int64_t records = 0;
  builder::ReadPhoneRecords(reader, splitter, digits, faults, records);
  return faults.Finish(reader, source, records);
}

bool IsSourceFile(const std::string& path, std::optional<codepage::TextEncoding> encoding) {
  builder::TextSource source(path, encoding);
  builder::LineReader reader(source);
  format::DbHeader header;
  char splitter = format::kDefaultSplitter;
  return !builder::ReadSourceHeader(reader, path, header, splitter).refusal();
}

bool IsDatabaseName(const std::string& path) { return IsBook(FileKindOf(path)); }

}  // namespace

int RunCheckCommand(const std::vector<std::string>& args) {
  int status = kExitOk;
  const auto parsed = ParseCommandLine(kCheckCommand, args, std::cout, std::cerr, status);
  if (!parsed) return status;
  const std::string& input = parsed->operands[0];
  StatusOr<InputOptions> read = ReadInputOptions(*parsed);
  if (!read.ok()) return UsageError("check", read.status().message(), std::cerr);
  PhoneOptions& phone = read->phone;
  const std::optional<codepage::TextEncoding> encoding = read->encoding;
  if (input != "-" && IsDatabaseName(input)) {
    return UsageError("check", input + ": это файл базы данных; его проверяет bwick dump",
                      std::cerr);
  }
  if (input != "-" && input.rfind('.') == std::string::npos) {
    return UsageError(
        "check", input + ": без расширения не отличить исходный файл (.fsr) от списка телефонов",
        std::cerr);
  }
  // A named source file refuses the phone-list options before anything is read; standard input
  // shows what it is once it is read.
  const Status phone_only = OptionsForPhoneListsOnly(*parsed, "исходный файл (.fsr)");
  const bool named_source_file = input != "-" && FileKindOf(input) == FileKind::kSourceFile;
  if (named_source_file && !phone_only.ok())
    return UsageError("check", phone_only.message(), std::cerr);

  Console console("check", {parsed->Has("quiet"), parsed->Has("progress")});
  // Read twice: the encoding is detected first.
  SpooledInput spooled;
  if (const Status opened = spooled.Open(input); !opened.ok()) {
    console.Error(input, opened.message());
    return kExitUnreadable;
  }
  const std::string& path = spooled.path();
  const bool source_file = input == "-" ? IsSourceFile(path, encoding) : named_source_file;
  if (source_file && !phone_only.ok()) return UsageError("check", phone_only.message(), std::cerr);
  if (!source_file && !TakeDigitsFromFirstLine(path, input, encoding, phone, console))
    return kExitRefused;

  builder::TextSource source(path, encoding);
  builder::LineReader reader(source);
  FaultList faults(console, input, reader, source);
  if (reader.AtEnd() && reader.status().ok()) {
    console.Error(input, builder::messages::ReadFailed(input));
    return kExitRefused;
  }
  if (source_file) return CheckSourceFile(reader, source, faults, console, input);
  return CheckPhoneList(reader, source, faults, phone);
}

}  // namespace cli
