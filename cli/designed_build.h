// bwick build NEW --design OLD.fsr: a new table made into a book with the design of a source file
// made earlier, in one step: the import with the design writes the source file (beside the book
// under a name of its own, removed afterwards, or kept with --keep-fsr where bwick import would
// put it), and the builder's conversion packs it.
#pragma once

#include "cli/command_line.h"

namespace cli {

// The options only a build with a design takes (besides --design and the import's reading
// options it shares with the phone list's).
inline constexpr OptionSpec kKeepSourceOption = {
    "keep-fsr", 0, "", "с --design: оставить исходный файл (.fsr) рядом с таблицей"};
inline constexpr OptionSpec kBookOption = {
    "output", 'o', "ФАЙЛ",
    "с --design: записать справочник в ФАЙЛ (по умолчанию рядом с таблицей)"};

// Refuses a designed build's option given without --design, naming it; ok otherwise.
Status DesignOptionsNeedDesign(const ParsedArguments& parsed);

// Runs the build of `parsed`, which has --design. Returns the exit status.
int RunDesignedBuild(const ParsedArguments& parsed);

}  // namespace cli
