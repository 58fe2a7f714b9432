#include "designer/model/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/codepage.h"

namespace designer {
namespace {

constexpr std::size_t kReadBlock = 64 * 1024;
constexpr char kEndOfText = 26;  // Ctrl+Z

Status FileError(const char* what, const std::string& path, int error_number) {
  return Status::Error(std::string(what) + " «" + PathForMessage(path) +
                       "»: " + std::strerror(error_number));
}

}  // namespace

std::string PathForMessage(const std::string& path) {
  return codepage::IsValidUtf8(path) ? path : codepage::Cp1251ToUtf8(path);
}

LineReader::~LineReader() {
  if (file_ != nullptr) std::fclose(file_);
}

Status LineReader::Open(const std::string& path) {
  path_ = path;
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr) return FileError("Не удалось открыть файл", path, errno);
  buffer_.resize(kReadBlock);
  return Status::Ok();
}

int LineReader::Peek() {
  if (text_ended_) return EOF;
  if (position_ == end_) {
    if (file_ == nullptr || !status_.ok()) return EOF;
    end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    position_ = 0;
    if (end_ == 0) {
      if (std::ferror(file_)) status_ = FileError("Ошибка чтения файла", path_, errno);
      return EOF;
    }
  }
  if (buffer_[position_] == kEndOfText) {
    text_ended_ = true;
    return EOF;
  }
  return static_cast<unsigned char>(buffer_[position_]);
}

bool LineReader::ReadPiece(std::string* piece, std::size_t max_bytes, bool* line_ended) {
  piece->clear();
  *line_ended = false;
  if (!in_line_ && Peek() == EOF) return false;
  in_line_ = true;
  for (;;) {
    if (piece->size() == max_bytes) return true;  // the line may go on
    const int c = Peek();
    if (c == EOF) {
      if (!status_.ok()) return false;
      break;
    }
    ++position_;
    if (c == '\n') break;
    if (c == '\r') {
      if (Peek() != '\n') continue;  // a CR that no LF follows is dropped
      ++position_;
      break;
    }
    piece->push_back(static_cast<char>(c));
  }
  in_line_ = false;
  *line_ended = true;
  return status_.ok();
}

bool LineReader::ReadLine(std::string* line, std::size_t max_bytes) {
  line->clear();
  std::string piece;
  bool ended = false;
  while (!ended) {
    if (!ReadPiece(&piece, kReadBlock, &ended)) return false;
    line->append(piece, 0, std::min(piece.size(), max_bytes - line->size()));
  }
  return true;
}

bool LineReader::SkipLine() {
  std::string piece;
  bool ended = false;
  while (!ended) {
    if (!ReadPiece(&piece, kReadBlock, &ended)) return false;
  }
  return true;
}

bool LineReader::AtEnd() { return !in_line_ && Peek() == EOF; }

LineWriter::~LineWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

Status LineWriter::Create(const std::string& path) {
  path_ = path;
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) {
    status_ = FileError("Не удалось создать файл", path, errno);
  }
  return status_;
}

void LineWriter::Fail(int error_number) {
  if (status_.ok()) status_ = FileError("Ошибка записи файла", path_, error_number);
}

void LineWriter::Write(std::string_view text) {
  if (file_ == nullptr || !status_.ok() || text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) Fail(errno);
}

Status LineWriter::Close() {
  if (file_ != nullptr) {
    if (std::fclose(file_) != 0) Fail(errno);
    file_ = nullptr;
  }
  return status_;
}

}  // namespace designer
