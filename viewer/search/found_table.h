// The records a search found, handed on to other programs as a table: a heading row of the
// fields' names, then one row per record, in UTF-8 as `bwick find` writes its tables.
//
// - tab-separated, for the clipboard: a tab or line break inside a value becomes a blank, so
//   that every record stays one row of a spreadsheet;
// - CSV (RFC 4180: commas, a value quoted when it holds a comma, quote or line break, CR LF
//   line ends), for a file that keeps every byte of the values.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/status.h"
#include "viewer/search/book.h"

namespace viewer {

// `fields` (0-based, layout order) of the records `records` (0-based) of `book`.
struct FoundTable {
  const Book& book;
  std::vector<std::size_t> fields;
  std::span<const std::uint32_t> records;
};

std::string TabSeparated(const FoundTable& table);
std::string CommaSeparated(const FoundTable& table);

// Writes the table as CSV to `path`, which it replaces only once complete
// (common/replacement_file). An Error with the system's reason when the file cannot be written.
Status WriteCommaSeparated(const std::string& path, const FoundTable& table);

}  // namespace viewer
