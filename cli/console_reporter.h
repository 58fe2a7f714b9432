// The builder's reports on a terminal: status texts on standard output, one per line; the texts
// a window shows in message boxes on standard error, with their line breaks made real.
#pragma once

#include <string>

#include "builder/convert/reporter.h"

namespace cli {

class ConsoleReporter : public builder::Reporter {
 public:
  void StatusText(const std::string& text) override;
  void ErrorMessage(const std::string& caption, const std::string& text) override;
};

// "\r\n" (and a lone "\r") become "\n", so terminal lines do not carry carriage returns.
std::string TerminalLines(const std::string& text);

}  // namespace cli
