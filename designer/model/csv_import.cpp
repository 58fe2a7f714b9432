#include "designer/model/csv_import.h"

#include <cerrno>
#include <fstream>

#include "common/codepage.h"
#include "common/system_reason.h"
#include "designer/model/csv_scan.h"
#include "designer/model/encoding.h"
#include "designer/model/text_file.h"

namespace designer {
namespace {

Status FileError(const char* what, const std::string& path, int error_number) {
  return Status::Error(std::string(what) + " «" + PathForMessage(path) +
                       "»: " + SystemReason(error_number));
}

std::string FirstLineQuestion(const CsvFirstLine& first) {
  std::string text = "Первая строка содержит названия полей?\n";
  for (std::size_t i = 0; i < first.Names.size(); ++i) {
    if (i > 0) text += '\n';
    text += codepage::Cp1251ToUtf8(first.Names[i]);
  }
  return text;
}

// Puts `file` back at its start for the next pass over it.
Status Rewind(std::ifstream& file, const std::string& path) {
  file.clear();
  errno = 0;
  file.seekg(0);
  if (!file) return FileError("Ошибка чтения файла", path, errno != 0 ? errno : EIO);
  return Status::Ok();
}

// The import proper, on `next`, a copy of the document that becomes it only on success.
Status ImportInto(Document& next, const std::string& path, const ReadOptions& options,
                  TextEncoding& encoding) {
  // Every field leaves the input list; the ticks at the end hand out positions in field order.
  for (int row = 1; row <= kMaxDocumentFields; ++row) next.SetQueryBox(row, false);
  const std::string& splitter = options.splitter;

  errno = 0;
  std::ifstream file(path, std::ios::binary);
  if (!file) return FileError("Не удалось открыть файл", path, errno != 0 ? errno : ENOENT);

  if (options.encoding) {
    encoding = *options.encoding;
  } else {
    // A pass of its own: the names in the question must already be the file's text.
    LineReader scan(file, path);
    encoding = DetectEncoding(scan);
    if (!scan.status().ok()) return scan.status();
    if (Status status = Rewind(file, path); !status.ok()) return status;
  }

  CsvFirstLine first;
  LineReader first_pass(file, path);
  Status status = ReadCsvFirstLine(first_pass, splitter, first, encoding);
  if (!first_pass.status().ok()) return first_pass.status();
  if (!status.ok()) return status;

  const bool has_names = options.ask && options.ask(FirstLineQuestion(first));

  // Second pass over the same file from its start.
  status = Rewind(file, path);
  if (!status.ok()) return status;
  LineReader records(file, path);
  status = ReadCsvRecords(records, splitter, first, has_names, next, options.progress, encoding);
  if (!records.status().ok()) return records.status();
  if (!status.ok()) return status;

  next.SourceFileName = path;
  next.SourceIsFsr = false;
  next.SourceIsDatabase = false;
  for (int row = 1; row <= kMaxDocumentFields; ++row) {
    next.BoxesShown[row] = row <= next.FieldCount;
    if (row > next.FieldCount) continue;
    next.SetQueryBox(row, true);
    next.SetResultBox(row, true);
  }
  return Status::Ok();
}

}  // namespace

Status LoadCSV(Document& doc, const std::string& path, const ReadOptions& options,
               ReadResult& result) {
  Document next = doc;
  TextEncoding encoding = TextEncoding::kCp1251;
  const Status status = ImportInto(next, path, options, encoding);
  if (status.ok()) {
    doc = std::move(next);
    result.encoding_label = EncodingLabel(encoding);
  }
  result.status = DocumentStatus(doc);
  return status;
}

}  // namespace designer
