#include "designer/model/table_source.h"

#include <limits>

#include "common/codepage.h"
#include "common/file_extension.h"
#include "designer/model/sheet_table.h"
#include "designer/model/source_file.h"
#include "format/source_lines.h"

namespace designer {
namespace {

Status LineRefusal(const Document& doc, std::int64_t line, const std::string& what) {
  return Status::Refusal("Строка " + std::to_string(line) + " файла «" +
                         FileNameForMessage(doc.SourceFileName) + "» " + what);
}

}  // namespace

bool IsWorkbookPath(const std::string& path) { return FileKindOf(path) == FileKind::kWorkbook; }

Status ReadTable(const std::string& path, const CsvSettings& settings, const RecordPass& pass,
                 std::size_t preview_records, CsvTable& table) {
  return IsWorkbookPath(path) ? ReadSheetTable(path, settings, pass, preview_records, table)
                              : ReadCsvTable(path, settings, pass, preview_records, table);
}

Status VisitCellRecords(const Document& doc, const CellVisit& visit) {
  if (!doc.SourceSheet.empty()) return VisitSheetRecords(doc, visit);
  return doc.SourceQuoted ? VisitQuotedRecords(doc, visit) : VisitSplitRecords(doc, visit);
}

StatusOr<CopiedLines> WriteCellRecords(const Document& doc, char splitter, bool cut_long_lines,
                                       LineWriter& out,
                                       const std::function<void(std::int64_t written)>& progress) {
  CopiedLines copied;
  std::int64_t& written = copied.written;
  std::string line;
  const Status visited = VisitCellRecords(doc, [&](const CellRecord& record, std::int64_t at) {
    record.MakeLine(splitter, line);
    if (line.empty()) return Status::Ok();  // no source file keeps an empty line
    if (written == std::numeric_limits<std::int32_t>::max()) {
      return Status::Error("Слишком много строк данных: больше " + std::to_string(written) + ".");
    }
    if (record.Holds(splitter)) {
      return LineRefusal(doc, at,
                         "содержит значение с разделителем " +
                             format::SplitterForMessage(splitter) +
                             ". Выберите другой разделитель и повторите сохранение.");
    }
    const bool cut = cut_long_lines && line.size() > kLongLineLength;
    // Only what is written must fit the code page: text cut away may hold anything.
    if (const auto& bad = record.unmappable();
        bad && bad->output_at < (cut ? kCutLineKeep : line.size())) {
      return LineRefusal(doc, at,
                         "содержит " + codepage::DescribeBadCharacter(*bad) +
                             ". Замените его в файле и повторите сохранение.");
    }
    if (cut) {
      WriteCutLine(out, line, copied);
    } else {
      out.Write(line);
    }
    out.EndLine();
    if (!out.status().ok()) return out.status();
    ++written;
    if (progress) progress(written);
    return Status::Ok();
  });
  if (!visited.ok()) return visited;
  if (!out.status().ok()) return out.status();
  return copied;
}

}  // namespace designer
