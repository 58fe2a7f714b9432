// What a conversion says while it runs: the window, the command-line tool and the tests each
// implement this. A failure is not reported here but returned (conversion_result.h), for the
// caller to show once. All texts are UTF-8.
#pragma once

#include <string>

namespace builder {

class Reporter {
 public:
  virtual ~Reporter() = default;
  // Replaces the status text and shows it at once (a conversion runs without an event loop).
  virtual void StatusText(const std::string& text) = 0;
  // What the user should know of a conversion that succeeded (a source file with fewer data
  // lines than its header declares). The window's texts are fixed; a console shows it.
  virtual void Warning(const std::string& /*text*/) {}
};

// For a conversion whose progress nobody watches: a test's, a fuzz target's.
class SilentReporter : public Reporter {
 public:
  void StatusText(const std::string&) override {}
};

}  // namespace builder
