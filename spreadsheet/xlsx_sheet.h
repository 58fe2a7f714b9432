// One worksheet of an Office Open XML workbook, streamed cell by cell into rows.
#pragma once

#include <string>

#include "common/status.h"
#include "spreadsheet/row_assembler.h"
#include "spreadsheet/xlsx_parts.h"
#include "spreadsheet/zip_archive.h"

namespace spreadsheet {

// What the cells of a sheet refer to.
struct XlsxContext {
  const SharedStrings& strings;
  const CellStyles& styles;
  bool epoch1904 = false;
};

// Reads worksheet `member` into `rows`. The member is read twice: first for its merged ranges,
// which it lists after the cells, so that a range's cells after its first are given empty.
Status ReadXlsxSheet(const ZipArchive& archive, const std::string& member,
                     const XlsxContext& context, RowAssembler& rows);

}  // namespace spreadsheet
