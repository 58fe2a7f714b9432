// The part of the .xls reader that runs FreeXL, in a child process (child_process.h): the library
// reads past its own buffers on some damaged books, so it never runs in the reader's process.
// The child sends what it read as records, each a byte of XlsRecord and its fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "spreadsheet/child_process.h"

namespace spreadsheet {

enum XlsRecord : std::uint8_t {
  kXlsSheet = 'N',    // a sheet's name (text)
  kXlsRow = 'R',      // a row begins (its number from 1)
  kXlsCell = 'C',     // a cell of that row that holds a text (its column from 1, the text)
  kXlsRowEnd = 'E',   // the row ends
  kXlsFailure = 'F',  // the book cannot be read (the part, the reason); nothing follows
  kXlsDone = 'D',     // all was sent; nothing follows
};

// The names of the book's sheets, in order.
bool SendSheetNames(const std::string& path, ChildOutput& out);

// The rows of sheet `index` called `name` (for messages), every one of them in order.
bool SendSheet(const std::string& path, std::size_t index, const std::string& name,
               ChildOutput& out);

}  // namespace spreadsheet
