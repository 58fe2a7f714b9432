// Sources of bytes for the readers of binary and builder-style text input: files in the programs,
// memory in tests and fuzz targets. A failed read is a failed Status, so a reader never
// mistakes it for the end of its input.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "common/status.h"

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `size` bytes into `buffer`; returns how many, 0 at the end, or the failure (an
  // error whose message is the system's reason). Bytes read before a failure in the same call are
  // not handed out.
  virtual StatusOr<std::size_t> Read(char* buffer, std::size_t size) = 0;
  // Goes back to the start for another pass; an error with the system's reason where that cannot
  // be done, as on a pipe.
  virtual Status Rewind();
};

// A file opened for reading in binary mode; closed by the destructor.
class FileSource : public ByteSource {
 public:
  explicit FileSource(const std::string& path);
  // Standard input, read through a descriptor of its own so that closing this leaves it open.
  static FileSource StandardInput();
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  bool is_open() const { return file_ != nullptr; }
  // The system's wording of why the file could not be opened.
  const std::string& open_error() const { return open_error_; }

  // Not open: the open error. Once a read failed, every later one fails alike.
  StatusOr<std::size_t> Read(char* buffer, std::size_t size) override;
  Status Rewind() override;

 private:
  explicit FileSource(std::FILE* file, int open_errno);

  std::FILE* file_ = nullptr;
  std::string open_error_;
  int read_errno_ = 0;
};

// Bytes held in memory.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string bytes) : bytes_(std::move(bytes)) {}
  StatusOr<std::size_t> Read(char* buffer, std::size_t size) override;
  Status Rewind() override {
    position_ = 0;
    return Status::Ok();
  }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
};
