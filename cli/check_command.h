// bwick check: every check of the conversion over every line, listing each faulty line.
#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"

namespace cli {

extern const CommandSpec kCheckCommand;

// `args` are the words after "check". Returns the exit status: 0 when every line converts.
int RunCheckCommand(const std::vector<std::string>& args);

}  // namespace cli
