#include "spreadsheet/row_assembler.h"

#include "spreadsheet/failure.h"

namespace spreadsheet {

RowAssembler::RowAssembler(RowSink& sink, SheetWarnings& warnings, std::string file,
                           std::string sheet)
    : sink_(sink), warnings_(warnings), file_(std::move(file)), sheet_(std::move(sheet)) {}

Status RowAssembler::Failure(const std::string& reason) const {
  return Damaged(file_, "лист «" + sheet_ + "», строка " + std::to_string(row_), reason);
}

Status RowAssembler::StartRow(std::uint64_t row) {
  if (row <= row_) {
    row_ = row;
    return Failure("строки идут не по порядку");
  }
  row_ = row;
  cells_.clear();
  return Status::Ok();
}

Status RowAssembler::CheckLastRow(std::uint64_t last) const {
  if (last > kMaxRows)
    return Damaged(file_, "лист «" + sheet_ + "», строка " + std::to_string(last),
                   "больше 1 048 576 строк");
  return Status::Ok();
}

Status RowAssembler::CheckLastColumn(std::uint64_t last) const {
  if (last > kMaxColumns) return Damaged(file_, "лист «" + sheet_ + "»", "больше 16 384 столбцов");
  return Status::Ok();
}

Status RowAssembler::CheckCellText(std::uint64_t row, std::uint64_t column,
                                   std::size_t bytes) const {
  if (bytes <= kMaxCellBytes) return Status::Ok();
  return Damaged(
      file_,
      CellAddress(sheet_, static_cast<std::uint32_t>(row), static_cast<std::uint32_t>(column)),
      "в ячейке больше 32 767 знаков");
}

Status RowAssembler::CheckPlace(std::uint64_t column) const {
  if (Status columns = CheckLastColumn(column); !columns.ok()) return columns;
  return CheckLastRow(row_);
}

Status RowAssembler::SetCell(std::uint64_t column, std::string_view text) {
  if (text.empty()) return Status::Ok();
  if (Status place = CheckPlace(column); !place.ok()) return place;
  if (cells_.size() < column) cells_.resize(column);
  cells_[column - 1].assign(text);
  return Status::Ok();
}

Status RowAssembler::CountError(std::uint64_t column) {
  if (Status place = CheckPlace(column); !place.ok()) return place;
  if (warnings_.error_cells++ == 0) {
    warnings_.first_error_row = static_cast<std::uint32_t>(row_);
    warnings_.first_error_cell =
        CellAddress(sheet_, static_cast<std::uint32_t>(row_), static_cast<std::uint32_t>(column));
  }
  return Status::Ok();
}

void RowAssembler::EndRow() {
  if (cells_.empty() || stopped_) return;
  static const std::vector<std::string> kEmptyRow;
  while (given_ + 1 < row_ && !stopped_) stopped_ = !sink_.Row(++given_, kEmptyRow);
  if (!stopped_) stopped_ = !sink_.Row(static_cast<std::uint32_t>(row_), cells_);
  given_ = row_;
}

}  // namespace spreadsheet
