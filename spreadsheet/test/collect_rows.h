// For tests: a sheet's rows read into memory.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "spreadsheet/workbook.h"

namespace spreadsheet::testing {

using Rows = std::vector<std::pair<std::uint32_t, std::vector<std::string>>>;

// Keeps every row, or the first `limit` and then stops the reading.
struct CollectRows : RowSink {
  explicit CollectRows(std::size_t limit = SIZE_MAX) : limit(limit) {}
  bool Row(std::uint32_t row, const std::vector<std::string>& cells) override {
    rows.emplace_back(row, cells);
    return rows.size() < limit;
  }
  std::size_t limit;
  Rows rows;
};

}  // namespace spreadsheet::testing
