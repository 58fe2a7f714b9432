// dBASE tables (.dbf) as accounting programs export them, through shapelib's DBF reader: one
// sheet named after the file, whose row 1 holds the field names and whose records follow in
// order, those marked deleted left out (and counted in the warnings).
#pragma once

#include <memory>
#include <string>

#include "common/status.h"
#include "spreadsheet/workbook.h"

namespace spreadsheet {

Status OpenDbfFile(const std::string& path, std::unique_ptr<Workbook>& book);

// The table held in memory; `name` stands for the file.
Status OpenDbfMemory(std::string bytes, const std::string& name, std::unique_ptr<Workbook>& book);

}  // namespace spreadsheet
