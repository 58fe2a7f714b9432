#include "cli/console_reporter.h"

#include <iostream>

namespace cli {

std::string TerminalLines(const std::string& text) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      lines.push_back(text[i]);
    } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
      lines.push_back('\n');
    }
  }
  while (!lines.empty() && lines.back() == '\n') lines.pop_back();
  return lines;
}

void ConsoleReporter::StatusText(const std::string& text) { std::cout << text << std::endl; }

void ConsoleReporter::ErrorMessage(const std::string& caption, const std::string& text) {
  std::cerr << caption << ": " << TerminalLines(text) << std::endl;
}

}  // namespace cli
