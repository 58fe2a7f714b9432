#include "designer/model/table_warnings.h"

#include "designer/model/source_file.h"

namespace designer {

std::vector<WarningLine> DescribeWarnings(const TableWarnings& warnings, bool cut_long_lines) {
  const struct {
    const TableFinding& finding;
    std::string text;
  } kinds[] = {
      {warnings.other_field_count, "другое число полей, чем в первой строке"},
      {cut_long_lines ? warnings.long_lines : TableFinding{},
       "строка длиннее " + std::to_string(kLongLineLength) +
           " символов, при сохранении она будет обрезана"},
      {warnings.unmappable, "содержит " + warnings.first_unmappable +
                                (warnings.first_unmappable_cell.empty()
                                     ? std::string()
                                     : " (ячейка " + warnings.first_unmappable_cell + ")")},
      {warnings.looks_quoted, "значение в двойных кавычках, а кавычки не учитываются"},
      {warnings.line_breaks, "перевод строки внутри значения станет пробелом"},
      {warnings.bad_quotes, "кавычки расставлены не по правилам CSV (RFC 4180)"},
  };
  std::vector<WarningLine> lines;
  for (const auto& kind : kinds) {
    if (kind.finding.count > 0)
      lines.push_back({kind.finding.first_line, kind.finding.count, kind.text});
  }
  // Counted in cells or records, not lines: the count is said in the text.
  if (const TableFinding& errors = warnings.error_cells; errors.count > 0) {
    lines.push_back({errors.first_line, 1,
                     "ячейка " + warnings.first_error_cell +
                         " содержит ошибку, её значение будет пустым (всего таких ячеек: " +
                         std::to_string(errors.count) + ")"});
  }
  if (warnings.deleted_records > 0) {
    lines.push_back({0, 1,
                     "записи, помеченные в таблице удалёнными, пропущены (" +
                         std::to_string(warnings.deleted_records) + ")"});
  }
  return lines;
}

}  // namespace designer
