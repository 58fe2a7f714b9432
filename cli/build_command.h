// bwick build: the builder's conversion of one input, as the builder window runs it.
#pragma once

#include <string>
#include <vector>

namespace cli {

inline constexpr const char* kBuildUsage =
    "bwick build INPUT [--name NAME] [--splitter C] [--digits N] [--keep-db [--force]]";

// `args` are the words after "build". Returns the exit status.
int RunBuildCommand(const std::vector<std::string>& args);

}  // namespace cli
