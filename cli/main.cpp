// bwick: the command-line tool. Each subcommand lives in its own file; this table is the whole
// dispatch. The conventions all of them keep are in command_line.h and console.h.
#include <iostream>
#include <string>
#include <vector>

#include "cli/build_command.h"
#include "cli/check_command.h"
#include "cli/command_line.h"
#include "cli/console.h"
#include "cli/dump_command.h"
#include "cli/exit_codes.h"
#include "cli/export_command.h"
#include "cli/find_command.h"
#include "cli/import_command.h"
#include "common/signal_cleanup.h"

namespace {

struct Subcommand {
  const cli::CommandSpec& spec;
  int (*run)(const std::vector<std::string>& args);
};

const Subcommand kSubcommands[] = {
    {cli::kImportCommand, cli::RunImportCommand}, {cli::kBuildCommand, cli::RunBuildCommand},
    {cli::kCheckCommand, cli::RunCheckCommand},   {cli::kDumpCommand, cli::RunDumpCommand},
    {cli::kExportCommand, cli::RunExportCommand}, {cli::kFindCommand, cli::RunFindCommand},
};

int PrintHelp() {
  std::cout << "Использование: bwick КОМАНДА [ПАРАМЕТРЫ]\n"
               "Готовит справочники для табличного просмотрщика на КПК.\n\nКоманды:\n";
  for (const Subcommand& command : kSubcommands) {
    std::cout << "  bwick " << command.spec.name << " " << command.spec.operands
              << (command.spec.more_operands.empty() ? "" : " ") << command.spec.more_operands
              << "\n      " << command.spec.summary << "\n";
  }
  std::cout << "\nПодробнее о команде: bwick КОМАНДА --help.\n"
               "Текст командной строки и терминала - UTF-8.\n"
            << cli::kExitStatusHelp;
  return cli::FlushProduct("", std::cout, std::cerr) ? cli::kExitOk : cli::kExitUnwritable;
}

int Run(const std::vector<std::string>& args) {
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    if (!args.empty()) return PrintHelp();
    std::cerr << "bwick: не указана команда\nПодробнее: bwick --help\n";
    return cli::kExitUsage;
  }
  if (args[0] == "--version") {
    cli::PrintVersion(std::cout);
    return cli::FlushProduct("", std::cout, std::cerr) ? cli::kExitOk : cli::kExitUnwritable;
  }
  for (const Subcommand& command : kSubcommands) {
    if (args[0] == command.spec.name)
      return command.run(std::vector<std::string>(args.begin() + 1, args.end()));
  }
  std::cerr << "bwick: неизвестная команда " << args[0] << "\nПодробнее: bwick --help\n";
  return cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  RemoveTemporaryFilesOnSignals();
  return Run(std::vector<std::string>(argv + 1, argv + argc));
}
