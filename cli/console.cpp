#include "cli/console.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include "common/system_reason.h"

namespace cli {
namespace {

constexpr auto kProgressInterval = std::chrono::milliseconds(100);

std::string Escaped(unsigned value, const char* format) {
  char text[8];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Writing to a reader that went away must fail as a write does, not end the program: the result
// line comes after the work is done.
class IgnoredBrokenPipe {
 public:
  IgnoredBrokenPipe() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &previous_);
  }
  ~IgnoredBrokenPipe() { sigaction(SIGPIPE, &previous_, nullptr); }

 private:
  struct sigaction previous_ {};
};

}  // namespace

std::size_t Characters(std::string_view utf8) {
  std::size_t count = 0;
  for (const char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

std::vector<std::string> TerminalLines(std::string_view utf8) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    const bool line_break =
        byte == '\n' || (byte == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n');
    if (line_break) {
      i += byte == '\r';
      lines.emplace_back();
    } else if (byte < 0x20 || byte == 0x7F) {
      lines.back() += Escaped(byte, "\\x%02X");
    } else if (byte == 0xC2 && i + 1 < utf8.size() &&
               static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
      lines.back() += Escaped(static_cast<unsigned char>(utf8[++i]), "\\u%04X");
    } else {
      lines.back() += utf8[i];
    }
  }
  while (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  return lines;
}

std::string LineMessage(std::int64_t file_line, std::string_view text) {
  return "строка " + std::to_string(file_line) + ": " + std::string(text);
}

bool FlushProduct(std::string_view command, std::ostream& out, std::ostream& err) {
  errno = 0;
  if (out.flush()) return true;
  const int error = errno;
  out.clear();
  err << "bwick" << (command.empty() ? "" : " ") << command << ": ошибка записи в стандартный вывод"
      << (error != 0 ? ": " + SystemReason(error) : std::string()) << "\n";
  return false;
}

Console::Console(std::string_view command, ConsoleOptions options, std::ostream& out,
                 std::ostream& err)
    : command_(command), options_(options), out_(out), err_(err) {
  terminal_ = &err == &std::cerr && isatty(STDERR_FILENO) == 1;
  show_progress_ = !options.quiet && (terminal_ || options.progress);
}

Console::~Console() { ClearProgress(); }

void Console::Lines(std::ostream& stream, std::string_view file, std::string_view message) {
  ClearProgress();
  const std::string prefix =
      "bwick " + command_ + ": " + (file.empty() ? "" : std::string(file) + ": ");
  for (const std::string& line : TerminalLines(message)) stream << prefix << line << "\n";
  if (&stream == &err_) stream.flush();
}

void Console::Error(std::string_view file, std::string_view message) { Lines(err_, file, message); }

void Console::Finding(std::string_view file, std::string_view message) {
  Lines(out_, file, message);
}

void Console::Note(std::string_view file, std::string_view message) {
  if (!options_.quiet) Lines(err_, file, message);
}

void Console::Progress(std::string_view text) {
  if (!show_progress_) return;
  pending_progress_ = text;
  const auto now = std::chrono::steady_clock::now();
  if (now < next_progress_) return;
  next_progress_ = now + kProgressInterval;
  if (terminal_) {
    const std::size_t width = Characters(text);
    err_ << '\r' << text << std::string(progress_width_ > width ? progress_width_ - width : 0, ' ');
    progress_width_ = width;
  } else {
    err_ << text << '\n';
  }
  err_.flush();
  pending_progress_.clear();
}

void Console::ClearProgress() {
  if (terminal_ && progress_width_ > 0) {
    err_ << '\r' << std::string(progress_width_, ' ') << '\r';
    err_.flush();
  } else if (!terminal_ && !pending_progress_.empty()) {
    err_ << pending_progress_ << '\n';  // the last state a log should keep
  }
  progress_width_ = 0;
  pending_progress_.clear();
}

bool Console::Result(std::string_view text) {
  if (options_.quiet) return true;
  ClearProgress();
  IgnoredBrokenPipe ignored;
  errno = 0;
  out_ << text;
  if (out_.flush()) return true;
  const int error = errno;
  out_.clear();
  Lines(err_, "",
        "предупреждение: результат не записан в стандартный вывод" +
            (error != 0 ? ": " + SystemReason(error) : std::string()));
  return false;
}

bool Console::FinishProduct() {
  ClearProgress();
  return FlushProduct(command_, out_, err_);
}

}  // namespace cli
