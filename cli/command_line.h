// The command-line conventions every subcommand of bwick keeps, in one place:
// - options "--name VALUE" or "--name=VALUE", short ones "-o VALUE"; "--" ends the options, and
//   "-" alone is an operand: standard input or output, where a command takes it;
// - "-h" or "--help" anywhere prints the subcommand's help, "--version" the version, and nothing
//   else happens;
// - a wrong command line is refused on standard error as "bwick COMMAND: what is wrong" with a
//   hint at the help, exit status 2 (exit_codes.h);
// - help, usage and messages are Russian; option names stay as they are. Texts on the command
//   line and the terminal are UTF-8.
// What a command says while it works goes through cli/console.h.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "common/text_encoding.h"

namespace cli {

struct OptionSpec {
  std::string_view name;        // the long name, without "--"
  char short_name = 0;          // 0: none
  std::string_view value_name;  // shown in the help; empty for an option without a value
  std::string_view help;        // one line
};

// Options several subcommands share.
inline constexpr OptionSpec kEncodingOption = {
    "encoding", 0, "КОДИРОВКА",
    "auto, cp1251, utf-8 или utf-16; auto (по умолчанию): определяется по содержимому"};
inline constexpr OptionSpec kForceOption = {"force", 0, "", "заменить существующий файл"};
inline constexpr OptionSpec kQuietOption = {"quiet", 0, "", "выводить только сообщения об ошибках"};
inline constexpr OptionSpec kProgressOption = {
    "progress", 0, "", "показывать ход работы, даже когда stderr не терминал"};

struct CommandSpec {
  std::string_view name;         // "build"
  std::string_view operands;     // "ВХОД"
  std::string_view summary;      // one line for "bwick --help"
  std::string_view description;  // what "bwick COMMAND --help" says before the options
  std::vector<OptionSpec> options;
  // What may follow the one operand, for the help ("[ПОЛЕ=ТЕКСТ]..."); empty: nothing.
  std::string_view more_operands = {};
};

struct ParsedArguments {
  std::vector<std::string> operands;
  std::map<std::string, std::string> options;  // by long name; options without a value map to ""

  bool Has(const std::string& name) const { return options.count(name) != 0; }
  std::optional<std::string> Value(const std::string& name) const;
};

// Reads `args`, the words after the subcommand's name; every command takes one operand, and
// more only where it says so.
// Returns them read, or nullopt when the command is done: help or version printed on `out`
// (exit_status 0, or 4 when `out` failed), or the command line refused on `err` (exit_status 2).
std::optional<ParsedArguments> ParseCommandLine(const CommandSpec& command,
                                                const std::vector<std::string>& args,
                                                std::ostream& out, std::ostream& err,
                                                int& exit_status);

void PrintCommandHelp(const CommandSpec& command, std::ostream& out);
void PrintVersion(std::ostream& out);

// Refuses a command line: "bwick COMMAND: text" and the hint at the help on `err`. Returns the
// exit status of a wrong command line.
int UsageError(std::string_view command, const std::string& text, std::ostream& err);

// Whether a command may write `output` ("-": standard output, always) from `input`. Returns
// kExitOk, or the exit status after an error line on `err`: kExitUsage when the output is the
// input itself (another spelling, a symbolic or a hard link), `--force` or not, saying
// `same_file`; kExitRefused when it exists and `replace` (--force) was not given.
int CheckOutputFile(std::string_view command, const std::string& input, const std::string& output,
                    bool replace, std::string_view same_file, std::ostream& err);

// The Windows-1251 bytes of the UTF-8 value of `--option`. A character that has no code there is
// refused, naming the character and its place among the characters.
StatusOr<std::string> OptionToCp1251(const std::string& utf8, std::string_view option);

// A --splitter value into its one Windows-1251 byte: one character, or "tab" or "\t" (a
// backslash and t, as a shell passes it) for the Tab that a shell makes hard to type.
StatusOr<std::string> SplitterToCp1251(const std::string& utf8);

// The --encoding value, nullopt when absent or "auto"; refused when it names no encoding we read.
StatusOr<std::optional<codepage::TextEncoding>> ReadEncodingOption(const ParsedArguments& parsed);

}  // namespace cli
