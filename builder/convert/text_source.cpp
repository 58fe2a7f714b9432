#include "builder/convert/text_source.h"

#include <algorithm>
#include <cstring>

namespace builder {
namespace {

using codepage::TextEncoding;

constexpr std::size_t kBlockSize = 16384;

std::string NotText(std::uint64_t offset) {
  return "не является текстовым файлом: в нём есть байт с кодом 0 (смещение " +
         std::to_string(offset) + ")";
}

bool StartsWithByteOrderMark(std::string_view bytes) {
  return bytes.substr(0, codepage::kUtf8ByteOrderMark.size()) == codepage::kUtf8ByteOrderMark;
}

}  // namespace

TextSource::TextSource(const std::string& path, std::optional<TextEncoding> encoding) {
  auto file = std::make_unique<FileSource>(path);
  const bool opened = file->is_open();
  if (!opened) {
    open_error_ = file->open_error();
    status_ = Status::Error(open_error_);
  }
  bytes_ = std::move(file);
  if (opened) Start(encoding);
}

TextSource::TextSource(std::unique_ptr<ByteSource> bytes, std::optional<TextEncoding> encoding)
    : bytes_(std::move(bytes)) {
  Start(encoding);
}

void TextSource::Start(std::optional<TextEncoding> encoding) {
  opened_ = true;
  if (encoding) {
    encoding_ = *encoding;
  } else {
    Detect();
  }
}

void TextSource::Detect() {
  codepage::EncodingDetector detector;
  bool marked = false;
  bool utf16 = false;
  while (ReadRaw(kBlockSize)) {
    // The UTF-16 mark stands before the first NUL byte of the text that follows it.
    utf16 = raw_offset_ == 0 && codepage::Utf16Mark(raw_).has_value();
    marked = raw_offset_ == 0 && StartsWithByteOrderMark(raw_);
    // What follows a NUL byte is no text: the reading refuses the file there.
    if (utf16 || marked || !detector.Add(raw_) || !pending_refusal_.empty()) break;
  }
  encoding_ = utf16 ? TextEncoding::kUtf16 : marked ? TextEncoding::kUtf8 : detector.Result();
  pending_refusal_.clear();
  raw_.clear();
  raw_offset_ = 0;
  if (status_.ok()) status_ = bytes_->Rewind();
}

bool TextSource::ReadRaw(std::size_t size) {
  raw_offset_ += raw_.size();
  // Read into a block that is never cleared: a short input costs only the bytes it has.
  if (!block_) block_ = std::make_unique_for_overwrite<char[]>(kBlockSize);
  StatusOr<std::size_t> got = bytes_->Read(block_.get(), std::min(size, kBlockSize));
  if (!got.ok()) {
    status_ = got.status();
    raw_.clear();
    return false;
  }
  raw_.assign(block_.get(), got.value());
  if (encoding_ == TextEncoding::kUtf16) return !raw_.empty();
  if (const void* nul = std::memchr(raw_.data(), '\0', raw_.size())) {
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(nul) - raw_.data());
    pending_refusal_ = NotText(raw_offset_ + at);
    raw_.resize(at);
  }
  return !raw_.empty();
}

void TextSource::ConvertNextBlock() {
  produced_ += converted_.size();
  line_feeds_ += std::count(converted_.begin(), converted_.end(), '\n');
  converted_.clear();
  handed_ = 0;
  serve_limit_ = 0;
  bool more = ReadRaw(kBlockSize) && pending_refusal_.empty();
  if (!status_.ok()) return;
  std::string_view text = raw_;
  std::string decoded;
  if (encoding_ == TextEncoding::kUtf16) {
    DecodeUtf16(!more, decoded);
    more = more && pending_refusal_.empty();
    text = decoded;
  } else if (raw_offset_ == 0 && StartsWithByteOrderMark(text)) {
    text.remove_prefix(codepage::kUtf8ByteOrderMark.size());
  }
  converter_.Add(text, converted_);
  // At the end of the input a character still waiting for its rest is malformed; before a NUL
  // byte it does not matter, the reading stops there.
  if (!more && pending_refusal_.empty()) converter_.Finish(converted_);
  input_ended_ = !more;
  serve_limit_ = converted_.size();
  if (read_past_unmappable_) {
    KeepUnmappable();
    return;
  }
  const auto& bad = converter_.first_bad();
  if (bad && bad->output_at >= produced_) {
    serve_limit_ = static_cast<std::size_t>(bad->output_at - produced_);
    const auto line_feeds = std::count(converted_.begin(), converted_.begin() + serve_limit_, '\n');
    pending_refusal_ = "строка " + std::to_string(line_feeds_ + line_feeds + 1) + " содержит " +
                       codepage::DescribeBadCharacter(*bad);
  }
}

void TextSource::ReadPastUnmappable() {
  read_past_unmappable_ = true;
  converter_.KeepEveryBad();
}

void TextSource::KeepUnmappable() {
  std::int64_t line = line_feeds_ + 1;
  std::size_t counted = 0;
  for (const codepage::BadCharacter& bad : converter_.TakeEveryBad()) {
    const auto at = static_cast<std::size_t>(bad.output_at - produced_);
    line += std::count(converted_.begin() + counted, converted_.begin() + at, '\n');
    counted = at;
    unmappable_.push_back({line, codepage::DescribeBadCharacter(bad)});
  }
}

std::vector<TextSource::LineFault> TextSource::TakeUnmappable(std::int64_t line) {
  std::vector<LineFault> taken;
  while (!unmappable_.empty() && unmappable_.front().line <= line) {
    taken.push_back(std::move(unmappable_.front()));
    unmappable_.pop_front();
  }
  return taken;
}

void TextSource::DecodeUtf16(bool last, std::string& text) {
  if (!utf16_) {
    utf16_.emplace(codepage::Utf16Mark(raw_).value_or(codepage::ByteOrder::kLittleEndian));
  }
  utf16_->Add(raw_, text);
  if (last) utf16_->Finish(text);
  if (const std::size_t nul = text.find('\0'); nul != std::string::npos) {
    pending_refusal_ = NotText(decoded_ + nul);
    text.resize(nul);
  }
  decoded_ += text.size();
}

StatusOr<std::size_t> TextSource::Read(char* buffer, std::size_t size) {
  if (!status_.ok()) return status_;
  if (encoding_ == TextEncoding::kCp1251) {
    if (pending_refusal_.empty()) ReadRaw(size);
    if (raw_.empty() && !pending_refusal_.empty()) status_ = Status::Refusal(pending_refusal_);
    if (!status_.ok()) return status_;
    std::memcpy(buffer, raw_.data(), raw_.size());
    const std::size_t got = raw_.size();
    raw_offset_ += got;
    raw_.clear();
    return got;
  }
  while (handed_ == serve_limit_) {
    if (!pending_refusal_.empty()) status_ = Status::Refusal(pending_refusal_);
    if (!status_.ok()) return status_;
    if (input_ended_) return 0;
    ConvertNextBlock();
  }
  const std::size_t got = std::min(size, serve_limit_ - handed_);
  std::memcpy(buffer, converted_.data() + handed_, got);
  handed_ += got;
  return got;
}

}  // namespace builder
