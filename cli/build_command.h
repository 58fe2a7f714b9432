// bwick build: the builder's conversion of one input, as the builder window runs it.
#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"
#include "common/status.h"

namespace cli {

extern const CommandSpec kBuildCommand;

// `args` are the words after "build". Returns the exit status.
int RunBuildCommand(const std::vector<std::string>& args);

// The exit status of a conversion that ended with `status`.
int ConversionExitStatus(const Status& status);

}  // namespace cli
