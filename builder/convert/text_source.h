// A phone list or source file as the conversions read it: Windows-1251 bytes, in constant memory.
//
// The file's encoding is given, or found by the CSV import's rule (common/text_encoding.h): the
// file is read once for that before the conversion reads it, up to its first byte that rules
// UTF-8 out (early in any Russian Windows-1251 text) or to its end. A UTF-8 file loses its
// byte-order mark and is converted while it is read, so a Windows-1251 file gives the same bytes
// as it always did and its UTF-8 twin gives the same bytes too. A file that begins with a UTF-16
// byte-order mark is UTF-16 (common/text_encoding.h): it is decoded to UTF-8 and converted alike.
// Reading stops as a refusal at a NUL byte, which no text holds (in UTF-16 text, at a NUL
// character, its offset counted in the decoded text), and at a character Windows-1251 lacks,
// which would change the data; the bytes before it are read first.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "builder/convert/byte_io.h"
#include "common/text_encoding.h"

namespace builder {

class TextSource : public ByteSource {
 public:
  // Opens `path`; `encoding` nullopt: detected.
  TextSource(const std::string& path, std::optional<codepage::TextEncoding> encoding);
  // Reads `bytes` (an open file, or memory in tests and fuzz targets); a detection reads them
  // twice, so they must go back to their start.
  TextSource(std::unique_ptr<ByteSource> bytes, std::optional<codepage::TextEncoding> encoding);

  bool is_open() const { return opened_; }
  const std::string& open_error() const { return open_error_; }
  codepage::TextEncoding encoding() const { return encoding_; }

  // A failed read returns status(), as does every read after it.
  StatusOr<std::size_t> Read(char* buffer, std::size_t size) override;
  // Why the reading stopped, Ok while it has not: a refusal that says what makes the file no text
  // for the conversions, with its place (a NUL byte or a character Windows-1251 lacks), or an
  // error with the system's reason.
  const Status& status() const { return status_; }

  // For a reader that lists every faulty line (bwick check): a character Windows-1251 lacks no
  // longer stops the reading; it reads as "?" and is told by TakeUnmappable. Before any Read.
  void ReadPastUnmappable();
  struct LineFault {
    std::int64_t line;  // of the file, 1 for the first
    std::string text;  // "символ U+4E2D «中», которого нет в кодировке Windows-1251"
  };
  // The characters met so far on lines up to `line`, in the file's order.
  std::vector<LineFault> TakeUnmappable(std::int64_t line);

 private:
  // Reads the next raw block of at most `size` bytes into raw_, cut before a NUL byte, which
  // makes the refusal pending (not in UTF-16, whose NUL bytes are half its characters). False when
  // it holds nothing: at the end, on a failure (kept in status_), or at a NUL byte that came first.
  bool ReadRaw(std::size_t size);
  void Start(std::optional<codepage::TextEncoding> encoding);
  void Detect();
  void ConvertNextBlock();
  // Moves the converter's bad characters of the block just converted to unmappable_.
  void KeepUnmappable();
  // Decodes raw_, a block of UTF-16 input, into `text`, cut before a NUL character, which makes
  // the refusal pending; `last`: no block follows.
  void DecodeUtf16(bool last, std::string& text);

  std::unique_ptr<ByteSource> bytes_;
  bool opened_ = false;
  std::string open_error_;
  codepage::TextEncoding encoding_ = codepage::TextEncoding::kCp1251;
  Status status_ = Status::Ok();
  std::string pending_refusal_;    // the reading stops so once the bytes before it are handed out
  std::uint64_t raw_offset_ = 0;   // of the block in raw_
  std::unique_ptr<char[]> block_;  // what the source gives, before it is taken into raw_
  std::string raw_;
  // UTF-16 input: the decoder to UTF-8, made at the first block, whose mark names the byte order;
  // and the bytes it has decoded so far, for the offset of a NUL character.
  std::optional<codepage::Utf16Decoder> utf16_;
  std::uint64_t decoded_ = 0;
  // UTF-8 input: converted text not yet handed out, and how much of it may be handed out before
  // a character Windows-1251 lacks.
  codepage::Utf8Converter converter_;
  std::string converted_;
  std::size_t handed_ = 0;       // bytes of converted_ handed out
  std::size_t serve_limit_ = 0;  // bytes of converted_ that may be handed out
  std::uint64_t produced_ = 0;   // converted bytes before converted_
  std::int64_t line_feeds_ = 0;  // in the converted text before converted_
  bool input_ended_ = false;
  bool read_past_unmappable_ = false;
  std::deque<LineFault> unmappable_;  // met and not taken yet
};

}  // namespace builder
