// The conversions' line reader over a byte source, and their file sink. Read and write failures
// are reported as values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "common/byte_source.h"
#include "common/status.h"

namespace builder {

// Cuts a byte source into lines the way the builder reads text: a line ends after its LF (a CR
// before it stays part of the line, as does the LF), and a line longer than the limit comes in
// pieces of the limit, each piece counting as a line. Works in constant memory.
class LineReader {
 public:
  explicit LineReader(ByteSource& source) : source_(source) {}

  // Reads the next line of at most `max_bytes` bytes into `line`. False at the end of the input
  // or on a read failure (tell them apart with status()).
  bool ReadLine(std::size_t max_bytes, std::string& line);
  // The line of the file (1 for the first) where the last piece read began, for messages that
  // point into the file; pieces of one long line share it.
  std::int64_t line_number() const { return line_number_; }
  // Passes over what is left of the line whose piece was read last, in constant memory: a long
  // line that was found faulty counts once.
  void SkipRestOfLine();
  // True when no byte is left (or the source failed).
  bool AtEnd();
  // Ok, or the source's failure that stopped the reading.
  const Status& status() const { return status_; }

 private:
  bool Fill();

  ByteSource& source_;
  char buffer_[16384];
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::int64_t line_number_ = 0;
  bool line_ended_ = true;  // the last piece read ended its line
  Status status_ = Status::Ok();
};

// A file created (or emptied) for writing in binary mode, written in large blocks. Each call
// returns Ok or the failure: no output, with the system's reason. Every failure is kept: once a
// write failed, every later call returns the first failure.
class FileSink {
 public:
  explicit FileSink(const std::string& path);
  ~FileSink();
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool is_open() const { return file_ != nullptr; }
  Status Write(std::string_view bytes);
  // Writes `bytes` at `offset` and leaves the position after them.
  Status WriteAt(std::uint64_t offset, std::string_view bytes);
  // Puts everything written so far into the file.
  Status Flush();
  // Flushes and closes the file. Only an Ok result means every byte reached the file system:
  // some file systems report a full disk or a lost connection only here.
  Status Close();

 private:
  Status Failed();
  // The first failure; the system's reason is EIO, the honest guess, when none was told.
  Status Failure() const;

  std::FILE* file_ = nullptr;
  bool ok_ = true;
  int error_ = 0;
};

}  // namespace builder
