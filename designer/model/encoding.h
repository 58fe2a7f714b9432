// The encoding of an imported CSV file, and its text turned into document text.
//
// The document holds names and samples in Windows-1251. A UTF-8 CSV file is read as text: the
// byte-order mark is dropped and every value, name and data line is converted to Windows-1251
// where it enters the document or a source file. Which files are UTF-8 is the rule of
// common/text_encoding.h, applied to the text as the CSV reader reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"
#include "common/text_encoding.h"
#include "designer/model/document.h"
#include "designer/model/text_file.h"

namespace designer {

// The status panel's name of an encoding: "UTF-8", "UTF-16" or "1251".
std::string EncodingLabel(TextEncoding encoding);

// How a reader of a CSV file in `encoding` (none: detected) takes UTF-16: by the mark when the
// encoding is detected, always when it is UTF-16, else never.
LineReader::Utf16Input Utf16InputFor(std::optional<TextEncoding> encoding);

// Whether a reader of a file in `encoding` hands out UTF-8 (a UTF-16 file is decoded to UTF-8 as
// it is read), which is converted where it enters the document.
inline bool IsUtf8Text(TextEncoding encoding) { return encoding != TextEncoding::kCp1251; }

// The encoding of the text that `lines`, a reader fresh at the start of its input and set to take
// UTF-16 by its mark, holds, by the rule of common/text_encoding.h. Reads piece by piece in
// constant memory, up to the end or to the first byte that rules UTF-8 out. On a read error
// lines.status() fails and the result means nothing.
TextEncoding DetectEncoding(LineReader& lines);

// Document text of `text`, a value or line of a file in `encoding`: Windows-1251 as it stands,
// UTF-8 (and UTF-16, read as UTF-8) converted with "?" for what Windows-1251 cannot hold.
std::string ToDocumentText(std::string_view text, TextEncoding encoding);

// The lines of a text file as document text: Windows-1251 as they stand, UTF-8 without the
// byte-order mark and converted (a UTF-16 file too, which `lines` decodes to UTF-8). A character
// that Windows-1251 cannot hold, or a byte that is no UTF-8, in a piece about to be handed out
// stops the reading with a refusal that names the line and the character: copying it would change
// the data. Same contract as LineReader's.
class DocumentLineReader {
 public:
  // `lines` must be fresh at the start of its input and outlive this reader; `name` is the file
  // name the refusal shows.
  DocumentLineReader(LineReader& lines, TextEncoding encoding, std::string name);

  bool ReadPiece(std::size_t max_bytes, std::string& piece, bool& line_ended);
  // ReadPiece without the refusal: the piece may hold "?" for a character Windows-1251 lacks,
  // and the caller checks with CheckLine what of it is written.
  bool ReadUncheckedPiece(std::size_t max_bytes, std::string& piece, bool& line_ended);
  // Refuses (false, with the refusal in status()) when a character Windows-1251 lacks stands in
  // the first `line_bytes` converted bytes of the line read last.
  bool CheckLine(std::size_t line_bytes);
  // Windows-1251 input only, where lines need no conversion: LineReader::ReadLineInPlace.
  // Always false for UTF-8 input.
  bool ReadLineInPlace(std::string_view& line);
  bool SkipLine();
  // Ok, the first read error, or the refusal of a character.
  const Status& status() const { return status_.ok() ? lines_.status() : status_; }

 private:
  // Reads and converts the next raw piece of the current line.
  bool ReadRaw();
  void StartLine();

  LineReader& lines_;
  TextEncoding encoding_;
  std::string name_;
  Status status_ = Status::Ok();
  // UTF-8 only: the current line, converted ahead of what was handed out.
  std::int64_t line_number_ = 0;
  bool in_line_ = false;
  bool raw_ended_ = false;  // the raw line's end was read
  std::string raw_;
  std::string converted_;   // converted bytes not yet handed out
  std::size_t handed_ = 0;  // converted bytes of this line handed out
  codepage::Utf8Converter converter_;
};

}  // namespace designer
