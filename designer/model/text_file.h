// Streaming line input and output for the designer's text files (CSV files, source files and the
// data files they copy from). Both work in constant memory whatever the file's size, and report
// input/output errors as values that name the file and the system's reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/replacement_file.h"
#include "common/status.h"
#include "common/text_encoding.h"

namespace designer {

// `path` as it appears in a message: UTF-8 as it stands; a path that is not UTF-8 is taken as
// Windows-1251, the only other encoding our files meet.
std::string PathForMessage(const std::string& path);
// The file name of `path` (without its folder) as it appears in a message.
std::string FileNameForMessage(const std::string& path);

// Reads text line by line, by the rules of CSV import, so that the writer copies exactly the
// records that the import counted. A line ends at LF or CR LF; a CR that no LF follows is
// dropped; the last line of a text needs no line end. Ctrl+Z (code 26) ends the text of its line:
// the rest of that line is passed over and reading goes on with the next one. Only a Ctrl+Z that
// begins a line ends the whole text. Bytes are taken as they stand. A file that holds a NUL byte is
// no text: the reader refuses it (status() a Refusal) when it reads the block that holds one.
//
// A UTF-16 input (common/text_encoding.h) is decoded to UTF-8 block by block when the reader is
// told to (SetUtf16Input) before it reads; the rules above then apply to the decoded text, its
// line numbers and its NUL characters alike.
//
// The input is a file the reader opens itself (Open) or any stream the caller owns, so that
// tests run on memory. Either way it is read in blocks, in constant memory apart from the lines
// a caller asks for whole.
class LineReader {
 public:
  // Whether the input is read as UTF-16: never (Windows-1251 and UTF-8 files, source files), when
  // it begins with a UTF-16 byte-order mark, or always (the mark, when there is one, naming the
  // byte order, else little-endian).
  enum class Utf16Input { kNever, kByMark, kAlways };

  LineReader() = default;
  // Reads `in`, which must outlive the reader; `name` names the input in messages.
  explicit LineReader(std::istream& in, std::string name = "");
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Opens the file `path` as the input of a default-constructed reader.
  Status Open(const std::string& path);

  // How a UTF-16 input is recognised; only before the first read. kNever without a call.
  void SetUtf16Input(Utf16Input mode) { utf16_input_ = mode; }
  // Whether the input is being decoded from UTF-16; known once the first block was read (Peek).
  bool utf16() const { return decoder_.has_value(); }

  // Drops a UTF-8 byte-order mark at the very start of the input, before any line was read.
  // Returns whether there was one.
  bool SkipByteOrderMark();

  // Reads at most `max_bytes` further bytes of the current line into `piece` (replacing its
  // content). `line_ended` tells whether the line's end was reached; if not, the next call goes
  // on with the same line (and may deliver an empty piece that only ends it). Returns false when
  // no line is left to begin, or after a read error (see status()).
  bool ReadPiece(std::size_t max_bytes, std::string& piece, bool& line_ended);
  // Reads the rest of the current line into `line`, keeping at most `max_bytes` bytes of it and
  // reading past the others. Returns false as ReadPiece does; `line` is then empty.
  bool ReadLine(std::size_t max_bytes, std::string& line);
  bool ReadLine(std::string& line) { return ReadLine(kWholeLine, line); }
  // Reads the next line without copying it, when the line lies whole in the block at hand with
  // its LF and holds no CR that is dropped and no Ctrl+Z: `line` then views the line's text
  // (without its line end) inside the reader's block, valid until the next read. Otherwise, or
  // in the middle of a line, reads nothing and returns false; ReadPiece or ReadLine take the
  // line then. Most lines of a file qualify, which spares a copy of each.
  bool ReadLineInPlace(std::string_view& line);
  // Reads past the rest of the current line in constant memory. Returns false as ReadPiece does.
  bool SkipLine();
  // True when no further line can be begun: the input is exhausted, a line begins with Ctrl+Z,
  // or reading failed. A final line break therefore leaves no empty line behind it.
  bool AtEnd();

  // Ok, the first read error, naming the input and the system's reason, or the refusal of a
  // file that is no text.
  const Status& status() const { return status_; }

  static constexpr std::size_t kWholeLine = static_cast<std::size_t>(-1);
  // Bytes taken from the input at a time.
  static constexpr std::size_t kBlockSize = 256 * 1024;
  // The least first block: room for any mark that tells the encoding.
  static constexpr std::size_t kSmallestBlock = 4096;

 private:
  // The next byte without consuming it, or EOF.
  int Peek();
  // Whether a line can be begun; a Ctrl+Z at its start ends the text for good.
  bool LineFollows();
  // Consumes the rest of the current line, its LF included, in constant memory.
  void SkipPastLineFeed();
  // Reads the next block; false at the end of the input or on a read error.
  bool Fill();
  // Reads the next raw bytes of the input into `block`; false on a read error (status() set).
  bool ReadInput(char* block, std::size_t size, std::size_t& got);
  // Decodes the next raw bytes of a UTF-16 input into the block; false on a read error.
  bool FillDecoded();
  // Makes the raw block before a read: kBlockSize, or at first only as large as the input says
  // it holds; a first block that was filled whole gives way to a full one.
  void AllocateBlock();

  std::ifstream file_;  // the input when the reader opened it itself
  std::istream* in_ = nullptr;
  std::string name_;
  // The raw block, left uninitialised since every read fills what it uses: a reader is made for
  // every file read, and clearing 256 KiB each time would cost more than a short file's reading.
  std::unique_ptr<char[]> block_;
  std::size_t block_size_ = 0;
  std::string decoded_;         // the block at hand of a UTF-16 input, decoded
  const char* data_ = nullptr;  // the block at hand: block_ or decoded_
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  std::uint64_t block_offset_ = 0;  // offset in the input of the next block
  bool input_done_ = false;         // the stream has nothing more to give
  bool started_ = false;            // a byte was consumed
  bool in_line_ = false;            // a line was begun and its end not yet read
  bool text_ended_ = false;         // a line began with Ctrl+Z
  // A Ctrl+Z stands somewhere in the current block: only then is a line searched for one.
  bool block_has_end_of_text_ = false;
  Status status_ = Status::Ok();
  Utf16Input utf16_input_ = Utf16Input::kNever;
  std::optional<codepage::Utf16Decoder> decoder_;  // while the input is UTF-16
};

// What a copy of data lines into a LineWriter wrote.
struct CopiedLines {
  std::int64_t written = 0;  // lines written
  std::int64_t cut = 0;      // of them, lines cut to the long-line length
};

// Writes text lines ending in CR LF into a replacement of a file, which its owner commits once
// Close() succeeded. The first error is kept and reported by Close(). A writer that was never
// created takes everything and keeps nothing: a dry run of a copy uses one.
class LineWriter {
 public:
  LineWriter() = default;
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  // Creates the file that will replace `file`'s target; messages name the target.
  Status Create(ReplacementFile& file);
  // Collects `text` for the file; inline, as the copy of data lines calls it twice per line.
  void Write(std::string_view text) {
    if (file_ == nullptr || !status_.ok() || text.empty()) return;
    pending_.append(text);
    if (pending_.size() >= LineReader::kBlockSize) WritePending();
  }
  void EndLine() { Write("\r\n"); }
  void WriteLine(std::string_view text) {
    Write(text);
    EndLine();
  }
  // Ok, or the first write error so far.
  const Status& status() const { return status_; }
  // Ends the writing early, as a write error would: nothing more is written and `reason` becomes
  // the status, so every copy loop that stops on a write error stops here too.
  void Stop(Status reason) {
    if (status_.ok()) status_ = std::move(reason);
  }
  // Flushes and closes the file; returns the first error of its whole life.
  Status Close();

 private:
  void Fail(int error_number);
  // Hands the collected text to the file: one call per block instead of two per line.
  void WritePending();

  std::FILE* file_ = nullptr;
  std::string path_;
  std::string pending_;
  Status status_ = Status::Ok();
};

}  // namespace designer
