#include "builder/convert/run_conversion.h"

#include <filesystem>

#include "builder/convert/byte_io.h"
#include "builder/convert/messages.h"
#include "builder/convert/packing.h"
#include "builder/convert/phone_book.h"
#include "builder/convert/source_header.h"
#include "builder/convert/table_database.h"
#include "common/replacement_file.h"
#include "common/same_file.h"
#include "common/system_reason.h"
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

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Packs `source` into the target; the status says how it ended.
ConversionOutcome Pack(const std::string& source, const std::string& target, Reporter& reporter) {
  reporter.StatusText(kPacking);
  if (PackFile(source, target, "wb", reporter) != 0) {
    reporter.StatusText(kPackingFailedStatus);
    return ConversionOutcome::kPackingFailed;
  }
  reporter.StatusText(kDone);
  return ConversionOutcome::kDone;
}

// A database given to be packed must be whole: a file a failed conversion left, or one packed
// already, would give the handheld a file it cannot read. One that cannot be opened is the
// packing's to report.
ConversionOutcome PackGivenDatabase(const ConversionNames& names, Reporter& reporter) {
  if (FileSource(names.input).is_open()) {
    if (const Status whole = format::CheckUnpackedDatabase(names.input); !whole.ok()) {
      reporter.ErrorMessage(kCaptionError,
                            messages::DatabaseIncomplete(names.input, whole.message()));
      return ConversionOutcome::kConversionFailed;
    }
  }
  return Pack(names.input, names.target, reporter);
}

// What a phone-book conversion takes from the window's fields.
struct PhoneBookFields {
  std::string name;
  char splitter = ';';
  int digits = 0;
};

// The fields of `request`, or nullopt after the refusal of a missing name or wrong digits.
std::optional<PhoneBookFields> ReadPhoneBookFields(const ConversionRequest& request,
                                                   Reporter& reporter) {
  PhoneBookFields fields;
  fields.name = request.name.substr(0, format::kMaxPhoneBookNameBytes);
  if (fields.name.empty()) {
    reporter.ErrorMessage(kCaptionError, kNoName);
    return std::nullopt;
  }
  if (!request.splitter.empty()) fields.splitter = request.splitter[0];
  if (!request.digits.empty()) {
    if (request.digits.size() != 1 || request.digits[0] < '0' || request.digits[0] > '9') {
      reporter.ErrorMessage(kCaptionError, kBadDigits);
      return std::nullopt;
    }
    fields.digits = request.digits[0] - '0';
  }
  return fields;
}

// Converts the input into a database and packs it. The database gets a name of its own beside the
// target, so that no file of the user's is taken, and is removed afterwards; kept, it replaces
// base + "db" once complete, before it is packed.
ConversionOutcome ConvertAndPack(const ConversionNames& names, const ConversionRequest& request,
                                 const PhoneBookFields& phone, Reporter& reporter) {
  TemporaryFile own;
  std::optional<ReplacementFile> kept;
  const std::string folder = std::filesystem::path(names.target).parent_path().string();
  int created = 0;
  if (request.keep_intermediate) {
    created = kept.emplace(names.intermediate).Create();
  } else {
    created = own.Create(folder, std::filesystem::path(names.intermediate).filename().string());
  }
  std::string database = kept ? kept->path() : own.path();
  int result = kConvertNoOutput;
  if (created != 0) {
    reporter.ErrorMessage(kCaptionError,
                          messages::DatabaseNotCreated(folder, SystemReason(created)));
  } else if (names.kind == ConversionKind::kSourceFile) {
    result = ConvertSourceFile(names.input, database, reporter, request.encoding);
    if (result == kConvertNoInput && FileSource(names.input).is_open())
      reporter.ErrorMessage(kCaptionError, messages::NotASourceFile(names.input));
  } else {
    result = ConvertPhoneBook(names.input, database, phone.name, phone.splitter, phone.digits,
                              reporter, request.encoding);
  }
  if (result != kConvertDone) {
    reporter.ConversionFailed(kConversionFailed);
    return ConversionOutcome::kConversionFailed;
  }
  if (kept) {
    if (const int error = kept->Commit()) {
      reporter.ErrorMessage(kCaptionError,
                            messages::WriteFailed(names.intermediate) + ": " + SystemReason(error));
      return ConversionOutcome::kConversionFailed;
    }
    database = names.intermediate;
  }
  return Pack(database, names.target, reporter);
}

}  // namespace

std::optional<ConversionNames> NameConversion(const std::string& input_path) {
  const std::size_t dot = input_path.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  // The kind follows the text after the last "." of the whole path; a "." in a folder's name
  // gives a text with a "/" in it, which names no kind but the phone list.
  const std::string_view extension = std::string_view(input_path).substr(dot);
  // The names follow the file name: the path up to its last "." when it has one, else the whole
  // path and a ".", so that they stay in the input's folder.
  const std::size_t name_start = input_path.rfind('/') + 1;  // 0 when there is no folder
  const std::string base = dot >= name_start ? input_path.substr(0, dot + 1) : input_path + ".";
  ConversionNames names;
  names.input = input_path;
  if (EqualsIgnoringAsciiCase(extension, ".db")) {
    names.kind = ConversionKind::kPackedDatabase;
    names.target = base + "zdb";
    return names;
  }
  names.kind = EqualsIgnoringAsciiCase(extension, ".fsr") ? ConversionKind::kSourceFile
                                                          : ConversionKind::kPhoneBook;
  names.intermediate = base + "db";
  names.target = base + "fdb";
  return names;
}

ConversionOutcome RunConversion(const ConversionRequest& request, Reporter& reporter) {
  const std::string& path = request.path;
  if (path.empty()) {
    reporter.ErrorMessage(kCaptionError, kNoPath);
    return ConversionOutcome::kRefused;
  }
  const std::optional<ConversionNames> names = NameConversion(path);
  if (!names) {
    reporter.ErrorMessage(kCaptionError, kNoExtension);
    return ConversionOutcome::kRefused;
  }
  // A phone list named "*.fdb" would be overwritten by its own result, and so would an input
  // that is another name (a link) of the target or of the database to be kept.
  if (SameFile(names->target, names->input) ||
      (request.keep_intermediate && !names->intermediate.empty() &&
       SameFile(names->intermediate, names->input))) {
    reporter.ErrorMessage(kCaptionError, kTargetIsInput + path);
    return ConversionOutcome::kRefused;
  }

  std::error_code no_file;
  if (request.keep_intermediate && !request.replace_kept && !names->intermediate.empty() &&
      std::filesystem::exists(std::filesystem::symlink_status(names->intermediate, no_file))) {
    reporter.ErrorMessage(kCaptionError, kKeptExists + names->intermediate);
    return ConversionOutcome::kRefused;
  }

  if (names->kind == ConversionKind::kPackedDatabase) return PackGivenDatabase(*names, reporter);
  std::optional<PhoneBookFields> phone = PhoneBookFields{};
  if (names->kind == ConversionKind::kPhoneBook) phone = ReadPhoneBookFields(request, reporter);
  if (!phone) return ConversionOutcome::kRefused;
  return ConvertAndPack(*names, request, *phone, reporter);
}

std::optional<SourceHeaderSummary> SummarizeSourceHeader(const std::string& path) {
  FileSource source(path);
  if (!source.is_open()) return std::nullopt;
  LineReader reader(source);
  format::DbHeader header;
  SourceHeaderSummary summary;
  char splitter = ';';
  if (ReadSourceHeader(reader, header, splitter) == HeaderRead::kWrongPrefix) return summary;
  summary.prefix_ok = true;
  summary.database_name = header.name;
  summary.splitter = splitter;
  return summary;
}

}  // namespace builder
