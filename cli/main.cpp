// bwick: the command-line tool. Each subcommand lives in its own file; this table is the whole
// dispatch.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/build_command.h"
#include "cli/check_command.h"
#include "cli/dump_command.h"
#include "cli/exit_codes.h"
#include "cli/export_command.h"
#include "cli/import_command.h"
#include "common/signal_cleanup.h"

namespace {

struct Subcommand {
  std::string_view name;
  std::string_view usage;
  std::string_view summary;
  int (*run)(const std::vector<std::string>& args);
};

constexpr Subcommand kSubcommands[] = {
    {"build", cli::kBuildUsage, "convert a source file or phone list and pack it",
     cli::RunBuildCommand},
    {"check", cli::kCheckUsage, "list every faulty line of a source file or phone list",
     cli::RunCheckCommand},
    {"dump", cli::kDumpUsage, "print a database file we write (.db, .fdb, .zdb)",
     cli::RunDumpCommand},
    {"export", cli::kExportUsage,
     "write a book (.fdb, .zdb, .db) back to a source file (.fsr) or a CSV file",
     cli::RunExportCommand},
    {"import", cli::kImportUsage, "make a source file (.fsr) from a CSV file",
     cli::RunImportCommand},
};

void PrintHelp() {
  std::cout << "Usage: bwick COMMAND [ARGS...]\n"
               "Prepares reference-book databases for the handheld viewer.\n\nCommands:\n";
  for (const Subcommand& command : kSubcommands) {
    std::cout << "  " << command.usage << "\n      " << command.summary << "\n";
  }
  std::cout << "\nTexts on the command line and on the terminal are UTF-8; file contents are\n"
               "Windows-1251. Exit status: 0 success, 1 bad data or failure, 2 wrong usage,\n"
               "3 unreadable input.\n";
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::cerr << "bwick: missing command\nTry 'bwick --help' for more information.\n";
    return cli::kExitUsage;
  }
  if (args[0] == "--help" || args[0] == "-h") {
    PrintHelp();
    return cli::kExitOk;
  }
  if (args[0] == "--version") {
    std::cout << "bwick " << BWICK_VERSION << "\n";
    return cli::kExitOk;
  }
  for (const Subcommand& command : kSubcommands) {
    if (args[0] == command.name) {
      if (args.size() > 1 && args[1] == "--help") {
        std::cout << "Usage: " << command.usage << "\n" << command.summary << "\n";
        return cli::kExitOk;
      }
      return command.run(std::vector<std::string>(args.begin() + 1, args.end()));
    }
  }
  std::cerr << "bwick: unknown command '" << args[0]
            << "'\nTry 'bwick --help' for more information.\n";
  return cli::kExitUsage;
}

// Output that never reached its file (a full disk, say) turns a success into a failure: a
// dump or a list of faulty lines that is not all there must not look complete.
int CheckStandardOutput(int status) {
  if (std::cout.flush()) return status;
  std::cerr << "bwick: write error on standard output\n";
  return status == cli::kExitOk ? cli::kExitFailed : status;
}

}  // namespace

int main(int argc, char** argv) {
  RemoveTemporaryFilesOnSignals();
  return CheckStandardOutput(Run(std::vector<std::string>(argv + 1, argv + argc)));
}
