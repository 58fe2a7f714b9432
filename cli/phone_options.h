// The phone-list options shared by build and check: name, splitter and digits, given in UTF-8
// on the command line and turned into the Windows-1251 values of the builder window's fields.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"

namespace cli {

struct PhoneOptions {
  std::string name;      // Windows-1251, at most 22 bytes
  std::string splitter;  // Windows-1251, empty or one byte
  std::string digits;    // empty or one decimal digit
};

// Reads --name, --splitter and --digits. On a value the builder cannot take, returns nullopt
// and sets `error`.
std::optional<PhoneOptions> ReadPhoneOptions(const ParsedArguments& parsed, std::string& error);

// A command line of one INPUT (positional[0]) and the phone-list options.
struct PhoneCommandLine {
  ParsedArguments parsed;
  PhoneOptions phone;
  const std::string& input() const { return parsed.positional[0]; }
};

// Reads the `args` of `command` against `specs`. On a command line it cannot take, prints why
// (with `usage` when the shape is wrong) to standard error and returns nullopt.
std::optional<PhoneCommandLine> ReadPhoneCommandLine(const std::string& command,
                                                     const std::vector<std::string>& args,
                                                     const std::vector<OptionSpec>& specs,
                                                     const std::string& usage);

}  // namespace cli
