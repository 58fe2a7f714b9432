#include "common/text_encoding.h"

#include <algorithm>
#include <cstdio>

#include "common/codepage.h"

namespace codepage {
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

bool EncodingDetector::Add(std::string_view bytes, bool line_ended) {
  if (ruled_out_) return false;
  std::string joined;
  if (!waiting_.empty()) {
    joined = waiting_;
    joined += bytes;
    bytes = joined;
  }
  // A line end inside a character breaks it, so at a line's end nothing may wait.
  const std::size_t tail = line_ended ? 0 : IncompleteTail(bytes);
  const std::string_view whole = bytes.substr(0, bytes.size() - tail);
  if (!IsValidUtf8(whole)) {
    ruled_out_ = true;
    return false;
  }
  high_ = high_ || HasHighByte(whole);
  waiting_.assign(bytes.substr(bytes.size() - tail));
  return true;
}

TextEncoding EncodingDetector::Result() const {
  return !ruled_out_ && waiting_.empty() && high_ ? TextEncoding::kUtf8 : TextEncoding::kCp1251;
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
  if (keep_every_bad_) every_bad_.push_back({std::string(bytes), code_point, malformed, produced_});
  out.push_back('?');
  ++produced_;
}

void Utf8Converter::Convert(std::string_view text, std::string& out) {
  while (!text.empty()) {
    // Everything before a failure converts, a byte for each character.
    Unmappable failure;
    const std::size_t before = out.size();
    const bool whole = AppendUtf8AsCp1251(text, out, failure);
    produced_ += out.size() - before;
    if (whole) return;
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

std::optional<ByteOrder> Utf16Mark(std::string_view bytes) {
  if (bytes.size() < 2) return std::nullopt;
  if (bytes[0] == '\xFF' && bytes[1] == '\xFE') return ByteOrder::kLittleEndian;
  if (bytes[0] == '\xFE' && bytes[1] == '\xFF') return ByteOrder::kBigEndian;
  return std::nullopt;
}

void Utf16Decoder::Put(char32_t code_point, std::string& out) {
  if (code_point < 0x80) {
    out.push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else if (code_point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code_point >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

void Utf16Decoder::Add(std::string_view piece, std::string& out) {
  out.reserve(out.size() + piece.size() * 3 / 2);
  std::size_t at = 0;
  while (at < piece.size()) {
    unsigned first = 0;
    if (odd_byte_ >= 0) {
      first = static_cast<unsigned>(odd_byte_);
      odd_byte_ = -1;
    } else if (at + 1 == piece.size()) {
      odd_byte_ = static_cast<unsigned char>(piece[at]);
      return;
    } else {
      first = static_cast<unsigned char>(piece[at++]);
    }
    const unsigned second = static_cast<unsigned char>(piece[at++]);
    const auto unit = static_cast<char16_t>(
        order_ == ByteOrder::kLittleEndian ? first | (second << 8) : (first << 8) | second);
    const bool mark = !started_ && unit == 0xFEFF;
    started_ = true;
    if (mark) continue;
    if (high_surrogate_ != 0) {
      const char16_t high = high_surrogate_;
      high_surrogate_ = 0;
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        Put(0x10000 + ((char32_t{high} - 0xD800) << 10) + (unit - 0xDC00), out);
        continue;
      }
      Put(kReplacementCharacter, out);
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      high_surrogate_ = unit;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      Put(kReplacementCharacter, out);
    } else {
      Put(unit, out);
    }
  }
}

void Utf16Decoder::Finish(std::string& out) {
  if (high_surrogate_ != 0) Put(kReplacementCharacter, out);
  if (odd_byte_ >= 0) Put(kReplacementCharacter, out);
  high_surrogate_ = 0;
  odd_byte_ = -1;
}

}  // namespace codepage
