// bwick build: the builder's conversion of one input, as the builder window runs it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "builder/convert/conversion_result.h"
#include "cli/command_line.h"
#include "cli/console.h"

namespace cli {

extern const CommandSpec kBuildCommand;

// `args` are the words after "build". Returns the exit status.
int RunBuildCommand(const std::vector<std::string>& args);

// Shows the failure of the conversion of `input` as error lines (its own message, else the
// general one) and returns the exit status.
int ShowConversionFailure(Console& console, std::string_view input,
                          const builder::ConversionResult& failure);

}  // namespace cli
