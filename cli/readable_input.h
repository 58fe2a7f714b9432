// The first check of every command's input: can it be read at all?
#pragma once

#include <string>

namespace cli {

// The system's reason why the file at `path` cannot be read (missing, no permission, a folder),
// or an empty string when it can be opened for reading. Nothing is read from it, so a pipe keeps
// every byte for the command.
std::string WhyUnreadable(const std::string& path);

}  // namespace cli
