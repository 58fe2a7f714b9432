// Excel 97–2003 workbooks (.xls), through FreeXL. The library runs only in child processes
// (xls_child.h), one to list the sheets and one per sheet read, since it reads past its own
// buffers on some damaged books; a child that dies leaves the book damaged, not this process.
// The library reads only files, and it holds a sheet's cells in memory while it is open (a sheet
// of this format has at most 65 536 rows and 256 columns), in the child. It does not say which
// sheets are hidden, nor tell a boolean from a number: such cells are given as the numbers 1 and 0.
#pragma once

#include <memory>
#include <string>

#include "common/status.h"
#include "spreadsheet/workbook.h"

namespace spreadsheet {

WorkbookOr OpenXls(const std::string& path);

}  // namespace spreadsheet
