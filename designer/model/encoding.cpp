#include "designer/model/encoding.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "common/codepage.h"

namespace designer {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr std::string_view kReplacementBytes = "\xEF\xBF\xBD";

// Bytes of the UTF-8 sequence that `lead` begins; 1 for a byte that begins none.
std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead < 0xF8) return 4;
  if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Bytes of UTF-8 encoding of `code_point`.
std::size_t EncodedLength(char32_t code_point) {
  if (code_point < 0x80) return 1;
  if (code_point < 0x800) return 2;
  if (code_point < 0x10000) return 3;
  return 4;
}

// Bytes at the end of `text` that begin a character whose rest is still to come.
std::size_t IncompleteTail(std::string_view text) {
  for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
    const auto byte = static_cast<unsigned char>(text[text.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: its lead lies further back
    return SequenceLength(byte) > back ? back : 0;
  }
  return 0;
}

bool HasHighByte(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::string Hex(unsigned value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

}  // namespace

std::string EncodingLabel(TextEncoding encoding) {
  return encoding == TextEncoding::kUtf8 ? "UTF-8" : "1251";
}

TextEncoding DetectEncoding(LineReader& lines) {
  if (lines.SkipByteOrderMark()) return TextEncoding::kUtf8;
  bool high = false;
  std::string piece;
  std::string waiting;  // a character cut at the end of the last piece of a line
  std::string joined;
  bool ended = false;
  while (lines.ReadPiece(&piece, LineReader::kBlockSize, &ended)) {
    std::string_view text = piece;
    if (!waiting.empty()) {
      joined = waiting + piece;
      text = joined;
    }
    // A line end inside a character breaks it, so at a line's end nothing may wait.
    const std::size_t tail = ended ? 0 : IncompleteTail(text);
    const std::string_view whole = text.substr(0, text.size() - tail);
    if (!codepage::IsValidUtf8(whole)) return TextEncoding::kCp1251;
    high = high || HasHighByte(whole);
    waiting.assign(text.substr(text.size() - tail));
  }
  return high ? TextEncoding::kUtf8 : TextEncoding::kCp1251;
}

std::string DescribeBadCharacter(const BadCharacter& bad) {
  if (bad.malformed || bad.bytes.empty()) {
    const auto byte = bad.bytes.empty() ? 0u : static_cast<unsigned char>(bad.bytes[0]);
    return "байт 0x" + Hex(byte, 2) + ", который не является частью символа UTF-8";
  }
  return "символ U+" + Hex(bad.code_point, 4) + " «" + bad.bytes +
         "», которого нет в кодировке Windows-1251";
}

void Utf8Converter::Replace(std::string_view bytes, char32_t code_point, bool malformed,
                            std::string& out) {
  if (!first_bad_) first_bad_ = BadCharacter{std::string(bytes), code_point, malformed, produced_};
  out.push_back('?');
  ++produced_;
}

void Utf8Converter::Convert(std::string_view text, std::string& out) {
  while (!text.empty()) {
    codepage::Unmappable failure;
    if (const auto converted = codepage::Utf8ToCp1251(text, &failure)) {
      out += *converted;
      produced_ += converted->size();
      return;
    }
    // Everything before the failure converts.
    const std::string good = codepage::Utf8ToCp1251(text.substr(0, failure.offset)).value_or("");
    out += good;
    produced_ += good.size();
    const std::string_view rest = text.substr(failure.offset);
    // The converter reports a malformed sequence as U+FFFD; a real U+FFFD is three bytes.
    const bool malformed = failure.code_point == kReplacementCharacter &&
                           rest.substr(0, kReplacementBytes.size()) != kReplacementBytes;
    const std::size_t length =
        std::min(rest.size(), malformed ? std::size_t{1} : EncodedLength(failure.code_point));
    Replace(rest.substr(0, length), failure.code_point, malformed, out);
    text = rest.substr(length);
  }
}

void Utf8Converter::Add(std::string_view piece, std::string& out) {
  std::string joined;
  if (!waiting_.empty()) {
    joined = waiting_;
    joined += piece;
    piece = joined;
  }
  const std::size_t tail = IncompleteTail(piece);
  Convert(piece.substr(0, piece.size() - tail), out);
  waiting_.assign(piece.substr(piece.size() - tail));
}

void Utf8Converter::Finish(std::string& out) {
  const std::string rest = std::move(waiting_);
  waiting_.clear();
  Convert(rest, out);
}

std::string ToDocumentText(std::string_view text, TextEncoding encoding) {
  if (encoding == TextEncoding::kCp1251) return std::string(text);
  std::string out;
  Utf8Converter converter;
  converter.Add(text, out);
  converter.Finish(out);
  return out;
}

DocumentLineReader::DocumentLineReader(LineReader& lines, TextEncoding encoding, std::string name)
    : lines_(lines), encoding_(encoding), name_(std::move(name)) {
  if (encoding_ == TextEncoding::kUtf8) lines_.SkipByteOrderMark();
}

void DocumentLineReader::StartLine() {
  ++line_number_;
  in_line_ = true;
  raw_ended_ = false;
  converted_.clear();
  handed_ = 0;
  converter_ = Utf8Converter();
}

bool DocumentLineReader::ReadRaw() {
  if (!lines_.ReadPiece(&raw_, LineReader::kBlockSize, &raw_ended_)) return false;
  converter_.Add(raw_, converted_);
  if (raw_ended_) converter_.Finish(converted_);
  return true;
}

bool DocumentLineReader::ReadPiece(std::string* piece, std::size_t max_bytes, bool* line_ended) {
  return ReadUncheckedPiece(piece, max_bytes, line_ended) && CheckLine(handed_);
}

bool DocumentLineReader::CheckLine(std::size_t line_bytes) {
  const std::optional<BadCharacter>& bad = converter_.first_bad();
  if (encoding_ == TextEncoding::kCp1251 || !bad || bad->output_at >= line_bytes) return true;
  status_ = Status::Refusal("Строка " + std::to_string(line_number_) + " файла «" +
                            PathForMessage(std::filesystem::path(name_).filename().string()) +
                            "» содержит " + DescribeBadCharacter(*bad) +
                            ". Замените его в файле и повторите сохранение.");
  return false;
}

bool DocumentLineReader::ReadUncheckedPiece(std::string* piece, std::size_t max_bytes,
                                            bool* line_ended) {
  if (encoding_ == TextEncoding::kCp1251) return lines_.ReadPiece(piece, max_bytes, line_ended);
  piece->clear();
  *line_ended = false;
  if (!status_.ok()) return false;
  if (!in_line_) {
    StartLine();
    if (!ReadRaw()) {
      in_line_ = false;
      return false;
    }
  }
  while (converted_.size() < max_bytes && !raw_ended_) {
    if (!ReadRaw()) return false;
  }
  const std::size_t count = std::min(max_bytes, converted_.size());
  piece->assign(converted_, 0, count);
  converted_.erase(0, count);
  handed_ += count;
  if (converted_.empty() && raw_ended_) {
    in_line_ = false;
    *line_ended = true;
  }
  return true;
}

bool DocumentLineReader::ReadLineInPlace(std::string_view* line) {
  return encoding_ == TextEncoding::kCp1251 && lines_.ReadLineInPlace(line);
}

bool DocumentLineReader::SkipLine() {
  if (encoding_ == TextEncoding::kCp1251) return lines_.SkipLine();
  if (!status_.ok()) return false;
  if (!in_line_) StartLine();
  in_line_ = false;
  converted_.clear();
  return raw_ended_ || lines_.SkipLine();
}

}  // namespace designer
