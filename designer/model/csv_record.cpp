#include "designer/model/csv_record.h"

#include <cstdint>
#include <cstring>

#include "designer/model/encoding.h"

namespace designer {
namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

// Position of `splitter` in `line`, or npos; an empty splitter is never found.
inline std::size_t FindSplitter(std::string_view line, std::string_view splitter) {
  // One byte, the usual case, is found by memchr; a general search compares at every candidate.
  if (splitter.size() == 1) {
    if (line.empty()) return std::string_view::npos;
    const void* hit = std::memchr(line.data(), splitter[0], line.size());
    return hit == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - line.data());
  }
  if (splitter.empty()) return std::string_view::npos;
  return line.find(splitter);
}

}  // namespace

std::string_view TrimValue(std::string_view value) {
  while (!value.empty() && IsTrimmed(value.front())) value.remove_prefix(1);
  while (!value.empty() && IsTrimmed(value.back())) value.remove_suffix(1);
  return value;
}

bool SplitRecord(std::string_view line, std::string_view splitter, int count,
                 RecordValues& values) {
  bool exact = true;
  for (int i = 0; i + 1 < count; ++i) {
    const std::size_t at = FindSplitter(line, splitter);
    if (at == std::string_view::npos) {
      values[i] = {};
      exact = false;
      continue;
    }
    values[i] = TrimValue(line.substr(0, at));
    line.remove_prefix(at + splitter.size());
  }
  values[count - 1] = TrimValue(line);
  return exact && FindSplitter(line, splitter) == std::string_view::npos;
}

std::size_t CountCells(std::string_view line, std::string_view splitter) {
  std::size_t cells = 1;
  for (std::size_t at = FindSplitter(line, splitter); at != std::string_view::npos;
       at = FindSplitter(line, splitter)) {
    ++cells;
    line.remove_prefix(at + splitter.size());
  }
  return cells;
}

std::vector<std::string> NamesOfCells(const std::vector<std::string_view>& cells,
                                      TextEncoding encoding, std::vector<std::string>* unmappable) {
  std::vector<std::string> names;
  for (const std::string_view cell : cells) {
    std::string text;
    std::string bad;
    if (encoding != TextEncoding::kCp1251) {
      codepage::Utf8Converter converter;
      converter.Add(cell, text);
      converter.Finish(text);
      // Only the characters the name keeps are written.
      if (converter.first_bad() && converter.first_bad()->output_at < kMaxNameLength)
        bad = codepage::DescribeBadCharacter(*converter.first_bad());
    } else {
      text = cell;
    }
    names.push_back(CutName(text));
    if (unmappable != nullptr) unmappable->push_back(bad);
  }
  return names;
}

std::vector<std::string> CellNames(std::string_view line, std::string_view splitter,
                                   TextEncoding encoding, std::vector<std::string>* unmappable) {
  std::vector<std::string_view> cells;
  for (std::size_t at = FindSplitter(line, splitter); at != std::string_view::npos;
       at = FindSplitter(line, splitter)) {
    cells.push_back(line.substr(0, at));
    line.remove_prefix(at + splitter.size());
  }
  cells.push_back(line);
  return NamesOfCells(cells, encoding, unmappable);
}

bool IsNumericValue(std::string_view value) {
  if (value.empty() || value.size() > 9) return false;
  for (char c : value) {
    if (c < '1' || c > '9') return false;
  }
  return true;
}

int NumberSize(std::string_view value) {
  std::uint32_t number = 0;  // nine digits stay below 10^9
  for (char c : value) number = number * 10 + static_cast<std::uint32_t>(c - '0');
  if (number <= 255) return 1;
  if (number <= 65535) return 2;
  if (number <= 1677725) return 3;
  return format::kMaxNumericSize;
}

}  // namespace designer
