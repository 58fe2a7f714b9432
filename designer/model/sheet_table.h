// A workbook's sheet (a spreadsheet's, or a dBASE table's one) read as a table of the import:
// its rows give their cells to the same steps as the records of a CSV file read with quotes
// (table_scan.h), row numbers standing for line numbers, so that a save writes each row as its
// values joined by a splitter that none of them holds.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "common/status.h"
#include "designer/model/csv_table.h"
#include "designer/model/document.h"
#include "spreadsheet/workbook.h"

namespace designer {

// The sheets of the workbook `path`, in the order of its tabs.
StatusOr<std::vector<spreadsheet::SheetInfo>> ListSheets(const std::string& path);

// The index of the sheet `wanted` names among `sheets`: the one of that name, else the one of
// that number from 1; the first visible sheet when `wanted` is empty. A Refusal names `file` and
// lists the sheets.
StatusOr<std::size_t> ChooseSheet(const std::vector<spreadsheet::SheetInfo>& sheets,
                                  const std::string& file, const std::string& wanted);

// Answers whether the first row holds the field names, once it is read.
using NamesAnswer = std::function<bool(const CsvFirstLine& first)>;

// ReadCsvTable for the workbook `path`, in one pass over the sheet settings.sheet names: past
// settings.skip_lines rows, the first row gives the fields (and their names when `names` says
// so, else when settings.first_line_has_names), the rows after it, and the first row itself
// without names, are the records. Cells are UTF-8 (head.encoding). table.sheet names the sheet
// read. A sheet without rows is refused.
Status ReadSheetTable(const std::string& path, const CsvSettings& settings, const RecordPass& pass,
                      std::size_t preview_records, CsvTable& table,
                      const NamesAnswer& names = nullptr);

// Gives `visit` the records of doc's sheet (SourceSheet, SourceSkipLines, FirstLineHasNames),
// each as doc.FieldCount values (splitters_held not looked for).
Status VisitSheetRecords(const Document& doc, const CellVisit& visit);

}  // namespace designer
