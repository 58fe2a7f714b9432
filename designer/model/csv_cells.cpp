#include "designer/model/csv_cells.h"

#include <algorithm>

#include "designer/model/csv_scan.h"
#include "designer/model/csv_table.h"

namespace designer {

CsvCellReader::CsvCellReader(const Document& doc, int columns)
    : doc_(doc),
      columns_(std::clamp(columns, 1, kMaxDocumentFields)),
      splitter_(InputSplitter(doc.SourceSplitter, doc.SourceEncoding)) {}

Status CsvCellReader::Open() {
  Status status =
      OpenCsvText(doc_.SourceFileName, doc_.SourceEncoding, doc_.SourceSkipLines, lines_);
  if (!status.ok()) return status;
  line_number_ = doc_.SourceSkipLines;
  if (doc_.SourceQuoted) {
    quoted_.emplace(lines_, splitter_, doc_.SourceSkipLines + 1);
    if (doc_.FirstLineHasNames) quoted_->Skip();
  } else if (doc_.FirstLineHasNames && lines_.SkipLine()) {
    ++line_number_;
  }
  return lines_.status();
}

bool CsvCellReader::Next(std::vector<std::string_view>& cells) {
  if (quoted_) return quoted_->Next(cells);
  cells.clear();
  if (!lines_.ReadLine(line_)) return false;
  ++line_number_;
  if (line_.empty()) return true;
  SplitRecord(line_, splitter_, columns_, values_);
  cells.assign(values_.begin(), values_.begin() + columns_);
  return true;
}

std::int64_t CsvCellReader::line() const { return quoted_ ? quoted_->line() : line_number_; }

bool CsvCellReader::may_hold_controls() const {
  return quoted_ ? quoted_->may_hold_controls() : true;
}

}  // namespace designer
