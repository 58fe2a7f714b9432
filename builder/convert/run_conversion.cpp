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
constexpr const char* kConversionFailed =
    "Ошибка преобразования, проверте\r\nналичие входного файла и его формат!";
constexpr const char* kTargetIsInput = "Входной файл совпадает с создаваемым - ";
constexpr const char* kKeptExists = "Файл базы данных уже существует - ";
constexpr const char* kPacking = "Сжатие";
constexpr const char* kDone = "Готово";
constexpr const char* kPackingFailedStatus = "Ошибка упаковки";

// Packs `source` into the target; the status says how it ended.
Status Pack(const std::string& source, const std::string& target, Reporter& reporter) {
  reporter.StatusText(kPacking);
  if (const Status packed = PackFile(source, target, "wb", reporter); !packed.ok()) {
    reporter.StatusText(kPackingFailedStatus);
    // A source that cannot be read is a given database the packing could not open.
    return packed.kind() == StatusKind::kNoInput ? Status::NoInput(kPackingFailedStatus)
                                                 : Status::NoOutput(kPackingFailedStatus);
  }
  reporter.StatusText(kDone);
  return Status::Ok();
}

// Shows the refusal `text` and returns it.
Status Refuse(Reporter& reporter, const std::string& text) {
  reporter.ErrorMessage(kCaptionError, text);
  return Status::Refusal(text);
}

// A database given to be packed must be whole: a file a failed conversion left, or one packed
// already, would give the handheld a file it cannot read. One that cannot be opened is the
// packing's to report.
Status PackGivenDatabase(const ConversionNames& names, Reporter& reporter) {
  if (FileSource(names.input).is_open()) {
    if (const Status whole = format::CheckUnpackedDatabase(names.input); !whole.ok()) {
      const std::string text = messages::DatabaseIncomplete(names.input, whole.message());
      reporter.ErrorMessage(kCaptionError, text);
      return Status::Error(text);
    }
  }
  return Pack(names.input, names.target, reporter);
}

// What a phone-book conversion takes from the window's fields.
struct PhoneBookFields {
  std::string name;
  char splitter = format::kDefaultSplitter;
  int digits = 0;
};

// The fields of `request` into `fields`, or the refusal of a missing name or wrong digits.
Status ReadPhoneBookFields(const ConversionRequest& request, Reporter& reporter,
                           PhoneBookFields& fields) {
  fields.name = request.name.substr(0, format::kMaxPhoneBookNameBytes);
  if (fields.name.empty()) return Refuse(reporter, kNoName);
  if (!request.splitter.empty()) fields.splitter = request.splitter[0];
  if (!request.digits.empty()) {
    const std::optional<std::uint8_t> digits = format::ParsePhoneDigits(request.digits);
    if (!digits) return Refuse(reporter, kBadDigits);
    fields.digits = *digits;
  }
  return Status::Ok();
}

// Converts the input into a database and packs it. The database gets a name of its own beside the
// target, so that no file of the user's is taken, and is removed afterwards; kept, it replaces
// base + "db" once complete, before it is packed.
Status ConvertAndPack(const ConversionNames& names, const ConversionRequest& request,
                      const PhoneBookFields& phone, Reporter& reporter) {
  TemporaryFile own;
  std::optional<ReplacementFile> kept;
  const std::string folder = std::filesystem::path(names.target).parent_path().string();
  const Status created =
      request.keep_intermediate
          ? kept.emplace(names.intermediate).Create()
          : own.Create(folder, std::filesystem::path(names.intermediate).filename().string());
  std::string database = kept ? kept->path() : own.path();
  Status converted = Status::NoOutput();
  if (!created.ok()) {
    reporter.ErrorMessage(kCaptionError, messages::DatabaseNotCreated(folder, created.message()));
  } else if (names.kind == ConversionKind::kSourceFile) {
    converted = ConvertSourceFile(names.input, database, reporter, request.encoding);
  } else {
    converted = ConvertPhoneBook(names.input, database, phone.name, phone.splitter, phone.digits,
                                 reporter, request.encoding);
  }
  // A write that failed names the file the user knows, not the temporary one.
  const std::string& shown = kept ? names.intermediate : names.target;
  if (converted.kind() == StatusKind::kNoOutput && created.ok()) {
    const std::string text = messages::WriteFailed(shown, converted.message());
    reporter.ErrorMessage(kCaptionError, text);
    reporter.ConversionFailed(kConversionFailed);
    return Status::NoOutput(text);
  }
  if (!converted.ok()) {
    reporter.ConversionFailed(kConversionFailed);
    return created.ok() ? Status::Error(kConversionFailed) : Status::NoOutput(kConversionFailed);
  }
  if (kept) {
    if (const Status committed = kept->Commit(); !committed.ok()) {
      const std::string text = messages::WriteFailed(names.intermediate, committed.message());
      reporter.ErrorMessage(kCaptionError, text);
      return Status::NoOutput(text);
    }
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

Status RunConversion(const ConversionRequest& request, Reporter& reporter) {
  const std::string& path = request.path;
  if (path.empty()) return Refuse(reporter, kNoPath);
  std::optional<ConversionNames> names = NameConversion(path);
  if (!names) return Refuse(reporter, kNoExtension);
  if (request.source_file) names->kind = ConversionKind::kSourceFile;
  if (!request.target.empty()) names->target = request.target;
  // A phone list named "*.fdb" would be overwritten by its own result, and so would an input
  // that is another name (a link) of the target or of the database to be kept.
  if (SameFile(names->target, names->input) ||
      (request.keep_intermediate && !names->intermediate.empty() &&
       SameFile(names->intermediate, names->input))) {
    return Refuse(reporter, kTargetIsInput + path);
  }

  std::error_code no_file;
  if (request.keep_intermediate && !request.replace_kept && !names->intermediate.empty() &&
      std::filesystem::exists(std::filesystem::symlink_status(names->intermediate, no_file))) {
    return Refuse(reporter, kKeptExists + names->intermediate);
  }

  if (names->kind == ConversionKind::kPackedDatabase) return PackGivenDatabase(*names, reporter);
  PhoneBookFields phone;
  if (names->kind == ConversionKind::kPhoneBook) {
    if (Status read = ReadPhoneBookFields(request, reporter, phone); !read.ok()) return read;
  }
  return ConvertAndPack(*names, request, phone, reporter);
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
