// bwick find: the records of a book that a query matches, searched as the handheld searches
// (docs/search.md).
#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"

namespace cli {

extern const CommandSpec kFindCommand;

// `args` are the words after "find". Prints the matching records as `bwick dump` does (at most
// N with --limit) and their count as a note on standard error. Returns the exit status: kExitOk
// with matches, kExitNotFound with none, kExitUsage for a wrong command line or a field the book
// does not have, kExitUnreadable when the book cannot be read or is damaged, kExitUnwritable when
// standard output does not take the records.
int RunFindCommand(const std::vector<std::string>& args);

}  // namespace cli
