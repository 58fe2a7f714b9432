// The parts of an Office Open XML workbook that a sheet's cells refer to: the relationships that
// lead from part to part, the list of sheets, the shared strings and the cells' number formats.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "spreadsheet/cell_text.h"
#include "spreadsheet/zip_archive.h"

namespace spreadsheet {

struct Relationship {
  std::string id;
  std::string type;    // the last word of the type's address: "worksheet", "sharedStrings" …
  std::string target;  // the member's name in the archive
};

// The relationships of `part` (from its ".rels" member beside it); none when it has no such
// member. Targets are resolved against the folder of `part` ("" for the package itself).
StatusOr<std::vector<Relationship>> ReadRelationships(const ZipArchive& archive,
                                                      const std::string& part);

struct XlsxSheetEntry {
  std::string name;
  bool hidden = false;
  std::string relationship;  // id of the relationship that leads to its member
};

struct XlsxBookPart {
  std::vector<XlsxSheetEntry> sheets;
  bool epoch1904 = false;
};

StatusOr<XlsxBookPart> ReadBookPart(const ZipArchive& archive, const std::string& member);

// The shared strings, held once: all texts one after the other, and where each ends.
class SharedStrings {
 public:
  std::size_t size() const { return ends_.size(); }
  std::string_view at(std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
  }
  void Append(std::string_view text) {
    text_ += text;
    ends_.push_back(text_.size());
  }

 private:
  std::string text_;
  std::vector<std::size_t> ends_;
};

StatusOr<SharedStrings> ReadSharedStrings(const ZipArchive& archive, const std::string& member);

// For every cell format of the workbook (a cell's "s" number), how it shows a number.
using CellStyles = std::vector<std::optional<DateStyle>>;

StatusOr<CellStyles> ReadCellStyles(const ZipArchive& archive, const std::string& member);

}  // namespace spreadsheet
