#include "cli/command_line.h"

#include <cctype>
#include <filesystem>

#include "cli/console.h"
#include "cli/exit_codes.h"
#include "common/codepage.h"
#include "common/same_file.h"

namespace cli {
namespace {

// The help's left column: "  -o, --output ФАЙЛ".
std::string OptionLabel(const OptionSpec& option) {
  std::string label = option.short_name != 0 ? std::string("  -") + option.short_name + ", "
                                             : std::string("      ");
  label += "--";
  label += option.name;
  if (!option.value_name.empty()) {
    label += ' ';
    label += option.value_name;
  }
  return label;
}

const OptionSpec kHelpOption = {"help", 'h', "", "показать эту справку"};
const OptionSpec kVersionOption = {"version", 0, "", "показать версию программы"};

}  // namespace

std::optional<std::string> ParsedArguments::Value(const std::string& name) const {
  const auto found = options.find(name);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

std::optional<ParsedArguments> ParseCommandLine(const CommandSpec& command,
                                                const std::vector<std::string>& args,
                                                std::ostream& out, std::ostream& err,
                                                int& exit_status) {
  ParsedArguments parsed;
  std::string error;
  bool help = false;
  bool version = false;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool is_long = arg.size() > 2 && arg.compare(0, 2, "--") == 0;
    const bool is_short = arg.size() == 2 && arg[0] == '-' && arg[1] != '-';
    if (options_ended || (!is_long && !is_short)) {
      if (arg == "--" && !options_ended) {
        options_ended = true;
      } else {
        parsed.operands.push_back(arg);
      }
      continue;
    }
    const std::size_t equals = is_long ? arg.find('=') : std::string::npos;
    const std::string name =
        is_long ? arg.substr(2, equals == std::string::npos ? equals : equals - 2) : arg.substr(1);
    const OptionSpec* spec = nullptr;
    for (const OptionSpec& candidate : command.options) {
      if (is_long ? candidate.name == name : candidate.short_name == name[0]) spec = &candidate;
    }
    if (is_long ? name == "help" : name == "h") {
      help = true;
    } else if (is_long && name == "version") {
      version = true;
    } else if (spec == nullptr) {
      if (error.empty()) error = "неизвестный параметр " + arg;
    } else if (spec->value_name.empty()) {
      if (equals != std::string::npos && error.empty())
        error = "параметр --" + name + " не принимает значения";
      parsed.options[std::string(spec->name)] = "";
    } else if (equals != std::string::npos) {
      parsed.options[std::string(spec->name)] = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      parsed.options[std::string(spec->name)] = args[++i];
    } else if (error.empty()) {
      error = "параметру " + arg + " нужно значение";
    }
  }
  if (error.empty() &&
      (parsed.operands.empty() || (command.more_operands.empty() && parsed.operands.size() != 1)))
    error = "нужен ровно один " + std::string(command.operands);
  if (!help && !version && error.empty()) return parsed;
  if (!help && !version) {
    exit_status = UsageError(command.name, error, err);
    return std::nullopt;
  }
  if (help) {
    PrintCommandHelp(command, out);
  } else {
    PrintVersion(out);
  }
  exit_status = FlushProduct(command.name, out, err) ? kExitOk : kExitUnwritable;
  return std::nullopt;
}

void PrintCommandHelp(const CommandSpec& command, std::ostream& out) {
  out << "Использование: bwick " << command.name << " " << command.operands
      << (command.more_operands.empty() ? "" : " ") << command.more_operands << " [ПАРАМЕТРЫ]\n"
      << command.description << "\n\nПараметры:\n";
  std::vector<OptionSpec> options = command.options;
  options.push_back(kHelpOption);
  options.push_back(kVersionOption);
  constexpr std::size_t kHelpColumn = 30;
  for (const OptionSpec& option : options) {
    const std::string label = OptionLabel(option);
    const std::size_t width = Characters(label);
    out << label << std::string(width < kHelpColumn ? kHelpColumn - width : 1, ' ') << option.help
        << "\n";
  }
}

void PrintVersion(std::ostream& out) { out << "bwick " << BWICK_VERSION << "\n"; }

int UsageError(std::string_view command, const std::string& text, std::ostream& err) {
  err << "bwick " << command << ": " << text << "\n"
      << "Подробнее: bwick " << command << " --help\n";
  return kExitUsage;
}

int CheckOutputFile(std::string_view command, const std::string& input, const std::string& output,
                    bool replace, std::string_view same_file, std::ostream& err) {
  if (output == "-") return kExitOk;
  if (input != "-" && SameFile(input, output))
    return UsageError(command, output + ": " + std::string(same_file), err);
  std::error_code no_file;
  if (!replace && std::filesystem::exists(std::filesystem::symlink_status(output, no_file))) {
    err << "bwick " << command << ": " << output << ": файл уже существует; --force заменяет его\n";
    return kExitRefused;
  }
  return kExitOk;
}

StatusOr<std::string> OptionToCp1251(const std::string& utf8, std::string_view option) {
  codepage::Unmappable failure;
  if (std::optional<std::string> converted = codepage::Utf8ToCp1251(utf8, &failure))
    return std::move(*converted);
  const std::string_view rest = std::string_view(utf8).substr(failure.offset);
  std::size_t length = 1;
  while (length < rest.size() && (static_cast<unsigned char>(rest[length]) & 0xC0) == 0x80)
    ++length;
  return Status::Refusal("--" + std::string(option) + ": в кодировке Windows-1251 нет символа " +
                         std::to_string(Characters(utf8.substr(0, failure.offset)) + 1) + " («" +
                         std::string(rest.substr(0, length)) + "»)");
}

StatusOr<std::string> SplitterToCp1251(const std::string& utf8) {
  if (utf8 == "tab" || utf8 == "\\t") return std::string("\t");
  StatusOr<std::string> cp1251 = OptionToCp1251(utf8, "splitter");
  if (cp1251.ok() && cp1251->size() != 1)
    return Status::Refusal("--splitter: ровно один символ, или tab");
  return cp1251;
}

StatusOr<std::optional<codepage::TextEncoding>> ReadEncodingOption(const ParsedArguments& parsed) {
  std::optional<std::string> name = parsed.Value("encoding");
  using Encoding = std::optional<codepage::TextEncoding>;
  if (!name) return Encoding();
  for (char& c : *name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (*name == "utf-8" || *name == "utf8") return Encoding(codepage::TextEncoding::kUtf8);
  if (*name == "cp1251" || *name == "windows-1251")
    return Encoding(codepage::TextEncoding::kCp1251);
  if (*name == "utf-16" || *name == "utf16") return Encoding(codepage::TextEncoding::kUtf16);
  if (*name == "auto") return Encoding();
  return Status::Refusal("--encoding: auto, cp1251, utf-8 или utf-16");
}

}  // namespace cli
