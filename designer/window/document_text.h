// Where the system's messages meet the window's message boxes.
#pragma once

#include <QString>
#include <string>

namespace designer {

// A message of the system for a box: its "\n\r" line breaks become real ones.
QString MessageText(const std::string& utf8);

}  // namespace designer
