#include "spreadsheet/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "common/system_reason.h"

namespace spreadsheet {
namespace {

constexpr std::size_t kFlushAt = 65536;

// The child keeps only its end of the pipe and the standard streams, so no other pipe of the
// parent waits on it for its end, and it dies of a signal as the system would have it: the
// parent's handlers (removing its temporary files, a fuzzer's crash report) are not its to run,
// while a signal the parent ignores stays ignored. An exception must not unwind into the
// parent's code either, and _exit runs none of the parent's exit work (static destructors).
[[noreturn]] void RunChild(int fd, const std::function<bool(ChildOutput&)>& work) {
  if (fd > 3) close_range(3, static_cast<unsigned>(fd) - 1, 0);
  close_range(static_cast<unsigned>(fd) + 1, ~0u, 0);
  for (int signal :
       {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) {
    struct sigaction action;
    if (sigaction(signal, nullptr, &action) == 0 && action.sa_handler != SIG_IGN)
      std::signal(signal, SIG_DFL);
  }
  bool done = false;
  try {
    ChildOutput output(fd);
    done = work(output) && output.Flush();
  } catch (...) {
  }
  _exit(done ? 0 : 1);
}

}  // namespace

void ChildOutput::Put(const void* data, std::size_t size) {
  buffer_.append(static_cast<const char*>(data), size);
  if (buffer_.size() >= kFlushAt) Flush();
}

void ChildOutput::Byte(std::uint8_t value) { Put(&value, 1); }

void ChildOutput::Number(std::uint32_t value) {
  const std::uint8_t bytes[] = {
      static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
      static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  Put(bytes, sizeof bytes);
}

void ChildOutput::Text(std::string_view text) {
  Number(static_cast<std::uint32_t>(text.size()));
  Put(text.data(), text.size());
}

bool ChildOutput::Flush() {
  for (std::size_t written = 0; written < buffer_.size() && !failed_;) {
    const ssize_t put = write(fd_, buffer_.data() + written, buffer_.size() - written);
    if (put < 0 && errno == EINTR) continue;
    failed_ = put <= 0;
    written += failed_ ? 0 : static_cast<std::size_t>(put);
  }
  buffer_.clear();
  return !failed_;
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) kill(pid_, SIGKILL);
  Finish();
}

Status ChildProcess::Start(const std::function<bool(ChildOutput&)>& work) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return SystemFailure(errno);
  pid_ = fork();
  if (pid_ == 0) RunChild(ends[1], work);
  const int error = errno;
  close(ends[1]);
  if (pid_ < 0) {
    close(ends[0]);
    return SystemFailure(error);
  }
  fd_ = ends[0];
  return Status::Ok();
}

bool ChildProcess::AwaitData() {
  pollfd wanted{fd_, POLLIN, 0};
  int ready;
  while ((ready = poll(&wanted, 1, silence_limit_ms_)) < 0 && errno == EINTR) {
  }
  if (ready != 0) return true;  // data, the end, or an error that the read reports
  hung_ = true;
  if (pid_ > 0) kill(pid_, SIGKILL);
  return false;
}

bool ChildProcess::Read(void* data, std::size_t size) {
  auto* out = static_cast<char*>(data);
  while (size > 0) {
    if (begin_ == end_) {
      if (fd_ < 0 || !AwaitData()) return false;
      const ssize_t got = read(fd_, buffer_.data(), buffer_.size());
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      begin_ = 0;
      end_ = static_cast<std::size_t>(got);
    }
    const std::size_t take = std::min(size, end_ - begin_);
    std::memcpy(out, buffer_.data() + begin_, take);
    begin_ += take;
    out += take;
    size -= take;
  }
  return true;
}

bool ChildProcess::Byte(std::uint8_t& value) { return Read(&value, 1); }

bool ChildProcess::Number(std::uint32_t& value) {
  std::uint8_t bytes[4];
  if (!Read(bytes, sizeof bytes)) return false;
  value = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  return true;
}

bool ChildProcess::Bytes(std::string& text, std::size_t size) {
  text.resize(size);
  return Read(text.data(), size);
}

bool ChildProcess::Text(std::string& text, std::size_t limit) {
  std::uint32_t size = 0;
  return Number(size) && size <= limit && Bytes(text, size);
}

bool ChildProcess::Finish() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (pid_ <= 0) return false;
  int status = 0;
  pid_t ended;
  while ((ended = waitpid(pid_, &status, 0)) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  return ended > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace spreadsheet
