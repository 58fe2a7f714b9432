// What a table's records show that the source file or the handheld would not keep as it stands:
// the warnings of a CSV import, counted over the whole file, each with the line where it was
// found first. The import dialog shows them under its preview, `bwick import` on standard error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace designer {

// Records of one kind: how many, and the line where the first of them begins (1-based).
struct TableFinding {
  std::int64_t count = 0;
  std::int64_t first_line = 0;

  void Add(std::int64_t line) {
    if (count++ == 0) first_line = line;
  }
  friend bool operator==(const TableFinding&, const TableFinding&) = default;
};

// What a table shows that the source file or the handheld would not keep as it stands.
struct TableWarnings {
  TableFinding other_field_count;     // records of another number of values than the first line
  TableFinding long_lines;            // data lines longer than the cut the save can make
  TableFinding unmappable;            // records with a character that Windows-1251 lacks
  std::string first_unmappable;       // that character in the first of them, described
  std::string first_unmappable_cell;  // a workbook's: the cell that holds it ("Лист1!C17")
  TableFinding looks_quoted;          // read without quotes: values that stand in double quotes
  TableFinding line_breaks;           // read with quotes: values whose line breaks become blanks
  TableFinding bad_quotes;            // read with quotes: records not written as RFC 4180 says
  // A workbook's cells that hold an error value (#Н/Д…), read as empty: first_line is the row of
  // the first of them, which first_error_cell names.
  TableFinding error_cells;
  std::string first_error_cell;
  std::int64_t deleted_records = 0;  // a dBASE table's records marked deleted, left out
  friend bool operator==(const TableWarnings&, const TableWarnings&) = default;
};

// One warning as the user reads it: the line where it was found first (0: the warning is about
// no line), how many records it concerns, and what it means, in Russian without the line
// ("другое число полей, чем в первой строке").
struct WarningLine {
  std::int64_t first_line = 0;
  std::int64_t count = 0;
  std::string text;
};

// The warnings found, in a fixed order; long lines only when the save cuts them.
std::vector<WarningLine> DescribeWarnings(const TableWarnings& warnings, bool cut_long_lines);

}  // namespace designer
