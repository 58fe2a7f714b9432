// shapelib's DBF reader opened with hooks of our own: files read quietly (our messages say what
// failed, the library's own would go to standard error), and tables held in memory.
#pragma once

#include <shapefil.h>

#include <string>

namespace spreadsheet {

// Opens the table file at `path`; null when it cannot be opened or shapelib refuses it.
DBFHandle OpenDbfQuietly(const std::string& path);

// Opens the table `bytes` (which must outlive the handle) through memory hooks; null when
// shapelib refuses it.
DBFHandle OpenDbfInMemory(const std::string& bytes);

}  // namespace spreadsheet
