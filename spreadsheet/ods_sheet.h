// One table of an OpenDocument spreadsheet's content.xml, streamed row by row. Repeated rows and
// cells are given as often as they repeat when they hold a value and skipped when empty; covered
// cells (the rest of a merged range) are given empty.
#pragma once

#include <cstddef>

#include "common/status.h"
#include "spreadsheet/row_assembler.h"
#include "spreadsheet/zip_archive.h"

namespace spreadsheet {

// Reads table `index` (from 0, in document order) of `content` into `rows`.
Status ReadOdsTable(ZipMember& content, std::size_t index, RowAssembler& rows);

}  // namespace spreadsheet
