#include "designer/model/text_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include "common/codepage.h"
#include "common/system_reason.h"

namespace designer {
namespace {

constexpr char kEndOfText = 26;  // Ctrl+Z

Status FileError(const char* what, const std::string& path, const std::string& reason) {
  return Status::Error(std::string(what) + " «" + PathForMessage(path) + "»: " + reason);
}

Status FileError(const char* what, const std::string& path, int error_number) {
  return FileError(what, path, SystemReason(error_number));
}

Status NotText(const std::string& path, std::uint64_t offset) {
  return Status::Refusal("Файл «" + PathForMessage(path) +
                         "» не является текстовым файлом: в нём есть байт с кодом 0 (смещение " +
                         std::to_string(offset) + ").");
}

}  // namespace

std::string PathForMessage(const std::string& path) {
  return codepage::IsValidUtf8(path) ? path : codepage::Cp1251ToUtf8(path);
}

std::string FileNameForMessage(const std::string& path) {
  return PathForMessage(std::filesystem::path(path).filename().string());
}

LineReader::LineReader(std::istream& in, std::string name) : in_(&in), name_(std::move(name)) {}

Status LineReader::Open(const std::string& path) {
  name_ = path;
  errno = 0;
  file_.open(path, std::ios::binary);
  if (!file_.is_open()) {
    status_ = FileError("Не удалось открыть файл", path, errno != 0 ? errno : ENOENT);
    return status_;
  }
  in_ = &file_;
  return Status::Ok();
}

bool LineReader::ReadInput(char* block, std::size_t size, std::size_t& got) {
  errno = 0;
  in_->read(block, static_cast<std::streamsize>(size));
  got = static_cast<std::size_t>(in_->gcount());
  if (in_->bad()) {
    status_ = FileError("Ошибка чтения файла", name_, errno != 0 ? errno : EIO);
    input_done_ = true;
    got = 0;  // a failed read leaves nothing trustworthy behind
    return false;
  }
  if (!*in_) input_done_ = true;
  return true;
}

void LineReader::AllocateBlock() {
  if (block_size_ == kBlockSize) return;
  std::size_t size = kBlockSize;
  // A first block as large as the input and a byte more reads a short input whole in one read,
  // and spares the large block that the allocators serve slowly.
  // A later read comes only after a small first block was filled whole.
  if (!block_) {
    const std::streamsize left = in_->rdbuf()->in_avail();
    if (left > 0 && static_cast<std::size_t>(left) < kBlockSize - 1)
      size = std::max(kSmallestBlock, static_cast<std::size_t>(left) + 1);
  }
  block_ = std::make_unique_for_overwrite<char[]>(size);
  block_size_ = size;
}

bool LineReader::FillDecoded() {
  decoded_.clear();
  // A block may decode to nothing (one byte of a code unit): read on until text or the end.
  while (decoded_.empty()) {
    if (input_done_) break;
    std::size_t got = 0;
    if (!ReadInput(block_.get(), block_size_, got)) return false;
    decoder_->Add(std::string_view(block_.get(), got), decoded_);
    if (input_done_) decoder_->Finish(decoded_);
  }
  data_ = decoded_.data();
  end_ = decoded_.size();
  return true;
}

bool LineReader::Fill() {
  if (input_done_ || in_ == nullptr || !status_.ok()) return false;
  position_ = 0;
  end_ = 0;
  AllocateBlock();
  if (decoder_) {
    if (!FillDecoded()) return false;
  } else {
    data_ = block_.get();
    if (!ReadInput(block_.get(), block_size_, end_)) return false;
    // The first block tells whether the input is UTF-16: its mark stands at the very start.
    const std::optional<codepage::ByteOrder> mark =
        codepage::Utf16Mark(std::string_view(block_.get(), end_));
    const bool first = block_offset_ == 0 && !started_;
    if (first &&
        (utf16_input_ == Utf16Input::kAlways || (utf16_input_ == Utf16Input::kByMark && mark))) {
      decoder_.emplace(mark.value_or(codepage::ByteOrder::kLittleEndian));
      decoded_.clear();
      decoder_->Add(std::string_view(block_.get(), end_), decoded_);
      if (input_done_) decoder_->Finish(decoded_);
      data_ = decoded_.data();
      end_ = decoded_.size();
      if (end_ == 0 && !FillDecoded()) return false;
    }
  }
  // Text never holds a NUL byte; a file that does is binary, and its bytes must not become a
  // document or a source file.
  if (const void* nul = std::memchr(data_, '\0', end_)) {
    status_ = NotText(name_, block_offset_ + static_cast<const char*>(nul) - data_);
    input_done_ = true;
    end_ = 0;
    return false;
  }
  block_offset_ += end_;
  block_has_end_of_text_ = std::memchr(data_, kEndOfText, end_) != nullptr;
  return end_ > 0;
}

int LineReader::Peek() {
  if (position_ == end_ && !Fill()) return EOF;
  return static_cast<unsigned char>(data_[position_]);
}

bool LineReader::LineFollows() {
  if (text_ended_) return false;
  const int c = Peek();
  if (c == kEndOfText) text_ended_ = true;
  return c != EOF && c != kEndOfText;
}

void LineReader::SkipPastLineFeed() {
  while (Peek() != EOF) {
    const char* start = data_ + position_;
    if (const void* line_feed = std::memchr(start, '\n', end_ - position_)) {
      position_ += static_cast<std::size_t>(static_cast<const char*>(line_feed) - start) + 1;
      return;
    }
    position_ = end_;
  }
}

bool LineReader::SkipByteOrderMark() {
  static constexpr char kMark[] = "\xEF\xBB\xBF";
  if (started_) return false;
  Peek();  // fills the first block
  if (end_ - position_ < 3 || std::memcmp(data_ + position_, kMark, 3) != 0) return false;
  position_ += 3;
  started_ = true;
  return true;
}

bool LineReader::ReadPiece(std::size_t max_bytes, std::string& piece, bool& line_ended) {
  piece.clear();
  line_ended = false;
  if (!in_line_ && !LineFollows()) return false;
  in_line_ = true;
  started_ = true;
  for (;;) {
    if (piece.size() == max_bytes) return true;  // the line may go on
    const int c = Peek();
    if (c == EOF) {
      if (!status_.ok()) return false;
      break;
    }
    if (c == '\n') {
      ++position_;
      break;
    }
    if (c == '\r') {
      ++position_;
      if (Peek() != '\n') continue;  // a CR that no LF follows is dropped
      ++position_;
      break;
    }
    if (c == kEndOfText) {  // the rest of the line is no text
      SkipPastLineFeed();
      break;
    }
    // Take the run of ordinary bytes in one piece: it ends at the first of the three bytes that
    // mean something (memchr finds each far faster than a loop over every byte).
    const char* run = data_ + position_;
    std::size_t run_length = std::min(max_bytes - piece.size(), end_ - position_);
    for (const char stop : {'\n', '\r', kEndOfText}) {
      if (stop == kEndOfText && !block_has_end_of_text_) break;
      if (const void* hit = std::memchr(run, stop, run_length))
        run_length = static_cast<std::size_t>(static_cast<const char*>(hit) - run);
    }
    piece.append(run, run_length);
    position_ += run_length;
  }
  in_line_ = false;
  line_ended = true;
  return status_.ok();
}

bool LineReader::ReadLine(std::size_t max_bytes, std::string& line) {
  // Most lines fit one piece: read it straight into `line`, whose room is reused line after line.
  bool ended = false;
  if (!ReadPiece(std::min(max_bytes, kBlockSize), line, ended)) {
    line.clear();
    return false;
  }
  std::string piece;
  while (!ended) {
    if (!ReadPiece(kBlockSize, piece, ended)) {
      line.clear();
      return false;
    }
    line.append(piece, 0, std::min(piece.size(), max_bytes - line.size()));
  }
  return true;
}

bool LineReader::ReadLineInPlace(std::string_view& line) {
  if (in_line_ || text_ended_ || position_ == end_) return false;
  const char* start = data_ + position_;
  const std::size_t available = end_ - position_;
  const auto* line_feed = static_cast<const char*>(std::memchr(start, '\n', available));
  if (line_feed == nullptr) return false;
  std::size_t length = static_cast<std::size_t>(line_feed - start);
  if (length > 0 && start[length - 1] == '\r') --length;
  // A CR before the line end, or a Ctrl+Z, needs the byte-by-byte rules of ReadPiece.
  if (std::memchr(start, '\r', length) != nullptr) return false;
  if (block_has_end_of_text_ && std::memchr(start, kEndOfText, length) != nullptr) return false;
  line = std::string_view(start, length);
  position_ += static_cast<std::size_t>(line_feed - start) + 1;
  started_ = true;
  return true;
}

bool LineReader::SkipLine() {
  std::string piece;
  bool ended = false;
  while (!ended) {
    if (!ReadPiece(kBlockSize, piece, ended)) return false;
  }
  return true;
}

bool LineReader::AtEnd() { return !in_line_ && !LineFollows(); }

LineWriter::~LineWriter() {
  if (file_ == nullptr) return;
  WritePending();
  std::fclose(file_);
}

Status LineWriter::Create(ReplacementFile& file) {
  path_ = file.target();
  Status created = file.Create();
  if (created.ok()) {
    const int descriptor = file.TakeDescriptor();
    file_ = fdopen(descriptor, "wb");
    if (file_ == nullptr) {
      created = SystemFailure(errno);
      close(descriptor);
    }
  }
  if (!created.ok()) status_ = FileError("Не удалось создать файл", path_, created.message());
  return status_;
}

void LineWriter::Fail(int error_number) {
  if (status_.ok()) status_ = FileError("Ошибка записи файла", path_, error_number);
}

void LineWriter::WritePending() {
  if (status_.ok() && !pending_.empty() &&
      std::fwrite(pending_.data(), 1, pending_.size(), file_) != pending_.size()) {
    Fail(errno);
  }
  pending_.clear();
}

Status LineWriter::Close() {
  if (file_ != nullptr) {
    WritePending();
    if (std::fclose(file_) != 0) Fail(errno);
    file_ = nullptr;
  }
  return status_;
}

}  // namespace designer
