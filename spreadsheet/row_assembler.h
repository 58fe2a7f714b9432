// Collects the cells of a sheet as its reader finds them and gives the sink whole rows: trailing
// empty cells dropped, empty rows between others given as empty rows, nothing after the last row
// with a value. It keeps a sheet within the limits of the largest spreadsheets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "spreadsheet/workbook.h"

namespace spreadsheet {

constexpr std::uint64_t kMaxRows = 1048576;
constexpr std::uint64_t kMaxColumns = 16384;
// A cell holds at most 32 767 characters, of at most 4 bytes each in UTF-8; a reader refuses a
// longer text as it gathers it, so no cell takes more memory than that.
constexpr std::size_t kMaxCellBytes = 32767 * 4;

class RowAssembler {
 public:
  // `file` and `sheet` name the place in messages.
  RowAssembler(RowSink& sink, SheetWarnings& warnings, std::string file, std::string sheet);

  // Begins row `row` (from 1). Rows come in increasing order; a row that goes back is damage.
  Status StartRow(std::uint64_t row);
  // Sets cell `column` (from 1) of the current row. Empty texts may be left out.
  Status SetCell(std::uint64_t column, std::string_view text);
  // Counts cell `column` of the current row as an error value; it stays empty.
  Status CountError(std::uint64_t column);
  // Gives the current row to the sink when it holds a value, after the empty rows before it.
  void EndRow();

  // Refuse rows up to `last`, or columns up to `last`, past the limits before any of them is
  // given (for rows and cells that repeat).
  Status CheckLastRow(std::uint64_t last) const;
  Status CheckLastColumn(std::uint64_t last) const;
  // Refuses the cell at `row` and `column` whose text has grown to `bytes`, past kMaxCellBytes.
  Status CheckCellText(std::uint64_t row, std::uint64_t column, std::size_t bytes) const;

  std::uint64_t row() const { return row_; }
  // True once the sink has had enough: the reader should end with success.
  bool stopped() const { return stopped_; }
  const std::string& sheet() const { return sheet_; }

 private:
  Status Failure(const std::string& reason) const;
  // Refuses a value of the current row past the limits.
  Status CheckPlace(std::uint64_t column) const;

  RowSink& sink_;
  SheetWarnings& warnings_;
  std::string file_;
  std::string sheet_;
  std::vector<std::string> cells_;
  std::uint64_t row_ = 0;
  std::uint64_t given_ = 0;  // the last row given to the sink
  bool stopped_ = false;
};

}  // namespace spreadsheet
