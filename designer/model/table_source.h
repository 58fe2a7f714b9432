// Any table the import reads, told by its file's kind: a text file (csv_table.h) or a workbook's
// sheet (sheet_table.h). The import, the import dialog and a save of a document read from either
// go through here.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/status.h"
#include "designer/model/csv_table.h"
#include "designer/model/document.h"
#include "designer/model/text_file.h"

namespace designer {

// Whether `path` is read as a workbook (by its extension).
bool IsWorkbookPath(const std::string& path);

// ReadCsvTable for a text file, ReadSheetTable for a workbook.
Status ReadTable(const std::string& path, const CsvSettings& settings, const RecordPass& pass,
                 std::size_t preview_records, CsvTable& table);

// The records of doc's source as cells, in the order of its fields: VisitSheetRecords for a
// workbook, VisitQuotedRecords for a CSV file read with quotes, VisitSplitRecords for one read
// without (whose save copies its lines unless its fields read it through a column map).
Status VisitCellRecords(const Document& doc, const CellVisit& visit);

// Writes those records as data lines: each record's values joined by `splitter`, a line longer
// than kLongLineLength cut as the copy of lines cuts it when asked, an empty line dropped. A
// value that holds the splitter, or a written character that Windows-1251 lacks, refuses the save
// with the line's (row's) number.
StatusOr<CopiedLines> WriteCellRecords(const Document& doc, char splitter, bool cut_long_lines,
                                       LineWriter& out,
                                       const std::function<void(std::int64_t written)>& progress);

}  // namespace designer
