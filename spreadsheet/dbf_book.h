// dBASE tables (.dbf) as accounting programs export them, through shapelib's DBF reader: one
// sheet named after the file, whose row 1 holds the field names and whose records follow in
// order, those marked deleted left out (and counted in the warnings).
#pragma once

#include <memory>
#include <string>

#include "common/status.h"
#include "spreadsheet/workbook.h"

namespace spreadsheet {

WorkbookOr OpenDbfFile(const std::string& path);

// The table held in memory; `name` stands for the file.
WorkbookOr OpenDbfMemory(std::string bytes, const std::string& name);

}  // namespace spreadsheet
