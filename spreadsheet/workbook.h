// Spreadsheets and accounting tables read as rows of cell texts: .xlsx, .ods, .xls and .dbf.
//
// Each format is decoded in one reader behind `Workbook`; all of them give the same thing, rows
// of UTF-8 texts as the user saw the cells (cell_text.h), so that the import steps after them
// need not know where the rows came from. Nothing here knows of windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/status.h"

namespace spreadsheet {

struct SheetInfo {
  std::string name;  // UTF-8; a dBASE table's one sheet is named after its file
  bool hidden = false;
};

// Takes the rows of one sheet in order.
class RowSink {
 public:
  virtual ~RowSink() = default;
  // `row_number` counts from 1 as the file shows it (a dBASE table's row 1 holds its field
  // names, its records follow). `cells` are the row's texts from column A on, trailing empty
  // ones dropped; an empty row between others comes as an empty vector, and nothing comes after
  // the last row that holds a value. Returning false stops the reading there (a preview that has
  // enough); the read then ends with success.
  virtual bool Row(std::uint32_t row_number, const std::vector<std::string>& cells) = 0;
};

// What a reader noticed in a sheet and read past.
struct SheetWarnings {
  std::uint64_t error_cells = 0;      // cells holding an error value (#Н/Д …), given as empty
  std::string first_error_cell;       // the first of them, as CellAddress writes it
  std::uint32_t first_error_row = 0;  // and its row
  std::uint64_t deleted_records = 0;  // dBASE records marked deleted, left out
};

class Workbook {
 public:
  virtual ~Workbook() = default;
  // The sheets in the order of the file's tabs.
  virtual const std::vector<SheetInfo>& sheets() const = 0;
  // Gives the rows of sheet `index` to `sink`. A failure names the file, the part and the reason
  // in Russian; the rows given before it stand.
  virtual Status ReadSheet(std::size_t index, RowSink& sink, SheetWarnings& warnings) = 0;
};

enum class WorkbookKind { kXlsx, kOds, kXls, kDbf };

// The kind a file is read as, by its extension (letter case aside); none for other files.
std::optional<WorkbookKind> KindOfFile(const std::string& path);

// A workbook opened, or why it could not be.
using WorkbookOr = StatusOr<std::unique_ptr<Workbook>>;

// For the readers: the book `made`, once its opening has said `opened`.
inline WorkbookOr Opened(std::unique_ptr<Workbook> made, Status opened) {
  if (!opened.ok()) return opened;
  return made;
}

// Opens the workbook at `path`, choosing the reader by the extension. Messages name the file.
WorkbookOr OpenWorkbook(const std::string& path);

// The same on bytes in memory, for the fuzz targets; `name` stands for the file in messages.
// Every kind but kXls, whose library reads only files: give it a file through OpenWorkbook.
WorkbookOr OpenWorkbookInMemory(WorkbookKind kind, std::string bytes, const std::string& name);

// A cell as the user names it: `Лист1!C17` (row and column count from 1).
std::string CellAddress(const std::string& sheet, std::uint32_t row, std::uint32_t column);

}  // namespace spreadsheet
