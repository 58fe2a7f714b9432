// Streaming line input and output for the designer's text files (source files and the data
// files they copy from). Both work in constant memory whatever the file's size, and report
// input/output errors as values that name the file and the system's reason.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"

namespace designer {

// `path` as it appears in a message: UTF-8 as it stands; a path that is not UTF-8 is taken as
// Windows-1251, the only other encoding our files meet.
std::string PathForMessage(const std::string& path);

// Reads a file line by line, by the same rules as CSV import, so that the writer copies exactly
// the records that the import counted. A line ends at LF or CR LF; a CR that no LF follows is
// dropped; the last line of a file needs no line end. Ctrl+Z (code 26) ends the text: it ends the
// line it stands in, and nothing after it is read.
class LineReader {
 public:
  LineReader() = default;
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  Status Open(const std::string& path);

  // Reads at most `max_bytes` further bytes of the current line into `piece` (replacing its
  // content). `*line_ended` tells whether the line's end was reached; if not, the next call goes
  // on with the same line (and may deliver an empty piece that only ends it). Returns false when
  // no line is left to begin, or after a read error (see status()).
  bool ReadPiece(std::string* piece, std::size_t max_bytes, bool* line_ended);
  // Reads the rest of the current line into `line`, keeping at most `max_bytes` bytes of it and
  // reading past the others. Returns false as ReadPiece does.
  bool ReadLine(std::string* line, std::size_t max_bytes);
  // Reads past the rest of the current line in constant memory. Returns false as ReadPiece does.
  bool SkipLine();
  // True when no further line can be begun.
  bool AtEnd();

  // Ok, or the first read error.
  const Status& status() const { return status_; }

 private:
  // The next byte without consuming it, or EOF.
  int Peek();

  std::FILE* file_ = nullptr;
  std::string path_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  bool in_line_ = false;     // a line was begun and its end not yet read
  bool text_ended_ = false;  // Ctrl+Z was met
  Status status_ = Status::Ok();
};

// Writes text lines ending in CR LF. The first error is kept and reported by Close().
class LineWriter {
 public:
  LineWriter() = default;
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  // Creates `path`, or empties it when it exists.
  Status Create(const std::string& path);
  void Write(std::string_view text);
  void EndLine() { Write("\r\n"); }
  void WriteLine(std::string_view text) {
    Write(text);
    EndLine();
  }
  // Ok, or the first write error so far.
  const Status& status() const { return status_; }
  // Flushes and closes the file; returns the first error of its whole life.
  Status Close();

 private:
  void Fail(int error_number);

  std::FILE* file_ = nullptr;
  std::string path_;
  Status status_ = Status::Ok();
};

}  // namespace designer
