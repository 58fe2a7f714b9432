// Whole-text integer conversion for number boxes and the numeric values of source files.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/status.h"

namespace designer {

// Parses `utf8_text` as a 32-bit integer: an optional sign followed by decimal digits and
// nothing else (no blanks, no other characters, within range). On failure returns an Error with
// the message "«<text>» — не целое число", which the caller prefixes with the place the text
// came from.
StatusOr<std::int32_t> ParseInt32(std::string_view utf8_text);

}  // namespace designer
