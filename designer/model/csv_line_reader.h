// Line reading of CSV text, byte for byte, in constant memory apart from the line itself.
//
// Line ends: LF or CR LF. A CR that no LF follows is dropped and the line goes on. Ctrl+Z (code
// 26) marks the end of the text: it ends the line it stands in, and nothing after it is read.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace designer {

class CsvLineReader {
 public:
  explicit CsvLineReader(std::istream& in);

  // True when no line is left: the input is exhausted, Ctrl+Z comes next, or reading failed.
  // A final line break therefore leaves no empty line behind it.
  bool AtEnd();

  // The next line without its line end; empty when AtEnd().
  void ReadLine(std::string& line);

  // Reading failed (not the normal end of the input); `error_number()` holds the system's errno.
  bool failed() const { return failed_; }
  int error_number() const { return error_number_; }

 private:
  // Makes at least one unread byte available; false at the end of the input or on failure.
  bool Fill();

  std::istream& in_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  bool input_done_ = false;
  bool failed_ = false;
  int error_number_ = 0;
};

}  // namespace designer
