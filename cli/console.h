// What a bwick command says while it works, in one place:
// - every error line is "bwick COMMAND: FILE: message" on standard error (a message of several
//   lines gives several such lines), with control bytes of quoted data shown as "\x1A";
// - progress goes to standard error and is shown only when that is a terminal, where it stays on
//   one line (--progress shows it anywhere, one line each, at most ten a second);
// - notes (what a command decided for the user) go to standard error;
// - the result goes to standard output; when the work is done and only that line cannot be
//   written, the failure is a warning, not a failed command;
// - --quiet silences everything but the error lines.
#pragma once

#include <chrono>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "builder/convert/reporter.h"

namespace cli {

// How many characters the UTF-8 text holds: the terminal's columns, the positions in messages.
std::size_t Characters(std::string_view utf8);

// The lines of a message as a terminal shows them: a message's line breaks ("\r\n" or "\n")
// separate them, and every other control character, a C1 one included, is written out as "\x1A"
// or "\u0098" so that quoted data can neither move the cursor nor hide a byte.
std::vector<std::string> TerminalLines(std::string_view utf8);

// Flushes `out`, the product of `command` ("" for bwick itself); a failure is reported on `err`
// as an error line. Returns whether everything reached standard output.
bool FlushProduct(std::string_view command, std::ostream& out, std::ostream& err);

struct ConsoleOptions {
  bool quiet = false;
  bool progress = false;  // --progress: shown even when standard error is no terminal
};

class Console {
 public:
  // Progress is shown on a terminal only when `err` is the process's standard error.
  Console(std::string_view command, ConsoleOptions options, std::ostream& out = std::cout,
          std::ostream& err = std::cerr);
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  void Error(std::string_view file, std::string_view message);
  // A finding that is the command's product (a faulty line that check lists): the form of an
  // error line, on standard output.
  void Finding(std::string_view file, std::string_view message);
  // A line of standard error that is no error: "bwick COMMAND: FILE: message".
  void Note(std::string_view file, std::string_view message);
  void Progress(std::string_view text);
  // Writes the result lines and flushes them; returns false (after a warning on standard error)
  // when standard output did not take them.
  bool Result(std::string_view text);
  // Standard output is the command's product (a listing): flushed, a failure is an error.
  bool FinishProduct();

  std::ostream& out() { return out_; }

 private:
  void Lines(std::ostream& stream, std::string_view file, std::string_view message);
  void ClearProgress();

  std::string command_;
  ConsoleOptions options_;
  std::ostream& out_;
  std::ostream& err_;
  bool terminal_ = false;
  bool show_progress_ = false;
  std::size_t progress_width_ = 0;  // characters of the progress line on the terminal
  std::string pending_progress_;
  std::chrono::steady_clock::time_point next_progress_{};
};

// A data line's message as the console shows it: "строка 90: Запись - 3, ...", the line of the
// file first, since the record number counts data lines only.
std::string LineMessage(std::int64_t file_line, std::string_view text);

// A builder conversion's reports on the console: status texts as progress, notes naming the
// input.
class ConsoleReporter : public builder::Reporter {
 public:
  ConsoleReporter(Console& console, std::string input) : console_(console), input_(input) {}
  void StatusText(const std::string& text) override { console_.Progress(text); }
  void Warning(const std::string& text) override { console_.Note(input_, text); }

 private:
  Console& console_;
  std::string input_;
};

}  // namespace cli
