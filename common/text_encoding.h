// The encoding of a text file we are given, and UTF-8 text turned into Windows-1251 as it is read.
//
// The handheld reads Windows-1251 bytes, and so do the document and the builder. Spreadsheet
// programs and editors also save text as UTF-8, often behind a byte-order mark; such a file is
// read as text: the mark is dropped and the text is converted to Windows-1251 as it is read. The
// CSV import and the builder's phone lists and source files tell the two apart by one rule
// (EncodingDetector):
// - a file that begins with the UTF-8 byte-order mark is UTF-8;
// - otherwise a file that holds at least one byte above 127, all of whose bytes above 127 form
//   well-formed UTF-8 sequences, is UTF-8;
// - any other file is Windows-1251, a file of ASCII alone included (it reads the same either way).
// Windows-1251 text passes the UTF-8 test only when each of its letters А..я is one of В..ф
// followed by one to three bytes 0x80..0xBF (signs such as "№", "«", "»", or the letters Ё, ё,
// Ї, Ў ...) and no other byte of that range stands alone. Two Cyrillic letters side by side never
// pass, so any ordinary Russian word marks a file as Windows-1251; a Windows-1251 file could be
// mistaken only when its whole non-ASCII text is such single letters with signs. The command
// line's `--encoding` overrides the rule for such a file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace codepage {

enum class TextEncoding { kCp1251, kUtf8 };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The rule above, applied to text that arrives in pieces, in constant memory. The caller drops
// the byte-order mark itself: a file that begins with one is UTF-8 without further reading.
class EncodingDetector {
 public:
  // Takes the next bytes of the text; `line_ended`: they end a line whose line break the caller
  // does not pass on, so no character may be cut there. Returns false once UTF-8 is ruled out:
  // the answer is then Windows-1251 whatever follows.
  bool Add(std::string_view bytes, bool line_ended = false);
  // The answer for the text given so far, taken as the whole text.
  TextEncoding Result() const;

 private:
  bool ruled_out_ = false;
  bool high_ = false;
  std::string waiting_;  // the start of a character cut at the end of the last piece
};

// A character of UTF-8 text that has no Windows-1251 code, or bytes that are no UTF-8 character.
struct BadCharacter {
  std::string bytes;          // the character's bytes as they stand in the text
  char32_t code_point = 0;    // the character, when it is one
  bool malformed = false;     // the bytes are no well-formed UTF-8 character
  std::size_t output_at = 0;  // where its "?" stands in the converted text
};

// "символ U+4E2D «中», которого нет в кодировке Windows-1251", or "байт 0xC8, который не является
// частью символа UTF-8" for a malformed one.
std::string DescribeBadCharacter(const BadCharacter& bad);

// Converts UTF-8 text that arrives in pieces (a line read block by block, say) to Windows-1251.
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
  // For a reader that lists every bad character and reads on: from now on each is kept until
  // taken, so memory stays bounded by what is converted between two takes.
  void KeepEveryBad() { keep_every_bad_ = true; }
  std::vector<BadCharacter> TakeEveryBad() { return std::exchange(every_bad_, {}); }

 private:
  // Converts `text`, which ends on a character boundary (or in malformed bytes).
  void Convert(std::string_view text, std::string& out);
  void Replace(std::string_view bytes, char32_t code_point, bool malformed, std::string& out);

  std::string waiting_;  // the start of a character cut at the end of the last piece
  std::size_t produced_ = 0;
  std::optional<BadCharacter> first_bad_;
  bool keep_every_bad_ = false;
  std::vector<BadCharacter> every_bad_;
};

}  // namespace codepage
