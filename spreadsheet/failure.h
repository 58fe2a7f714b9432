// The reader's failures in one wording: the file, the part of it that failed (an archive member,
// a sheet, a cell), and the reason, in Russian.
#pragma once

#include <string>

#include "common/status.h"

namespace spreadsheet {

// "Не удалось прочитать файл «FILE»: PART: REASON".
Status Damaged(const std::string& file, const std::string& part, const std::string& reason);

// Ok when the file at `path` can be opened for reading, else "Не удалось открыть файл «FILE»:
// REASON" with the system's reason: the libraries behind the readers do not tell a missing file
// from a damaged one.
Status CheckReadable(const std::string& path, const std::string& file);

// The file's name without its folder, as messages name it.
std::string FileLabel(const std::string& path);

}  // namespace spreadsheet
