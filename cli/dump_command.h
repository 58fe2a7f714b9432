// bwick dump: reads any database file we write, checks its structure and prints it as text.
#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"

namespace cli {

extern const CommandSpec kDumpCommand;

// `args` are the words after "dump". Returns the exit status (exit_codes.h): 3 for a malformed
// file, 4 when the listing cannot be written.
int RunDumpCommand(const std::vector<std::string>& args);

}  // namespace cli
