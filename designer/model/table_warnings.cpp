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
      {warnings.unmappable, "содержит " + warnings.first_unmappable},
      {warnings.looks_quoted, "значение в двойных кавычках, а кавычки не учитываются"},
      {warnings.line_breaks, "перевод строки внутри значения станет пробелом"},
      {warnings.bad_quotes, "кавычки расставлены не по правилам CSV (RFC 4180)"},
  };
  std::vector<WarningLine> lines;
  for (const auto& kind : kinds) {
    if (kind.finding.count > 0)
      lines.push_back({kind.finding.first_line, kind.finding.count, kind.text});
  }
  return lines;
}

}  // namespace designer
