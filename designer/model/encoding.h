// The encoding of an imported CSV file, and its text turned into document text.
//
// The handheld reads Windows-1251 bytes, and the document holds names and samples in that code
// page. Spreadsheet programs also save CSV files as UTF-8, often behind a byte-order mark; such a
// file is read as text: the mark is dropped and every value, name and data line is converted to
// Windows-1251 where it enters the document or a source file.
//
// The rule that tells the two apart (DetectEncoding):
// - a file that begins with the UTF-8 byte-order mark is UTF-8;
// - otherwise a file that holds at least one byte above 127, all of whose bytes above 127 form
//   well-formed UTF-8 sequences within their lines, is UTF-8;
// - any other file is Windows-1251, a file of ASCII alone included (it reads the same either way).
// Windows-1251 text passes the UTF-8 test only when each of its letters А..я is one of В..ф
// followed by one to three bytes 0x80..0xBF (signs such as "№", "«", "»", or the letters Ё, ё,
// Ї, Ў ...) and no other byte of that range stands alone. Two Cyrillic letters side by side never
// pass, so any ordinary Russian word marks a file as Windows-1251; a Windows-1251 file could be
// mistaken only when its whole non-ASCII text is such single letters with signs. `bwick import
// --encoding` overrides the rule for such a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"
#include "designer/model/document.h"
#include "designer/model/text_file.h"

namespace designer {

// The status panel's name of an encoding: "UTF-8" or "1251".
std::string EncodingLabel(TextEncoding encoding);

// The encoding of the text that `lines`, a reader fresh at the start of its input, holds, by the
// rule above. Reads piece by piece in constant memory, up to the end or to the first byte that
// rules UTF-8 out. On a read error lines.status() fails and the result means nothing.
TextEncoding DetectEncoding(LineReader& lines);

// A character of UTF-8 text that has no Windows-1251 code, or bytes that are no UTF-8 character.
struct BadCharacter {
  std::string bytes;          // the character's bytes as they stand in the text
  char32_t code_point = 0;    // the character, when it is one
  bool malformed = false;     // the bytes are no well-formed UTF-8 character
  std::size_t output_at = 0;  // where its "?" stands in the converted text
};

// "символ U+4E2D «中»", or "байт 0xC8, не являющийся символом UTF-8" for a malformed one.
std::string DescribeBadCharacter(const BadCharacter& bad);

// Converts UTF-8 text that arrives in pieces (one line, say, read block by block) to Windows-1251.
// A character cut at the end of a piece waits for the next one. A character that Windows-1251
// cannot hold becomes one "?", and so does each byte of a malformed sequence, so that the text
// keeps one character for every character of its own; the first of them is remembered.
class Utf8Converter {
 public:
  // Appends the converted `piece` to `out`.
  void Add(std::string_view piece, std::string& out);
  // The text ends here: a character still waiting for its rest is malformed.
  void Finish(std::string& out);
  const std::optional<BadCharacter>& first_bad() const { return first_bad_; }

 private:
  // Converts `text`, which ends on a character boundary (or in malformed bytes).
  void Convert(std::string_view text, std::string& out);
  void Replace(std::string_view bytes, char32_t code_point, bool malformed, std::string& out);

  std::string waiting_;  // the start of a character cut at the end of the last piece
  std::size_t produced_ = 0;
  std::optional<BadCharacter> first_bad_;
};

// Document text of `text`, a value or line of a file in `encoding`: Windows-1251 as it stands,
// UTF-8 converted with "?" for what Windows-1251 cannot hold.
std::string ToDocumentText(std::string_view text, TextEncoding encoding);

// The lines of a text file as document text: Windows-1251 as they stand, UTF-8 without the
// byte-order mark and converted. A character that Windows-1251 cannot hold, or a byte that is no
// UTF-8, in a piece about to be handed out stops the reading with a refusal that names the line
// and the character: copying it would change the data. Same contract as LineReader's.
class DocumentLineReader {
 public:
  // `lines` must be fresh at the start of its input and outlive this reader; `name` is the file
  // name the refusal shows.
  DocumentLineReader(LineReader& lines, TextEncoding encoding, std::string name);

  bool ReadPiece(std::string* piece, std::size_t max_bytes, bool* line_ended);
  // ReadPiece without the refusal: the piece may hold "?" for a character Windows-1251 lacks,
  // and the caller checks with CheckLine what of it is written.
  bool ReadUncheckedPiece(std::string* piece, std::size_t max_bytes, bool* line_ended);
  // Refuses (false, with the refusal in status()) when a character Windows-1251 lacks stands in
  // the first `line_bytes` converted bytes of the line read last.
  bool CheckLine(std::size_t line_bytes);
  // Windows-1251 input only, where lines need no conversion: LineReader::ReadLineInPlace.
  // Always false for UTF-8 input.
  bool ReadLineInPlace(std::string_view* line);
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
  Utf8Converter converter_;
};

}  // namespace designer
