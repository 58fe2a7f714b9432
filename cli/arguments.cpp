#include "cli/arguments.h"

#include <cctype>
#include <iostream>

#include "common/codepage.h"

namespace cli {

std::optional<std::string> ParsedArguments::Value(const std::string& name) const {
  const auto found = options.find(name);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

std::optional<ParsedArguments> ParseArguments(const std::vector<std::string>& args,
                                              const std::vector<OptionSpec>& specs,
                                              std::string& error) {
  ParsedArguments parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      if (arg == "--") {
        options_ended = true;
      } else {
        parsed.positional.push_back(arg);
      }
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(2, equals == std::string::npos ? equals : equals - 2);
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& candidate : specs) {
      if (candidate.name == name) spec = &candidate;
    }
    if (spec == nullptr) {
      error = "unknown option --" + name;
      return std::nullopt;
    }
    if (!spec->takes_value) {
      if (equals != std::string::npos) {
        error = "option --" + name + " takes no value";
        return std::nullopt;
      }
      parsed.options[name] = "";
    } else if (equals != std::string::npos) {
      parsed.options[name] = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      parsed.options[name] = args[++i];
    } else {
      error = "option --" + name + " needs a value";
      return std::nullopt;
    }
  }
  return parsed;
}

std::optional<std::string> OptionToCp1251(const std::string& utf8, const std::string& option,
                                          std::string& error) {
  codepage::Unmappable failure;
  std::optional<std::string> cp1251 = codepage::Utf8ToCp1251(utf8, &failure);
  if (!cp1251) {
    error = "--" + option + ": the character at byte " + std::to_string(failure.offset) +
            " has no Windows-1251 code";
  }
  return cp1251;
}

std::vector<std::string> LongOutputOption(const std::vector<std::string>& args) {
  std::vector<std::string> result;
  bool options_ended = false;
  for (const std::string& arg : args) {
    if (arg == "--") options_ended = true;
    result.push_back(!options_ended && arg == "-o" ? "--output" : arg);
  }
  return result;
}

std::optional<designer::TextEncoding> EncodingNamed(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (name == "utf-8") return designer::TextEncoding::kUtf8;
  if (name == "cp1251") return designer::TextEncoding::kCp1251;
  return std::nullopt;
}

void PrintUsageError(const std::string& command, const std::string& text) {
  std::cerr << "bwick " << command << ": " << text << "\n"
            << "Try 'bwick --help' for more information.\n";
}

}  // namespace cli
