// A small GNU-style option reader shared by the subcommands: "--name VALUE", "--name=VALUE",
// flags without a value, "--" ending the options, everything else positional.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "designer/model/document.h"

namespace cli {

struct OptionSpec {
  std::string name;  // without the leading "--"
  bool takes_value = false;
};

struct ParsedArguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // flags map to ""

  bool Has(const std::string& name) const { return options.count(name) != 0; }
  std::optional<std::string> Value(const std::string& name) const;
};

// Reads `args` against `specs`. On an unknown option or a missing value, returns nullopt and
// sets `error` to a one-line explanation.
std::optional<ParsedArguments> ParseArguments(const std::vector<std::string>& args,
                                              const std::vector<OptionSpec>& specs,
                                              std::string& error);

// The Windows-1251 bytes of the UTF-8 value of option `--option`. A character that has no code
// there gives nullopt and sets `error`.
std::optional<std::string> OptionToCp1251(const std::string& utf8, const std::string& option,
                                          std::string& error);

// "-o OUT" is the one short option; the shared reader knows long ones only, so it becomes
// "--output OUT".
std::vector<std::string> LongOutputOption(const std::vector<std::string>& args);

// The encoding an --encoding value names ("utf-8" or "cp1251", in any letter case).
std::optional<designer::TextEncoding> EncodingNamed(std::string name);

// Prints "bwick <command>: <text>" and a hint to standard error.
void PrintUsageError(const std::string& command, const std::string& text);

}  // namespace cli
