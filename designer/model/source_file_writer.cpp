// SaveFSR: writes the header from the model and copies the data lines from the opened file.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>

#include "common/same_file.h"
#include "designer/model/encoding.h"
#include "designer/model/source_file.h"

namespace designer {
namespace {

namespace fs = std::filesystem;

constexpr char kRule[] = "; ============================================================";

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// A value the format cannot carry: a leading ";" makes both readers take it for a comment, a
// line break splits it into two values; either shifts every later value of the header.
Status CheckValue(const std::string& value, const std::string& what) {
  if (!value.empty() && value.front() == ';') {
    return Status::Refusal(what +
                           " начинается с символа \";\", который в исходном файле "
                           "означает комментарий. Измените его.");
  }
  if (HasLineBreak(value)) {
    return Status::Refusal(what + " содержит перевод строки. Измените его.");
  }
  return Status::Ok();
}

// The builder reads a header line in pieces of 254 characters, its CR LF included: a longer
// database name would be split into two values.
constexpr std::size_t kMaxDatabaseNameLength = 252;

Status CheckDocument(const Document& doc, const std::string& database_name,
                     const std::string& splitter) {
  if (doc.FieldCount < 1 || doc.FieldCount > kMaxDocumentFields) {
    return Status::Refusal("Справочник должен иметь от 1 до " + std::to_string(kMaxDocumentFields) +
                           " полей.");
  }
  Status status = CheckValue(database_name, "Название справочника");
  if (!status.ok()) return status;
  if (database_name.size() > kMaxDatabaseNameLength) {
    return Status::Refusal("Название справочника длиннее " +
                           std::to_string(kMaxDatabaseNameLength) + " символов. Сократите его.");
  }
  for (int i = 1; i <= doc.FieldCount; ++i) {
    status = CheckValue(CutName(doc.Fields[i].Name), "Название поля " + std::to_string(i));
    if (!status.ok()) return status;
  }
  // An empty splitter would be written as "''" and read back as "'".
  if (splitter.size() != 1 || HasLineBreak(splitter)) {
    return Status::Refusal("Символ-разделитель полей не задан или недопустим.");
  }
  return Status::Ok();
}

std::string TimeOfDay() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  char text[16] = "";
  if (localtime_r(&now, &local) != nullptr) std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

void WriteHeader(LineWriter& out, const Document& doc, const std::string& database_name,
                 const std::string& splitter) {
  out.WriteLine(std::string("; Brindle-Wick database source file, (c) Brindle-Wick, ") +
                kMakerWebAddress);
  out.WriteLine(kRule);
  out.WriteLine("; Name:       " + database_name);
  out.WriteLine("; Source:     ");
  out.WriteLine("; Url:        ");
  out.WriteLine("; Convertion: BWick DB Designer 0.01 b040413");
  out.WriteLine("; Date:       " + TimeOfDay());
  out.WriteLine(kRule);
  out.WriteLine(";");
  out.WriteLine("; prefix");
  out.WriteLine(kSourcePrefix);
  out.WriteLine("; version");
  out.WriteLine(std::to_string(kSourceVersion));
  out.WriteLine("; splitter char");
  out.WriteLine("'" + splitter + "'");
  out.WriteLine("; fields");
  out.WriteLine(std::to_string(doc.FieldCount));
  out.WriteLine("; records");
  out.WriteLine(std::to_string(doc.RecordCount));
  out.WriteLine("; flags");
  out.WriteLine("0");
  out.WriteLine("; db name");
  out.WriteLine(database_name);
  out.WriteLine("; Fields:");
  for (int i = 1; i <= doc.FieldCount; ++i) {
    const TFieldDesc& field = doc.Fields[i];
    out.WriteLine("; Field #" + std::to_string(i));
    out.WriteLine(";  name");
    out.WriteLine(CutName(field.Name));
    const struct {
      const char* comment;
      std::int32_t value;
    } numbers[] = {
        {";  type", field.DataType},
        {";  flags", field.Flags},
        {";  size", field.NumSize},
        {";  query index", field.QueryIndex},
        {";  result index", field.ResultIndex},
        {";  detail index", field.DetailIndex},
        {";  edit size", field.EditWidth},
        {";  result size", field.ResultWidth},
        {";  max size in char /edit", field.MaxLen},
    };
    for (const auto& number : numbers) {
      out.WriteLine(number.comment);
      out.WriteLine(std::to_string(number.value));
    }
  }
}

// Called with the number of data lines written so far.
using CopyProgress = std::function<void(std::int32_t written)>;

// Copies the data lines of `in` (positioned after its header) to `out`: empty lines are
// dropped, and with `cut_long_lines` a line longer than kLongLineLength keeps its first
// kCutLineKeep characters followed by "..". Lines are handled in pieces, never held whole.
Status CopyDataLines(DocumentLineReader& in, LineWriter& out, bool cut_long_lines,
                     const CopyProgress& progress, std::int32_t* written) {
  constexpr std::size_t kPiece = 64 * 1024;
  std::string piece;
  bool ended = false;
  *written = 0;
  for (;;) {
    // Most lines are taken whole from the reader's block. Any other line comes in pieces, the
    // first one character longer than a line may be, to tell whether it is too long.
    std::string_view head;
    if (in.ReadLineInPlace(&head)) {
      ended = true;
    } else if (in.ReadPiece(&piece, kLongLineLength + 1, &ended)) {
      head = piece;
    } else {
      break;
    }
    if (head.empty() && ended) continue;
    if (*written == INT32_MAX) {
      return Status::Error("Слишком много строк данных: больше " + std::to_string(INT32_MAX) + ".");
    }
    if (cut_long_lines && !(ended && head.size() <= kLongLineLength)) {
      out.Write(head.substr(0, kCutLineKeep));
      out.Write("..");
      if (!ended && !in.SkipLine()) break;
    } else {
      out.Write(head);
      while (!ended && in.ReadPiece(&piece, kPiece, &ended)) out.Write(piece);
    }
    out.EndLine();
    if (!out.status().ok()) return out.status();
    ++*written;
    if (progress) progress(*written);
  }
  if (!in.status().ok()) return in.status();
  return out.status();
}

// Reads past what precedes the data lines of `in`: the opened source file's header, or the CSV
// file's line of names.
void SkipToDataLines(const Document& doc, DocumentLineReader& in) {
  const std::int32_t skipped =
      doc.SourceIsFsr ? doc.HeaderLineCount : (doc.FirstLineHasNames ? 1 : 0);
  for (std::int32_t i = 0; i < skipped; ++i) {
    if (!in.SkipLine()) break;  // a shorter file simply has no data lines
  }
}

// The data lines of a UTF-8 file are converted while they are copied. This pass runs the copy
// ahead, with a writer that keeps nothing, so that a character Windows-1251 cannot hold refuses
// the save before the backup or the target is touched.
Status CheckDataLines(const Document& doc, bool cut_long_lines) {
  LineReader lines;
  Status status = lines.Open(doc.SourceFileName);
  if (!status.ok()) return status;
  DocumentLineReader in(lines, doc.SourceEncoding, doc.SourceFileName);
  SkipToDataLines(doc, in);
  LineWriter nowhere;
  std::int32_t written = 0;
  return CopyDataLines(in, nowhere, cut_long_lines, nullptr, &written);
}

// Writes the whole file; the caller deals with the backup.
Status WriteSourceFile(const Document& doc, const std::string& target_path,
                       const std::string& data_path, const std::string& database_name,
                       const std::string& splitter, DesignerView& view, std::int32_t* written) {
  // The data source is opened first, so that a missing one leaves the target untouched.
  LineReader lines;
  Status status = lines.Open(data_path);
  if (!status.ok()) return status;
  DocumentLineReader in(lines, doc.SourceEncoding, data_path);
  LineWriter out;
  status = out.Create(target_path);
  if (!status.ok()) return status;
  WriteHeader(out, doc, database_name, splitter);

  SkipToDataLines(doc, in);
  view.ShowProgress(doc.RecordCount > 0 ? doc.RecordCount : 0);
  status = CopyDataLines(
      in, out, view.CutLongLines(), [&view](std::int32_t count) { view.SetProgress(count); },
      written);
  view.HideProgress();
  const Status closed = out.Close();
  if (!status.ok()) return status;
  if (!in.status().ok()) return in.status();
  return closed;
}

// Moves the opened file `source` to `backup` before `target`, another name of the same file, is
// written. rename replaces an older backup in one step, so that one survives a move that fails.
Status MakeBackup(const std::string& source, const std::string& backup, const std::string& target) {
  const Status failed = Status::Error("Ошибка создания резервной копии.");
  std::error_code error;
  fs::rename(source, backup, error);
  if (error) return failed;
  // A second link to the opened file still leads to what is now the backup: drop that name, or
  // writing the target would overwrite the backup.
  if (fs::equivalent(target, backup, error) && !fs::remove(target, error)) {
    fs::rename(backup, source, error);
    return failed;
  }
  return Status::Ok();
}

}  // namespace

Status SaveFSR(Document& doc, const std::string& target_path, DesignerView& view) {
  const std::string database_name = view.DatabaseName();
  const std::string splitter = view.Splitter();
  Status status = CheckDocument(doc, database_name, splitter);
  if (!status.ok()) return status;
  if (doc.SourceEncoding == TextEncoding::kUtf8) {
    status = CheckDataLines(doc, view.CutLongLines());
    if (!status.ok()) return status;
  }

  const bool over_source = SameFile(target_path, doc.SourceFileName);
  const std::string backup_path = doc.SourceFileName + ".BAK";
  if (over_source) {
    status = MakeBackup(doc.SourceFileName, backup_path, target_path);
    if (!status.ok()) return status;
  }

  std::int32_t written = 0;
  status = WriteSourceFile(doc, target_path, over_source ? backup_path : doc.SourceFileName,
                           database_name, splitter, view, &written);
  if (!status.ok()) {
    if (over_source) {
      // Put the opened file back in place of the incomplete one, so that nothing is lost and a
      // later save starts from the same state.
      std::error_code error;
      fs::rename(backup_path, doc.SourceFileName, error);
      if (error) {
        return Status::Error(status.message() + "\nПрежнее содержимое файла сохранено в «" +
                             PathForMessage(backup_path) + "».");
      }
    }
    return status;
  }

  doc.RecordCount = written;
  if (over_source) {
    // The opened file is now the one just written; the next save to this name copies from it
    // (by then moved to the backup) and must skip exactly this header.
    doc.SourceFileName = target_path;
    doc.SourceIsFsr = true;
    doc.SourceEncoding = TextEncoding::kCp1251;
    doc.HeaderLineCount = WrittenHeaderLines(doc.FieldCount);
  }
  return Status::Ok();
}

}  // namespace designer
