// bwick import: a CSV file to a source file (".fsr") without the designer's window, by the
// designer's own import and writer.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace cli {

extern const CommandSpec kImportCommand;

// `args` are the words after "import", in UTF-8; the summary goes to `out`, messages to `err`.
// Without -o the source file is the CSV's path with the extension ".fsr"; an existing one is
// refused unless --force, and it changes only when the new one is complete; "-o -" writes it to
// `out` instead of the summary. The CSV's encoding is detected unless --encoding names it; the
// summary says which it was. Returns the exit status: kExitOk, kExitUsage, kExitUnreadable (the
// CSV cannot be read) or kExitFailed (the CSV is refused or the source file cannot be written).
int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The same on standard output and standard error.
int RunImportCommand(const std::vector<std::string>& args);

}  // namespace cli
