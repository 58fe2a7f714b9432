// Helpers of the spreadsheet readers' fuzz targets: archives made in memory from the input's
// parts, so the fuzzer works on the XML inside instead of breaking checksums, and a sink that
// checks what every reader promises of its rows.
#pragma once

#include <zip.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "spreadsheet/row_assembler.h"
#include "spreadsheet/workbook.h"

namespace fuzz {

// A zip archive of `members` (name, content), stored unpacked.
inline std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& members) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_source_keep(buffer);
  zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  if (zip == nullptr) std::abort();
  for (const auto& [name, content] : members) {
    const zip_int64_t index = zip_file_add(
        zip, name.c_str(), zip_source_buffer(zip, content.data(), content.size(), 0), 0);
    zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  if (zip_close(zip) != 0 || zip_source_open(buffer) != 0) std::abort();
  std::string bytes;
  char chunk[4096];
  for (zip_int64_t got; (got = zip_source_read(buffer, chunk, sizeof chunk)) > 0;)
    bytes.append(chunk, static_cast<std::size_t>(got));
  zip_source_close(buffer);
  zip_source_free(buffer);
  zip_error_fini(&error);
  return bytes;
}

// The input cut at NUL bytes into at most `count` parts (the last takes the rest).
inline std::vector<std::string> Parts(std::string_view input, std::size_t count) {
  std::vector<std::string> parts;
  while (parts.size() + 1 < count) {
    const std::size_t nul = input.find('\0');
    if (nul == std::string_view::npos) break;
    parts.emplace_back(input.substr(0, nul));
    input.remove_prefix(nul + 1);
  }
  parts.emplace_back(input);
  parts.resize(count);
  return parts;
}

// Aborts on rows out of order, past the limits, or with a trailing empty cell.
struct CheckingSink : spreadsheet::RowSink {
  bool Row(std::uint32_t row, const std::vector<std::string>& cells) override {
    if (row <= last || row > spreadsheet::kMaxRows || cells.size() > spreadsheet::kMaxColumns)
      std::abort();
    if (!cells.empty() && cells.back().empty()) std::abort();
    last = row;
    return true;
  }
  std::uint32_t last = 0;
};

// Reads every sheet of the opened book; a failure must say why.
inline void ReadEverySheet(const spreadsheet::WorkbookOr& opened) {
  if (!opened.ok()) {
    if (opened.status().message().empty()) std::abort();
    return;
  }
  spreadsheet::Workbook* book = opened.value().get();
  for (std::size_t i = 0; i < book->sheets().size(); ++i) {
    CheckingSink sink;
    spreadsheet::SheetWarnings warnings;
    const Status status = book->ReadSheet(i, sink, warnings);
    if (!status.ok() && status.message().empty()) std::abort();
    if (warnings.error_cells > 0 && warnings.first_error_cell.empty()) std::abort();
  }
}

}  // namespace fuzz
