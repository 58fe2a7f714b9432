#include "designer/model/csv_line_reader.h"

#include <cerrno>

namespace designer {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;
constexpr char kCtrlZ = 26;

}  // namespace

CsvLineReader::CsvLineReader(std::istream& in) : in_(in), buffer_(kBlockSize) {}

bool CsvLineReader::Fill() {
  if (position_ < end_) return true;
  if (input_done_) return false;
  errno = 0;
  in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  position_ = 0;
  end_ = static_cast<std::size_t>(in_.gcount());
  if (in_.bad()) {
    failed_ = true;
    error_number_ = errno != 0 ? errno : EIO;
    input_done_ = true;
    end_ = 0;  // a failed read leaves nothing trustworthy behind
    return false;
  }
  if (!in_) input_done_ = true;
  return end_ > 0;
}

bool CsvLineReader::AtEnd() { return !Fill() || buffer_[position_] == kCtrlZ; }

void CsvLineReader::ReadLine(std::string& line) {
  line.clear();
  while (Fill()) {
    // Take the run of ordinary bytes in one piece.
    std::size_t run_end = position_;
    while (run_end < end_) {
      const char c = buffer_[run_end];
      if (c == '\n' || c == '\r' || c == kCtrlZ) break;
      ++run_end;
    }
    line.append(buffer_.data() + position_, run_end - position_);
    position_ = run_end;
    if (position_ == end_) continue;

    const char c = buffer_[position_];
    if (c == kCtrlZ) return;  // left unread: the text ends here
    ++position_;
    if (c == '\n') return;
    // A CR ends the line only together with the LF after it; alone it is dropped.
    if (Fill() && buffer_[position_] == '\n') {
      ++position_;
      return;
    }
  }
}

}  // namespace designer
