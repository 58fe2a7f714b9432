#include "spreadsheet/cell_address.h"

#include "spreadsheet/workbook.h"

namespace spreadsheet {

std::string ColumnName(std::uint32_t column) {
  std::string letters;
  for (; column > 0; column = (column - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (column - 1) % 26));
  return letters;
}

std::string CellAddress(const std::string& sheet, std::uint32_t row, std::uint32_t column) {
  return sheet + "!" + ColumnName(column) + std::to_string(row);
}

std::optional<CellPosition> ParseCellReference(std::string_view reference) {
  // Far enough to pass any limit, near enough never to overflow.
  constexpr std::uint64_t kFar = std::uint64_t{1} << 40;
  CellPosition position;
  std::size_t at = 0;
  for (; at < reference.size(); ++at) {
    const char c = reference[at];
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper < 'A' || upper > 'Z') break;
    position.column = std::min(kFar, position.column * 26 + static_cast<unsigned>(upper - 'A' + 1));
  }
  if (at == 0 || at == reference.size()) return std::nullopt;
  for (; at < reference.size(); ++at) {
    const char c = reference[at];
    if (c < '0' || c > '9') return std::nullopt;
    position.row = std::min(kFar, position.row * 10 + static_cast<unsigned>(c - '0'));
  }
  if (position.row == 0) return std::nullopt;
  return position;
}

}  // namespace spreadsheet
