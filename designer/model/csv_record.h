// One CSV line taken apart: the values of a record, the cells of the first line, and the test
// that decides whether a value makes its field numeric.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "designer/model/document.h"

namespace designer {

// Values of one record, 0-based; only the first `count` passed to SplitRecord are set.
using RecordValues = std::array<std::string_view, kMaxDocumentFields>;

// `value` without the bytes 0 to 32 (blank and control characters) at either end.
std::string_view TrimValue(std::string_view value);

// Splits `line` into `count` (1..5) trimmed values. Each value but the last ends before the
// first splitter left in the line; when none is left (or the splitter is empty) that value is
// empty and the line stays as it is. The last value is the rest, surplus splitters included.
// The views point into `line`. Returns whether the line held exactly `count` cells (count - 1
// splitters).
bool SplitRecord(std::string_view line, std::string_view splitter, int count, RecordValues& values);

// Number of cells of the first line: 1 + the occurrences of the splitter (1 when it is empty).
std::size_t CountCells(std::string_view line, std::string_view splitter);

// The cells of the first line, untrimmed, as document text of a line in `encoding`, each cut to
// the 16 characters of a field name. `splitter` is the splitter as it stands in the line. When
// `unmappable` is given, it receives for each name the description of the first character of the
// 16 that Windows-1251 lacks (DescribeBadCharacter), or an empty text.
std::vector<std::string> CellNames(std::string_view line, std::string_view splitter,
                                   TextEncoding encoding = TextEncoding::kCp1251,
                                   std::vector<std::string>* unmappable = nullptr);
// The same for cells already taken apart (quoted values, spreadsheet cells).
std::vector<std::string> NamesOfCells(const std::vector<std::string_view>& cells,
                                      TextEncoding encoding,
                                      std::vector<std::string>* unmappable = nullptr);

// A value is numeric when it holds 1 to 9 characters, each one of the digits 1 to 9 (a 0
// anywhere makes it text).
bool IsNumericValue(std::string_view value);

// Bytes one numeric value takes on the handheld: 1 up to 255, 2 up to 65535, 3 up to 1677725,
// 4 above. `value` must pass IsNumericValue.
int NumberSize(std::string_view value);

}  // namespace designer
