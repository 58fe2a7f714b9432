#include "cli/phone_options.h"

#include "format/phone_book_layout.h"

namespace cli {
std::optional<PhoneOptions> ReadPhoneOptions(const ParsedArguments& parsed, std::string& error) {
  PhoneOptions options;
  if (const auto name = parsed.Value("name")) {
    const auto cp1251 = OptionToCp1251(*name, "name", error);
    if (!cp1251) return std::nullopt;
    if (cp1251->size() > format::kMaxPhoneBookNameBytes) {
      error = "--name: at most " + std::to_string(format::kMaxPhoneBookNameBytes) + " characters";
      return std::nullopt;
    }
    options.name = *cp1251;
  }
  if (const auto splitter = parsed.Value("splitter")) {
    const auto cp1251 = OptionToCp1251(*splitter, "splitter", error);
    if (!cp1251) return std::nullopt;
    if (cp1251->size() != 1) {
      error = "--splitter: exactly one character";
      return std::nullopt;
    }
    options.splitter = *cp1251;
  }
  if (const auto digits = parsed.Value("digits")) {
    if (digits->size() != 1 || (*digits)[0] < '0' || (*digits)[0] > '9') {
      error = "--digits: one decimal digit, 0 to 9";
      return std::nullopt;
    }
    options.digits = *digits;
  }
  return options;
}

std::optional<PhoneCommandLine> ReadPhoneCommandLine(const std::string& command,
                                                     const std::vector<std::string>& args,
                                                     const std::vector<OptionSpec>& specs,
                                                     const std::string& usage) {
  std::string error;
  std::optional<ParsedArguments> parsed = ParseArguments(args, specs, error);
  if (parsed && parsed->positional.size() != 1) error = "exactly one INPUT expected";
  if (!parsed || !error.empty()) {
    PrintUsageError(command, error + "\nUsage: " + usage);
    return std::nullopt;
  }
  std::optional<PhoneOptions> phone = ReadPhoneOptions(*parsed, error);
  if (!phone) {
    PrintUsageError(command, error);
    return std::nullopt;
  }
  PhoneCommandLine line{std::move(*parsed), std::move(*phone)};
  return line;
}

}  // namespace cli
