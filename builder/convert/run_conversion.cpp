#include "builder/convert/run_conversion.h"

#include <filesystem>

#include "builder/convert/byte_io.h"
#include "builder/convert/messages.h"
#include "builder/convert/packing.h"
#include "builder/convert/phone_book.h"
#include "builder/convert/source_header.h"
#include "builder/convert/table_database.h"
#include "common/file_extension.h"
#include "common/replacement_file.h"
#include "common/same_file.h"
#include "format/database_reader.h"
#include "format/phone_book_layout.h"

namespace builder {
namespace {

constexpr const char* kNoPath = "Не указан файл с данными!";
constexpr const char* kNoExtension = "Не могу определить расширение файла!";
constexpr const char* kNoName = "Не указано название создаваемого справочника!";
constexpr const char* kBadDigits = "Число цифр должно быть от 0 до 9!";
constexpr const char* kTargetIsInput = "Входной файл совпадает с создаваемым - ";
constexpr const char* kKeptExists = "Файл базы данных уже существует - ";
constexpr const char* kPacking = "Сжатие";
constexpr const char* kDone = "Готово";
constexpr const char* kPackingFailedStatus = "Ошибка упаковки";

// Packs `source` into the target; a failure carries the packing's message.
ConversionResult Pack(const std::string& source, const std::string& target, Reporter& reporter) {
  reporter.StatusText(kPacking);
  ConversionResult packed = PackFile(source, target, "wb", reporter);
  if (!packed.ok()) {
    reporter.StatusText(kPackingFailedStatus);
    packed.caption = kCaptionPackError;
    return packed;
  }
  reporter.StatusText(kDone);
  return packed;
}

// A database given to be packed must be whole: a file a failed conversion left, or one packed
// already, would give the handheld a file it cannot read. One that cannot be opened is the
// packing's to report.
ConversionResult PackGivenDatabase(const ConversionNames& names, Reporter& reporter) {
  if (FileSource(names.input).is_open()) {
    if (const Status whole = format::CheckUnpackedDatabase(names.input); !whole.ok())
      return Status::Error(messages::DatabaseIncomplete(names.input, whole.message()));
  }
  return Pack(names.input, names.target, reporter);
}

// What a phone-book conversion takes from the window's fields.
struct PhoneBookFields {
  std::string name;
  char splitter = format::kDefaultSplitter;
  int digits = 0;
};

// The fields of `request`, or the refusal of a missing name or wrong digits.
StatusOr<PhoneBookFields> ReadPhoneBookFields(const ConversionRequest& request) {
  PhoneBookFields fields;
  fields.name = request.name.substr(0, format::kMaxPhoneBookNameBytes);
  if (fields.name.empty()) return Status::Refusal(kNoName);
  if (!request.splitter.empty()) fields.splitter = request.splitter[0];
  if (!request.digits.empty()) {
    const std::optional<std::uint8_t> digits = format::ParsePhoneDigits(request.digits);
    if (!digits) return Status::Refusal(kBadDigits);
    fields.digits = *digits;
  }
  return fields;
}

// A conversion that failed: the general message follows its own.
ConversionResult ConversionFailed(ConversionResult failed) {
  failed.general_follows = true;
  return failed;
}

// Converts the input into a database and packs it. The database gets a name of its own beside the
// target, so that no file of the user's is taken, and is removed afterwards; kept, it replaces
// base + "db" once complete, before it is packed.
ConversionResult ConvertAndPack(const ConversionNames& names, const ConversionRequest& request,
                                const PhoneBookFields& phone, Reporter& reporter) {
  TemporaryFile own;
  std::optional<ReplacementFile> kept;
  const std::string folder = std::filesystem::path(names.target).parent_path().string();
  const Status created =
      request.keep_intermediate
          ? kept.emplace(names.intermediate).Create()
          : own.Create(folder, std::filesystem::path(names.intermediate).filename().string());
  std::string database = kept ? kept->path() : own.path();
  if (!created.ok())
    return ConversionFailed(
        Status::NoOutput(messages::DatabaseNotCreated(folder, created.message())));
  const ConversionResult converted =
      names.kind == ConversionKind::kSourceFile
          ? ConvertSourceFile(names.input, database, reporter, request.encoding)
          : ConvertPhoneBook(names.input, database, phone.name, phone.splitter, phone.digits,
                             reporter, request.encoding);
  // A write that failed names the file the user knows, not the temporary one.
  const std::string& shown = kept ? names.intermediate : names.target;
  if (converted.kind() == StatusKind::kNoOutput)
    return ConversionFailed(Status::NoOutput(messages::WriteFailed(shown, converted.message())));
  // An input that cannot be opened has no message of its own; the general one says it.
  if (!converted.ok())
    return ConversionFailed({Status::Error(converted.message()), converted.fault_line});
  if (kept) {
    if (const Status committed = kept->Commit(); !committed.ok())
      return Status::NoOutput(messages::WriteFailed(names.intermediate, committed.message()));
    database = names.intermediate;
  }
  return Pack(database, names.target, reporter);
}

}  // namespace

std::optional<ConversionNames> NameConversion(const std::string& input_path) {
  const std::size_t dot = input_path.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  // The names follow the file name: the path up to its last "." when it has one, else the whole
  // path and a ".", so that they stay in the input's folder.
  const std::size_t name_start = input_path.rfind('/') + 1;  // 0 when there is no folder
  const std::string base = dot >= name_start ? input_path.substr(0, dot + 1) : input_path + ".";
  ConversionNames names;
  names.input = input_path;
  const FileKind kind = FileKindOf(input_path);
  if (kind == FileKind::kDatabase) {
    names.kind = ConversionKind::kPackedDatabase;
    names.target = base + "zdb";
    return names;
  }
  names.kind =
      kind == FileKind::kSourceFile ? ConversionKind::kSourceFile : ConversionKind::kPhoneBook;
  names.intermediate = base + "db";
  names.target = base + "fdb";
  return names;
}

ConversionResult RunConversion(const ConversionRequest& request, Reporter& reporter) {
  const std::string& path = request.path;
  if (path.empty()) return Status::Refusal(kNoPath);
  std::optional<ConversionNames> names = NameConversion(path);
  if (!names) return Status::Refusal(kNoExtension);
  if (request.source_file) names->kind = ConversionKind::kSourceFile;
  if (!request.target.empty()) names->target = request.target;
  // A phone list named "*.fdb" would be overwritten by its own result, and so would an input
  // that is another name (a link) of the target or of the database to be kept.
  if (SameFile(names->target, names->input) ||
      (request.keep_intermediate && !names->intermediate.empty() &&
       SameFile(names->intermediate, names->input))) {
    return Status::Refusal(kTargetIsInput + path);
  }

  std::error_code no_file;
  if (request.keep_intermediate && !request.replace_kept && !names->intermediate.empty() &&
      std::filesystem::exists(std::filesystem::symlink_status(names->intermediate, no_file))) {
    return Status::Refusal(kKeptExists + names->intermediate);
  }

  if (names->kind == ConversionKind::kPackedDatabase) return PackGivenDatabase(*names, reporter);
  if (names->kind == ConversionKind::kSourceFile)
    return ConvertAndPack(*names, request, PhoneBookFields(), reporter);
  StatusOr<PhoneBookFields> phone = ReadPhoneBookFields(request);
  if (!phone.ok()) return phone.status();
  return ConvertAndPack(*names, request, phone.value(), reporter);
}

std::optional<SourceHeaderSummary> SummarizeSourceHeader(const std::string& path) {
  FileSource source(path);
  if (!source.is_open()) return std::nullopt;
  LineReader reader(source);
  format::DbHeader header;
  SourceHeaderSummary summary;
  char splitter = format::kDefaultSplitter;
  if (ReadSourceHeader(reader, path, header, splitter).refusal()) return summary;
  summary.prefix_ok = true;
  summary.database_name = header.name;
  summary.splitter = splitter;
  return summary;
}

}  // namespace builder
