// A book's design kept across refreshes of its data. A reference book is remade whenever its data
// change; its design (the book's name, each field's name, type, flags, list positions and widths,
// the ticks) is the user's work and stays. Here the design of one document (opened from a source
// file) is applied to a new table read by the import: the fields are matched with the table's
// columns, every value of a numeric field is checked, and the result is a document with the
// design's fields and the table's data, which the source-file writer saves as any other.
//
// The matching: by name when the table's first line holds the names (its columns may then come in
// any order, and columns no field names are left out), otherwise by position, when the counts
// agree. Number sizes and longest values come from the table's data; all else from the design.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/status.h"
#include "designer/model/document.h"
#include "designer/model/document_io.h"

namespace designer {

// Reads the table `path` into a fresh `table` as `options` say: the one reading of a new table
// that a refresh takes, whatever the table's kind.
Status ReadTableDocument(const std::string& path, const ReadOptions& options, Document& table,
                         ReadResult& result);

struct RefreshOptions {
  // A numeric field with a value that is no number becomes a text field (a warning says so)
  // instead of refusing the refresh.
  bool as_text = false;
  std::function<void(std::int64_t records)> progress = nullptr;
};

// A design with new data, and what the user is shown before taking it (UTF-8).
struct RefreshedDesign {
  Document document;
  std::vector<std::string> match;     // one line per field, "field ← column"
  std::vector<std::string> warnings;  // the columns left out, the fields made text
};

// The design of `design` with the data of `table` (read by ReadTableDocument): its fields are
// matched with the table's columns (names matched without the blanks around them), and the
// document has the design's fields, ticks and list positions, each field's number size (numeric
// fields) and longest value from its column, and the table's records, samples and source (read
// through a column map unless the columns are the fields one for one, when a save copies the
// table's lines as they are). A Refusal names a field that no column of the table has, or, without
// names, tells the two counts when they differ; a numeric field's value that is no number refuses
// the refresh with its line and value, unless options.as_text.
StatusOr<RefreshedDesign> RefreshDesign(const Document& design, const Document& table,
                                        const RefreshOptions& options);

}  // namespace designer
