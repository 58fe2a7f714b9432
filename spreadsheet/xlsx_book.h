// Office Open XML workbooks (.xlsx).
#pragma once

#include <memory>

#include "common/status.h"
#include "spreadsheet/workbook.h"
#include "spreadsheet/zip_archive.h"

namespace spreadsheet {

// Finds the workbook's sheets in `archive`; the shared strings and cell formats are read with
// the first sheet and kept for the others.
WorkbookOr OpenXlsx(std::unique_ptr<ZipArchive> archive);

}  // namespace spreadsheet
