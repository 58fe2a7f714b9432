#include "designer/model/csv_quoted.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

namespace designer {
namespace {

// Where `what` (one byte, the usual case, or more) next stands in `text` from `from`; npos when
// it does not, or when it is empty.
std::size_t Find(std::string_view text, std::string_view what, std::size_t from) {
  if (what.empty() || from >= text.size()) return std::string_view::npos;
  if (what.size() == 1) {
    const void* hit = std::memchr(text.data() + from, what[0], text.size() - from);
    return hit == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
  }
  return text.find(what, from);
}

// Whether `line`, a line as the line reader hands it out (no line end, no Ctrl+Z), holds a
// control character. Eight bytes at a time: a byte below 32 sets the high bit of some byte of the
// test (bytes of 128 and above never do).
bool HoldsControlCharacters(std::string_view line) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t at = 0;
  for (; at + sizeof(std::uint64_t) <= line.size(); at += sizeof(std::uint64_t)) {
    std::uint64_t word;
    std::memcpy(&word, line.data() + at, sizeof word);
    if (((word - ' ' * kOnes) & ~word & kHighBits) != 0) return true;
  }
  for (; at < line.size(); ++at) {
    if (static_cast<unsigned char>(line[at]) < ' ') return true;
  }
  return false;
}

}  // namespace

QuotedRecordReader::QuotedRecordReader(LineReader& lines, std::string splitter,
                                       std::int64_t first_line)
    : lines_(lines), splitter_(std::move(splitter)), next_line_(first_line) {}

bool QuotedRecordReader::NextLine() {
  if (!lines_.ReadLineInPlace(text_)) {
    if (!lines_.ReadLine(copy_)) return false;
    text_ = copy_;
  }
  may_hold_controls_ = may_hold_controls_ || HoldsControlCharacters(text_);
  ++next_line_;
  pos_ = 0;
  return true;
}

void QuotedRecordReader::StoreParts() {
  // The last part is the value being read, which is stored as it goes on.
  for (std::size_t i = 0; i + 1 < parts_.size(); ++i) {
    Part& part = parts_[i];
    if (part.stored) continue;
    const std::size_t begin = store_.size();
    store_.append(text_.substr(part.begin, part.end - part.begin));
    part = {true, begin, store_.size()};
  }
}

void QuotedRecordReader::ReadQuoted(Part& part) {
  has_quoted_value_ = true;
  std::size_t start = pos_;          // of the text not yet taken
  std::optional<std::size_t> built;  // where the value begins in store_, once it is built there
  const auto build = [&](std::size_t end) {
    if (!built) built = store_.size();
    store_.append(text_.substr(start, end - start));
  };
  for (;;) {
    const std::size_t quote = Find(text_, std::string_view(&kQuote, 1), pos_);
    if (quote == std::string_view::npos) {
      // The value goes on in the next line: its line break is text.
      StoreParts();
      build(text_.size());
      if (!NextLine()) {
        quote_left_open_ = true;
        well_formed_ = false;
        pos_ = text_.size();
        part = {true, *built, store_.size()};
        return;
      }
      store_.push_back('\n');
      ++line_breaks_;
      may_hold_controls_ = true;
      start = 0;
      continue;
    }
    if (quote + 1 < text_.size() && text_[quote + 1] == kQuote) {  // a doubled quote is one quote
      build(quote + 1);
      pos_ = start = quote + 2;
      continue;
    }
    pos_ = quote + 1;
    if (!built) {
      part = {false, start, quote};
      return;
    }
    build(quote);
    part = {true, *built, store_.size()};
    return;
  }
}

bool QuotedRecordReader::ReadValue(bool quoted) {
  // Filled in place: a part built on the side and copied in would cost more than the rest.
  Part& part = parts_.emplace_back();
  part.begin = pos_;
  if (quoted) {
    ++pos_;
    ReadQuoted(part);
    if (quote_left_open_) return false;
  }
  // After a closing quote the splitter follows at once, as a rule: no search for it then.
  const bool next = splitter_.size() == 1
                        ? pos_ < text_.size() && text_[pos_] == splitter_[0]
                        : !splitter_.empty() && text_.substr(pos_).starts_with(splitter_);
  const std::size_t splitter = next ? pos_ : Find(text_, splitter_, pos_);
  const std::size_t end = splitter == std::string_view::npos ? text_.size() : splitter;
  if (!quoted) {
    part.end = end;
    // In a value without quotes, no quote may stand.
    if (Find(text_.substr(0, end), std::string_view(&kQuote, 1), part.begin) !=
        std::string_view::npos)
      well_formed_ = false;
  } else if (end > pos_) {
    // After a closing quote nothing may stand before the splitter; what does is text.
    well_formed_ = false;
    std::string value(
        (part.stored ? std::string_view(store_) : text_).substr(part.begin, part.end - part.begin));
    value.append(text_.substr(pos_, end - pos_));
    part = {true, store_.size(), store_.size() + value.size()};
    store_ += value;
  }
  if (splitter == std::string_view::npos) {
    pos_ = text_.size();
    return false;
  }
  pos_ = splitter + splitter_.size();
  return true;
}

bool QuotedRecordReader::Next(std::vector<std::string_view>& cells) {
  cells.clear();
  parts_.clear();
  store_.clear();
  text_ = {};
  line_breaks_ = 0;
  has_quoted_value_ = false;
  well_formed_ = true;
  quote_left_open_ = false;
  may_hold_controls_ = false;
  record_line_ = next_line_;
  if (!NextLine()) return false;
  if (!text_.empty()) {
    bool more = true;
    while (more) more = ReadValue(pos_ < text_.size() && text_[pos_] == kQuote);
  }
  for (const Part& part : parts_) {
    cells.push_back(
        (part.stored ? std::string_view(store_) : text_).substr(part.begin, part.end - part.begin));
  }
  return true;
}

bool QuotedRecordReader::Skip() {
  std::vector<std::string_view> cells;
  return Next(cells);
}

}  // namespace designer
