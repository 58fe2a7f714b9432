// Byte sources and sinks of the conversions: files in the program, memory in tests. Read and
// write failures are reported as values, so a conversion never mistakes a failed read for the
// end of its input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace builder {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `size` bytes into `buffer`; returns how many, 0 at the end or on a failure.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
  // True once a read has failed (as opposed to reaching the end).
  virtual bool failed() const = 0;
  // The system's wording of the failure, for messages.
  virtual std::string FailureText() const = 0;
};

// A file opened for reading in binary mode; closed by the destructor.
class FileSource : public ByteSource {
 public:
  explicit FileSource(const std::string& path);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  bool is_open() const { return file_ != nullptr; }
  // The system's wording of why the file could not be opened.
  const std::string& open_error() const { return open_error_; }

  std::size_t Read(char* buffer, std::size_t size) override;
  bool failed() const override;
  std::string FailureText() const override;
  // Goes back to the start for another pass; false (errno set) where that cannot be done, as
  // on a pipe.
  bool Rewind();

 private:
  std::FILE* file_ = nullptr;
  std::string open_error_;
  int read_errno_ = 0;
};

// Bytes held in memory (tests, and small inputs given as text).
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
  std::size_t Read(char* buffer, std::size_t size) override;
  bool failed() const override { return false; }
  std::string FailureText() const override { return {}; }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
};

// Cuts a byte source into lines the way the builder reads text: a line ends after its LF (a CR
// before it stays part of the line, as does the LF), and a line longer than the limit comes in
// pieces of the limit, each piece counting as a line. Works in constant memory.
class LineReader {
 public:
  explicit LineReader(ByteSource& source) : source_(source) {}

  // Reads the next line of at most `max_bytes` bytes into `line`. False at the end of the input
  // or on a read failure (tell them apart with failed()).
  bool ReadLine(std::size_t max_bytes, std::string& line);
  // True when no byte is left (or the source failed).
  bool AtEnd();
  bool failed() const { return source_.failed(); }
  std::string FailureText() const { return source_.FailureText(); }

 private:
  bool Fill();

  ByteSource& source_;
  char buffer_[16384];
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
};

// A file created (or emptied) for writing in binary mode, written in large blocks. Every
// failure is kept: once a write failed, every later call reports failure.
class FileSink {
 public:
  explicit FileSink(const std::string& path);
  ~FileSink();
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool is_open() const { return file_ != nullptr; }
  bool Write(std::string_view bytes);
  // Writes `bytes` at `offset` and leaves the position after them.
  bool WriteAt(std::uint64_t offset, std::string_view bytes);
  // Puts everything written so far into the file.
  bool Flush();
  // Flushes and closes the file. Only a true result means every byte reached the file system:
  // some file systems report a full disk or a lost connection only here.
  bool Close();

 private:
  std::FILE* file_ = nullptr;
  bool ok_ = true;
};

}  // namespace builder
