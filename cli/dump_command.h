// bwick dump: reads any database file we write, checks its structure and prints it as text.
#pragma once

#include <string>
#include <vector>

namespace cli {

inline constexpr const char* kDumpUsage = "bwick dump FILE";

// `args` are the words after "dump". Returns the exit status: 1 for a malformed file.
int RunDumpCommand(const std::vector<std::string>& args);

}  // namespace cli
