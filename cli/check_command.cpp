#include "cli/check_command.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>

#include "builder/convert/byte_io.h"
#include "builder/convert/messages.h"
#include "builder/convert/phone_book.h"
#include "builder/convert/run_conversion.h"
#include "builder/convert/table_database.h"
#include "builder/convert/text_source.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/phone_options.h"
#include "cli/readable_input.h"
#include "common/file_extension.h"
#include "common/replacement_file.h"
#include "common/system_reason.h"
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
// its first fault, in the conversion's own words, and reads on.
class FaultList : public builder::RecordSink {
 public:
  FaultList(Console& console, std::string shown) : console_(console), shown_(std::move(shown)) {}

  Status Take(std::int64_t record, const Status& line, std::string_view) override {
    if (!line.ok()) {
      ++faulty_;
      console_.Finding(shown_, line.message());
    }
    if (record % builder::kProgressEvery == 0)
      console_.Progress("Проверено: " + std::to_string(record));
    return Status::Ok();
  }

  // The summary and the exit status once the input is read as far as it could be.
  int Finish(builder::LineReader& reader, const builder::TextSource& source, std::int64_t records) {
    if (reader.failed()) {
      console_.Error(shown_, builder::messages::ReadFailed(shown_, reader.FailureText()));
      return source.content_refused() ? kExitFailed : kExitUnreadable;
    }
    console_.Note(shown_, "проверено записей: " + std::to_string(records) +
                              ", ошибочных: " + std::to_string(faulty_));
    if (!console_.FinishProduct()) return kExitFailed;
    return faulty_ == 0 ? kExitOk : kExitFailed;
  }

 private:
  Console& console_;
  std::string shown_;
  std::int64_t faulty_ = 0;
};

int CheckSourceFile(builder::LineReader& reader, const builder::TextSource& source,
                    FaultList& faults, Console& console, const std::string& shown) {
  builder::SourceLayout layout;
  const Status read = builder::ReadSourceLayout(reader, shown, layout);
  if (read.kind() == StatusKind::kNoInput) {
    console.Error(shown, builder::messages::NotASourceFile(shown));
    return kExitFailed;
  }
  if (!read.ok()) {
    console.Error(shown, read.message());
    return reader.failed() && !source.content_refused() ? kExitUnreadable : kExitFailed;
  }
  std::int64_t records = 0;
  builder::ReadTableRecords(reader, layout, faults, records);
  return faults.Finish(reader, source, records);
}

int CheckPhoneList(builder::LineReader& reader, const builder::TextSource& source,
                   FaultList& faults, const PhoneOptions& options) {
  const char splitter = options.splitter.empty() ? format::kDefaultSplitter : options.splitter[0];
  const auto digits =
      static_cast<std::uint8_t>(options.digits.empty() ? 0 : options.digits[0] - '0');
  std::int64_t records = 0;
  builder::ReadPhoneRecords(reader, splitter, digits, faults, records);
  return faults.Finish(reader, source, records);
}

// Standard input copied into a file of its own, which can be read twice (the encoding is
// detected first) in constant memory.
Status Spool(TemporaryFile& file) {
  std::error_code no_folder;
  const std::string folder = std::filesystem::temp_directory_path(no_folder).string();
  if (Status created = file.Create(folder, "bwick-check"); !created.ok()) return created;
  char block[65536];
  for (;;) {
    const ssize_t got = read(STDIN_FILENO, block, sizeof block);
    if (got == 0) return Status::Ok();
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return SystemFailure(errno);
    for (ssize_t written = 0; written < got;) {
      const ssize_t put = write(file.descriptor(), block + written, got - written);
      if (put < 0 && errno != EINTR) return SystemFailure(errno);
      written += std::max<ssize_t>(put, 0);
    }
  }
}

bool IsSourceFile(const std::string& path, std::optional<codepage::TextEncoding> encoding) {
  builder::TextSource source(path, encoding);
  builder::LineReader reader(source);
  format::DbHeader header;
  char splitter = format::kDefaultSplitter;
  return builder::ReadSourceHeader(reader, path, header, splitter).kind() != StatusKind::kNoInput;
}

bool IsDatabaseName(const std::string& path) { return IsBook(FileKindOf(path)); }

}  // namespace

int RunCheckCommand(const std::vector<std::string>& args) {
  int status = kExitOk;
  const auto parsed = ParseCommandLine(kCheckCommand, args, std::cout, std::cerr, status);
  if (!parsed) return status;
  const std::string& input = parsed->operands[0];
  PhoneOptions phone;
  std::optional<codepage::TextEncoding> encoding;
  if (Status read = ReadInputOptions(*parsed, phone, encoding); !read.ok())
    return UsageError("check", read.message(), std::cerr);
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
  const bool named_source_file =
      input != "-" && builder::NameConversion(input)->kind == builder::ConversionKind::kSourceFile;
  if (named_source_file && !phone_only.ok())
    return UsageError("check", phone_only.message(), std::cerr);

  Console console("check", {parsed->Has("quiet"), parsed->Has("progress")});
  TemporaryFile spooled;
  std::string path = input;
  if (input == "-") {
    if (const Status spooled_input = Spool(spooled); !spooled_input.ok()) {
      console.Error(input, spooled_input.message());
      return kExitUnreadable;
    }
    path = spooled.path();
  } else if (const Status readable = CheckReadable(input); !readable.ok()) {
    console.Error(input, readable.message());
    return kExitUnreadable;
  }
  const bool source_file = input == "-" ? IsSourceFile(path, encoding) : named_source_file;
  if (source_file && !phone_only.ok()) return UsageError("check", phone_only.message(), std::cerr);
  if (!source_file && !TakeDigitsFromFirstLine(path, input, encoding, phone, console))
    return kExitFailed;

  builder::TextSource source(path, encoding);
  builder::LineReader reader(source);
  FaultList faults(console, input);
  if (reader.AtEnd() && !reader.failed()) {
    console.Error(input, builder::messages::ReadFailed(input));
    return kExitFailed;
  }
  if (source_file) return CheckSourceFile(reader, source, faults, console, input);
  return CheckPhoneList(reader, source, faults, phone);
}

}  // namespace cli
