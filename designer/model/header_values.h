// What a value must keep to stand on a line of its own in the header of a source file: the
// database name, the field names and the splitter. The writer refuses a document that breaks
// them; the command-line import turns the first two away already on its command line.
#pragma once

#include <string>
#include <string_view>

#include "common/status.h"

namespace designer {

// A CR or LF splits the value's line into two values.
bool HasLineBreak(std::string_view value);

// Ok for a value the format carries; a Refusal naming `what` (the value's description, as in
// "Название поля 2") for a comment mark first, or a line break or control character, the first
// one found: any control character ends the value for the builder (Ctrl+Z ends the text of the
// line for the designer's reader too).
Status CheckHeaderValue(std::string_view value, const std::string& what);

// Ok for a splitter every reader takes: one byte, a tab or no control character. An empty
// splitter would be written as "''" and read back as "'".
Status CheckSplitter(std::string_view splitter);

}  // namespace designer
