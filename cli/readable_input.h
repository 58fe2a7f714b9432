// The first check of every command's input: can it be read at all?
#pragma once

#include <string>

#include "common/status.h"

namespace cli {

// Ok when the file at `path` can be opened for reading; otherwise no input, with the system's
// reason (missing, no permission, a folder). Nothing is read from it, so a pipe keeps every byte
// for the command.
Status CheckReadable(const std::string& path);

}  // namespace cli
