#include "designer/model/encoding.h"

#include <algorithm>
#include <utility>

#include "common/codepage.h"

namespace designer {

std::string EncodingLabel(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8:
      return "UTF-8";
    case TextEncoding::kUtf16:
      return "UTF-16";
    case TextEncoding::kCp1251:
      break;
  }
  return "1251";
}

LineReader::Utf16Input Utf16InputFor(std::optional<TextEncoding> encoding) {
  if (!encoding) return LineReader::Utf16Input::kByMark;
  return *encoding == TextEncoding::kUtf16 ? LineReader::Utf16Input::kAlways
                                           : LineReader::Utf16Input::kNever;
}

TextEncoding DetectEncoding(LineReader& lines) {
  const bool marked = lines.SkipByteOrderMark();  // reads the first block, which finds UTF-16
  if (lines.utf16()) return TextEncoding::kUtf16;
  if (marked) return TextEncoding::kUtf8;
  codepage::EncodingDetector detector;
  std::string piece;
  bool ended = false;
  while (lines.ReadPiece(LineReader::kBlockSize, piece, ended)) {
    if (!detector.Add(piece, ended)) break;
  }
  return detector.Result();
}

std::string ToDocumentText(std::string_view text, TextEncoding encoding) {
  if (encoding == TextEncoding::kCp1251) return std::string(text);
  std::string out;
  codepage::Utf8Converter converter;
  converter.Add(text, out);
  converter.Finish(out);
  return out;
}

DocumentLineReader::DocumentLineReader(LineReader& lines, TextEncoding encoding, std::string name)
    : lines_(lines), encoding_(encoding), name_(std::move(name)) {
  if (IsUtf8Text(encoding_)) lines_.SkipByteOrderMark();
}

void DocumentLineReader::StartLine() {
  ++line_number_;
  in_line_ = true;
  raw_ended_ = false;
  converted_.clear();
  handed_ = 0;
  converter_ = codepage::Utf8Converter();
}

bool DocumentLineReader::ReadRaw() {
  if (!lines_.ReadPiece(LineReader::kBlockSize, raw_, raw_ended_)) return false;
  converter_.Add(raw_, converted_);
  if (raw_ended_) converter_.Finish(converted_);
  return true;
}

bool DocumentLineReader::ReadPiece(std::size_t max_bytes, std::string& piece, bool& line_ended) {
  return ReadUncheckedPiece(max_bytes, piece, line_ended) && CheckLine(handed_);
}

bool DocumentLineReader::CheckLine(std::size_t line_bytes) {
  const std::optional<codepage::BadCharacter>& bad = converter_.first_bad();
  if (encoding_ == TextEncoding::kCp1251 || !bad || bad->output_at >= line_bytes) return true;
  status_ = Status::Refusal("Строка " + std::to_string(line_number_) + " файла «" +
                            FileNameForMessage(name_) + "» содержит " +
                            codepage::DescribeBadCharacter(*bad) +
                            ". Замените его в файле и повторите сохранение.");
  return false;
}

bool DocumentLineReader::ReadUncheckedPiece(std::size_t max_bytes, std::string& piece,
                                            bool& line_ended) {
  if (encoding_ == TextEncoding::kCp1251) return lines_.ReadPiece(max_bytes, piece, line_ended);
  piece.clear();
  line_ended = false;
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
  piece.assign(converted_, 0, count);
  converted_.erase(0, count);
  handed_ += count;
  if (converted_.empty() && raw_ended_) {
    in_line_ = false;
    line_ended = true;
  }
  return true;
}

bool DocumentLineReader::ReadLineInPlace(std::string_view& line) {
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
