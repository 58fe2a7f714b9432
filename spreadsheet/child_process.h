// Work on untrusted input that may crash or corrupt memory, run in a forked child process: the
// child hands its results to the parent over a pipe in a length-prefixed form, so a fault in a
// library ends the child only, and the parent tells a child that died from one that finished.
// POSIX only; the child never returns into the caller's code.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

namespace spreadsheet {

// The child's end of the pipe, buffered. Numbers go as 4 bytes, least significant first; a text
// as its length and then its bytes.
class ChildOutput {
 public:
  explicit ChildOutput(int fd) : fd_(fd) {}
  void Byte(std::uint8_t value);
  void Number(std::uint32_t value);
  void Text(std::string_view text);
  // False when a write failed (the parent has gone), then or before.
  bool Flush();

 private:
  void Put(const void* data, std::size_t size);

  int fd_;
  std::string buffer_;
  bool failed_ = false;  // what follows a failed write is dropped
};

// The parent's side: one child at a time, killed and reaped when no longer wanted.
class ChildProcess {
 public:
  // A child silent for longer than this is taken for hung: a read kills it and fails.
  static constexpr int kSilenceLimitMs = 120'000;

  explicit ChildProcess(int silence_limit_ms = kSilenceLimitMs)
      : silence_limit_ms_(silence_limit_ms) {}
  // Kills a child still running and reaps it; closes the pipe.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Forks a child that runs `work` and ends with status 0 when it returns true, 1 otherwise.
  // The failure's message is the system's reason in Russian.
  Status Start(const std::function<bool(ChildOutput&)>& work);

  // Each is false at the end of the stream or on a read error. `Bytes` reads `size` bytes of a
  // text whose length the caller has read and checked; `Text` reads both, refusing a length
  // past `limit`.
  bool Byte(std::uint8_t& value);
  bool Number(std::uint32_t& value);
  bool Bytes(std::string& text, std::size_t size);
  bool Text(std::string& text, std::size_t limit);

  // Closes the pipe and waits for the child; true when it ended with status 0.
  bool Finish();
  // Whether a read killed the child for its silence.
  bool hung() const { return hung_; }

 private:
  bool Read(void* data, std::size_t size);
  // Waits until the pipe has something to read; false, the child killed, past the silence limit.
  bool AwaitData();

  int silence_limit_ms_;
  bool hung_ = false;
  pid_t pid_ = -1;
  int fd_ = -1;
  std::vector<char> buffer_ = std::vector<char>(65536);
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
};

}  // namespace spreadsheet
