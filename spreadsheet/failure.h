// The reader's failures in one wording: the file, the part of it that failed (an archive member,
// a sheet, a cell), and the reason, in Russian.
#pragma once

#include <string>

#include "common/status.h"

namespace spreadsheet {

// "Не удалось прочитать файл «FILE»: PART: REASON".
Status Damaged(const std::string& file, const std::string& part, const std::string& reason);

// "Не удалось открыть файл «FILE»: REASON", the reason being the system's for `error_number`.
Status CannotOpen(const std::string& file, int error_number);

// The file's name without its folder, as messages name it.
std::string FileLabel(const std::string& path);

}  // namespace spreadsheet
