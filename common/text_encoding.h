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
//
// A file that begins with a UTF-16 byte-order mark (FF FE little-endian, as Excel's "Текст
// Юникод" writes it, or FE FF big-endian) is UTF-16 whatever follows: the readers decode it to
// UTF-8 as they read it (Utf16Decoder) and go on as with a UTF-8 file. Without the mark, the NUL
// bytes of UTF-16 text make it no text to any reader, unless UTF-16 is asked for by name.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace codepage {

// kUtf16: UTF-16 in the byte order its mark names, little-endian without one.
enum class TextEncoding { kCp1251, kUtf8, kUtf16 };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

enum class ByteOrder { kLittleEndian, kBigEndian };

// The byte order that a UTF-16 byte-order mark at the start of `bytes` names; none without one.
std::optional<ByteOrder> Utf16Mark(std::string_view bytes);

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

// Decodes UTF-16 text that arrives in pieces (blocks of a file) to UTF-8. A byte-order mark at the
// very start is no text and is dropped. A code unit or a surrogate pair cut at the end of a piece
// waits for the next piece; a surrogate without its pair, and a last odd byte, become U+FFFD,
// which no Windows-1251 text holds, so the readers report it as a character the code page lacks.
class Utf16Decoder {
 public:
  explicit Utf16Decoder(ByteOrder order) : order_(order) {}
  // Appends the UTF-8 of `piece` to `out`.
  void Add(std::string_view piece, std::string& out);
  // The text ends here: what still waits for its rest becomes U+FFFD.
  void Finish(std::string& out);

 private:
  void Put(char32_t code_point, std::string& out);

  ByteOrder order_;
  bool started_ = false;         // a code unit was decoded: a mark now would be text
  int odd_byte_ = -1;            // the first byte of a code unit cut between pieces
  char16_t high_surrogate_ = 0;  // waiting for its low half
};

}  // namespace codepage
