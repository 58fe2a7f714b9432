// bwick export: a book we write (".fdb", ".zdb" or ".db", packed or not) back to a source file
// the builder makes the same database from, or to a CSV file for a spreadsheet.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace cli {

extern const CommandSpec kExportCommand;

// `args` are the words after "export", in UTF-8. OUT's extension says what is written: ".fsr" a
// source file, ".csv" (the default: BOOK's name with ".csv") a CSV file whose first line holds
// the field names. The splitter is the given one, or the first of ";", ",", tab and "|" that
// occurs in no name and no value. An existing OUT is refused unless --force, and it changes only
// when the new file is complete. The summary goes to `out`, messages to `err`. Returns the exit
// status: kExitOk, kExitUsage, kExitUnreadable (BOOK cannot be read) or kExitFailed (BOOK is
// damaged, or holds what OUT cannot carry, or OUT cannot be written).
int RunExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The same on standard output and standard error.
int RunExportCommand(const std::vector<std::string>& args);

}  // namespace cli
