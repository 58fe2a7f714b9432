// SaveFSR: writes the header from the model and copies the data lines from the opened file.
#include <algorithm>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <system_error>

#include "common/replacement_file.h"
#include "common/same_file.h"
#include "designer/model/csv_table.h"
#include "designer/model/database_source.h"
#include "designer/model/encoding.h"
#include "designer/model/header_values.h"
#include "designer/model/source_file.h"
#include "designer/model/table_source.h"

namespace designer {
namespace {

namespace fs = std::filesystem;

constexpr char kRule[] = "; ============================================================";

// The builder reads a header line in pieces of 254 characters, its CR LF included, and a longer
// line splits into two values. The name stands on line 3 after this label, and on its own line.
constexpr char kNameLabel[] = "; Name:       ";
constexpr std::size_t kBuilderLinePiece = 254;
constexpr std::size_t kMaxDatabaseNameLength = kBuilderLinePiece - 2 - (sizeof kNameLabel - 1);

// A field name still as it was imported from a UTF-8 file that held a character Windows-1251
// lacks: it would be written with "?" in its place.
Status CheckNameWasMapped(const Document& doc, int field) {
  const std::optional<UnmappableName>& lossy = doc.UnmappableNames[field];
  if (!lossy || doc.Fields[field].Name != lossy->imported) return Status::Ok();
  return Status::Refusal("Название поля " + std::to_string(field) + " в первой строке файла «" +
                         FileNameForMessage(doc.SourceFileName) + "» содержит " + lossy->character +
                         ". Измените название поля и повторите сохранение.");
}

Status CheckDocument(const Document& doc, const std::string& database_name,
                     const std::string& splitter) {
  if (doc.FieldCount < 1 || doc.FieldCount > kMaxDocumentFields) {
    return Status::Refusal("Справочник должен иметь от 1 до " + std::to_string(kMaxDocumentFields) +
                           " полей.");
  }
  Status status = CheckHeaderValue(database_name, "Название справочника");
  if (!status.ok()) return status;
  if (database_name.size() > kMaxDatabaseNameLength) {
    return Status::Refusal("Название справочника длиннее " +
                           std::to_string(kMaxDatabaseNameLength) + " символов. Сократите его.");
  }
  for (int i = 1; i <= doc.FieldCount; ++i) {
    status = CheckHeaderValue(CutName(doc.Fields[i].Name), "Название поля " + std::to_string(i));
    if (status.ok()) status = CheckNameWasMapped(doc, i);
    if (!status.ok()) return status;
  }
  return CheckSplitter(splitter);
}

std::string TimeOfDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char text[16] = "";
  if (localtime_r(&now, &local) != nullptr) std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

void WriteHeaderValue(LineWriter& out, const SourceFileHeader& header, format::HeaderValue value) {
  using format::HeaderValue;
  switch (value) {
    case HeaderValue::kPrefix:
      // The byte after the prefix reaches the table database's header when its name is short.
      if (header.prefix_line_end == '\r') {
        out.WriteLine(kSourcePrefix);
      } else if (header.prefix_line_end == '\n') {
        out.Write(std::string(kSourcePrefix) + '\n');
      } else {
        out.WriteLine(std::string(kSourcePrefix) + header.prefix_line_end);
      }
      break;
    case HeaderValue::kVersion:
      out.WriteLine(std::to_string(header.version));
      break;
    case HeaderValue::kSplitter:
      out.WriteLine(std::string("'") + header.splitter + "'");
      break;
    case HeaderValue::kFieldCount:
      out.WriteLine(std::to_string(header.fields.size()));
      break;
    case HeaderValue::kRecordCount:
      out.WriteLine(std::to_string(header.record_count));
      break;
    case HeaderValue::kFlags:
      out.WriteLine(std::to_string(header.flags));
      break;
    case HeaderValue::kName:
      out.WriteLine(header.database_name);
      break;
  }
}

}  // namespace

void SkipToDataLines(const Document& doc, DocumentLineReader& in) {
  const std::int64_t skipped =
      doc.SourceIsFsr ? doc.HeaderLineCount
                      : std::int64_t{doc.SourceSkipLines} + (doc.FirstLineHasNames ? 1 : 0);
  for (std::int64_t i = 0; i < skipped; ++i) {
    if (!in.SkipLine()) break;  // a shorter file simply has no data lines
  }
}

void WriteSourceHeader(LineWriter& out, const SourceFileHeader& header) {
  out.WriteLine(std::string("; Brindle-Wick database source file, (c) Brindle-Wick, ") +
                kMakerWebAddress);
  out.WriteLine(kRule);
  out.WriteLine(kNameLabel + header.database_name);
  out.WriteLine("; Source:     ");
  out.WriteLine("; Url:        ");
  out.WriteLine("; Convertion: BWick DB Designer 0.01 b040413");
  out.WriteLine("; Date:       " + TimeOfDay());
  out.WriteLine(kRule);
  out.WriteLine(";");
  for (const auto& value : format::kHeaderValues) {
    if (value.value == format::HeaderValue::kSplitter &&
        header.version <= kLastVersionWithoutSplitter) {
      continue;
    }
    out.WriteLine(value.comment);
    WriteHeaderValue(out, header, value.value);
  }
  out.WriteLine("; Fields:");
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const TFieldDesc& field = header.fields[i];
    out.WriteLine("; Field #" + std::to_string(i + 1));
    for (const auto& value : format::kFieldValues) {
      out.WriteLine(value.comment);
      out.WriteLine(value.value == format::FieldValue::kName
                        ? CutName(field.Name)
                        : std::to_string(FieldNumber(field, value.value)));
    }
  }
}

namespace {

// Called with the number of data lines written so far.
using CopyProgress = std::function<void(std::int64_t written)>;

// options.progress for the data lines of `doc`, which are expected to be as many as its records;
// a cancel asked for stops `out`, which ends the copy.
CopyProgress ProgressOf(const Document& doc, const SaveOptions& options, LineWriter& out) {
  if (!options.progress && !options.cancelled) return nullptr;
  const std::int64_t expected = std::max(doc.RecordCount, 0);
  return [&options, &out, expected](std::int64_t written) {
    if (options.progress) options.progress(written, expected);
    if (options.cancelled && options.cancelled()) out.Stop(Status::Refusal(kSaveCancelled));
  };
}

// Copies the data lines of `in` (positioned after its header) to `out`: empty lines are
// dropped, and with `cut_long_lines` a line longer than kLongLineLength keeps its first
// kCutLineKeep characters followed by "..". Lines are handled in pieces, never held whole.
StatusOr<CopiedLines> CopyDataLines(DocumentLineReader& in, LineWriter& out, bool cut_long_lines,
                                    const CopyProgress& progress) {
  constexpr std::size_t kPiece = 64 * 1024;
  std::string piece;
  bool ended = false;
  CopiedLines copied;
  std::int64_t& written = copied.written;
  for (;;) {
    // Most lines are taken whole from the reader's block. Any other line comes in pieces, the
    // first one character longer than a line may be, to tell whether it is too long.
    std::string_view head;
    if (in.ReadLineInPlace(head)) {
      ended = true;
    } else if (in.ReadUncheckedPiece(kLongLineLength + 1, piece, ended)) {
      head = piece;
    } else {
      break;
    }
    if (head.empty() && ended) continue;
    if (written == INT32_MAX) {
      return Status::Error("Слишком много строк данных: больше " + std::to_string(INT32_MAX) + ".");
    }
    const bool cut = cut_long_lines && !(ended && head.size() <= kLongLineLength);
    // Only what is written must fit the code page: text cut away may hold anything.
    if (!in.CheckLine(cut ? kCutLineKeep : head.size())) break;
    if (cut) {
      WriteCutLine(out, head, copied);
      if (!ended && !in.SkipLine()) break;
    } else {
      out.Write(head);
      while (!ended && in.ReadPiece(kPiece, piece, ended)) out.Write(piece);
    }
    out.EndLine();
    if (!out.status().ok()) return out.status();
    ++written;
    if (progress) progress(written);
  }
  if (!in.status().ok()) return in.status();
  if (!out.status().ok()) return out.status();
  return copied;
}

// The data lines of a UTF-8 file are converted while they are copied. This pass runs the copy
// ahead, with a writer that keeps nothing, so that a character Windows-1251 cannot hold refuses
// the save before the backup or the target is touched. Its progress stays at 0, but the caller
// is called as often as in the copy, so a window answers and a cancel stops it.
Status CheckDataLines(const Document& doc, const SaveOptions& options) {
  LineReader lines;
  lines.SetUtf16Input(Utf16InputFor(doc.SourceEncoding));
  Status status = lines.Open(doc.SourceFileName);
  if (!status.ok()) return status;
  DocumentLineReader in(lines, doc.SourceEncoding, doc.SourceFileName);
  SkipToDataLines(doc, in);
  LineWriter nowhere;
  SaveOptions at_start = options;
  if (options.progress) {
    at_start.progress = [&options](std::int64_t, std::int64_t expected) {
      options.progress(0, expected);
    };
  }
  return CopyDataLines(in, nowhere, options.cut_long_lines, ProgressOf(doc, at_start, nowhere))
      .status();
}

// The header of the document's source file.
SourceFileHeader DocumentHeader(const Document& doc, const SaveOptions& options) {
  SourceFileHeader header;
  header.database_name = options.database_name;
  header.splitter = options.splitter[0];
  header.record_count = doc.RecordCount;
  header.fields.assign(doc.Fields.begin() + 1, doc.Fields.begin() + 1 + doc.FieldCount);
  return header;
}

// Writes the whole file into `target`'s replacement, with the records of the opened table
// database as data lines; the caller commits it.
StatusOr<CopiedLines> WriteFromDatabase(const Document& doc, ReplacementFile& target,
                                        const SaveOptions& options) {
  LineWriter out;
  if (Status created = out.Create(target); !created.ok()) return created;
  WriteSourceHeader(out, DocumentHeader(doc, options));
  StatusOr<CopiedLines> copied = CopyRecordLines(doc, options.splitter[0], options.cut_long_lines,
                                                 out, ProgressOf(doc, options, out));
  const Status closed = out.Close();
  if (copied.ok() && !closed.ok()) return closed;
  return copied;
}

// Writes the whole file into `target`'s replacement, with the records of a source of cells (a CSV
// file read with quotes, a workbook's sheet) as data lines; the caller commits it.
StatusOr<CopiedLines> WriteFromCells(const Document& doc, ReplacementFile& target,
                                     const SaveOptions& options) {
  // The data source is opened first, so that a missing one creates nothing.
  if (LineReader probe; !probe.Open(doc.SourceFileName).ok()) return probe.status();
  LineWriter out;
  if (Status created = out.Create(target); !created.ok()) return created;
  WriteSourceHeader(out, DocumentHeader(doc, options));
  StatusOr<CopiedLines> copied = WriteCellRecords(doc, options.splitter[0], options.cut_long_lines,
                                                  out, ProgressOf(doc, options, out));
  const Status closed = out.Close();
  if (copied.ok() && !closed.ok()) return closed;
  return copied;
}

// Writes the whole file into `target`'s replacement, from the opened file; the caller commits it.
StatusOr<CopiedLines> WriteSourceFile(const Document& doc, ReplacementFile& target,
                                      const SaveOptions& options) {
  if (doc.SourceIsDatabase) return WriteFromDatabase(doc, target, options);
  if (HasCellRecords(doc)) return WriteFromCells(doc, target, options);
  // The data source is opened first, so that a missing one creates nothing.
  LineReader lines;
  lines.SetUtf16Input(Utf16InputFor(doc.SourceEncoding));
  Status status = lines.Open(doc.SourceFileName);
  if (!status.ok()) return status;
  DocumentLineReader in(lines, doc.SourceEncoding, doc.SourceFileName);
  LineWriter out;
  status = out.Create(target);
  if (!status.ok()) return status;
  WriteSourceHeader(out, DocumentHeader(doc, options));

  SkipToDataLines(doc, in);
  StatusOr<CopiedLines> copied =
      CopyDataLines(in, out, options.cut_long_lines, ProgressOf(doc, options, out));
  const Status closed = out.Close();
  if (copied.ok() && !closed.ok()) return closed;
  return copied;
}

// Moves the opened file to `backup` just before the file written from it takes its place; when
// it was opened through a symbolic link, the file the link leads to is moved, which the new file
// replaces. rename replaces an older backup in one step, so that one survives a move that fails.
// Returns the path the file was moved from.
StatusOr<fs::path> MakeBackup(const std::string& source, const std::string& backup) {
  std::error_code error;
  fs::path moved = fs::is_symlink(source, error) ? fs::canonical(source, error) : fs::path(source);
  if (!error) fs::rename(moved, backup, error);
  if (error) return Status::Error("Ошибка создания резервной копии.");
  return moved;
}

}  // namespace

Status CheckReadsAsWindows1251(const std::string& written, const std::string& shown) {
  const StatusOr<TextEncoding> read_as = FindCsvEncoding(written, std::nullopt);
  if (!read_as.ok()) return read_as.status();
  if (read_as.value() == TextEncoding::kCp1251) return Status::Ok();
  return Status::Refusal("Исходный файл «" + PathForMessage(shown) +
                         "» не записан: все его символы вне латиницы складываются в текст UTF-8, "
                         "и программа сборки прочитала бы его как UTF-8, изменив данные. Добавьте "
                         "русскую букву в название справочника или поля.");
}

Status SaveFSR(Document& doc, const std::string& target_path, const SaveOptions& options) {
  SaveResult ignored;
  return SaveFSR(doc, target_path, options, ignored);
}

Status SaveFSR(Document& doc, const std::string& target_path, const SaveOptions& options,
               SaveResult& result) {
  Status status = CheckDocument(doc, options.database_name, options.splitter);
  if (!status.ok()) return status;
  if (IsUtf8Text(doc.SourceEncoding) && !HasCellRecords(doc)) {
    status = CheckDataLines(doc, options);
    if (!status.ok()) return status;
  }

  // The opened file stays where it is while the new one is written beside the target; only
  // when that is complete does the opened file become the backup and the new one take its name.
  const bool over_source = SameFile(target_path, doc.SourceFileName);
  ReplacementFile target(target_path);
  const StatusOr<CopiedLines> copied = WriteSourceFile(doc, target, options);
  if (!copied.ok()) return copied.status();
  // A CSV file read as Windows-1251 has its bytes copied as the user chose to read them, and the
  // same choice builds them (bwick build --encoding); every other source's text is ours to keep.
  const bool csv_bytes = !doc.SourceIsFsr && !doc.SourceIsDatabase && doc.SourceSheet.empty() &&
                         doc.SourceEncoding == TextEncoding::kCp1251;
  if (!csv_bytes) status = CheckReadsAsWindows1251(target.path(), target_path);
  if (!status.ok()) return status;
  const std::string backup_path = doc.SourceFileName + ".BAK";
  fs::path opened;
  if (over_source) {
    StatusOr<fs::path> moved = MakeBackup(doc.SourceFileName, backup_path);
    if (!moved.ok()) return moved.status();
    opened = std::move(moved).value();
  }
  if (const Status committed = target.Commit(); !committed.ok()) {
    std::string message =
        "Не удалось заменить файл «" + PathForMessage(target_path) + "»: " + committed.message();
    std::error_code not_back;
    if (over_source) fs::rename(backup_path, opened, not_back);
    if (not_back) {
      message += "\nПрежнее содержимое файла сохранено в «" + PathForMessage(backup_path) + "».";
    }
    return Status::Error(message);
  }

  // The copies stop short of more lines than this count holds.
  doc.RecordCount = static_cast<std::int32_t>(copied->written);
  result.lines_cut = copied->cut;
  if (over_source) {
    // The opened file is now the one just written; the next save to this name copies from it
    // and must skip exactly this header.
    doc.SourceFileName = target_path;
    doc.SourceIsFsr = true;
    doc.SourceIsDatabase = false;
    doc.ResetSourceReading();
    doc.HeaderLineCount = WrittenHeaderLines(doc.FieldCount);
  }
  return Status::Ok();
}

}  // namespace designer
