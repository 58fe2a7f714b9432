// OpenDocument spreadsheets (.ods).
#pragma once

#include <memory>

#include "common/status.h"
#include "spreadsheet/workbook.h"
#include "spreadsheet/zip_archive.h"

namespace spreadsheet {

// Lists the sheets of `archive` (one pass over its content.xml); each sheet read is one more pass
// that ends with the sheet.
WorkbookOr OpenOds(std::unique_ptr<ZipArchive> archive);

}  // namespace spreadsheet
