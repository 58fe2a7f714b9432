// Cell references as spreadsheets write them ("C17") and as messages name cells ("Лист1!C17").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace spreadsheet {

// The letters of column `column` (from 1): A … Z, AA … XFD.
std::string ColumnName(std::uint32_t column);

struct CellPosition {
  std::uint64_t row = 0;     // from 1
  std::uint64_t column = 0;  // from 1
};

// "C17" (letters in either case, then digits); none for anything else. Far positions are given
// as they are, for the caller's limits to refuse.
std::optional<CellPosition> ParseCellReference(std::string_view reference);

}  // namespace spreadsheet
