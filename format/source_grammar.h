// The source file's header grammar, once: which values stand in the header and in each field
// block, in their order, with the comment the designer writes before each and how many leading
// bytes of it the builder reads as a number. The builder's header reader, the designer's reader
// and writer and the tests iterate these tables. docs/source-file.md describes the file.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace format {

// A header line that begins with this is a comment; every other line, an empty one too, is the
// next value. Data lines after the header know no comments.
inline constexpr char kCommentMark = ';';

inline bool IsCommentLine(std::string_view line) {
  return !line.empty() && line.front() == kCommentMark;
}

enum class HeaderValue { kPrefix, kVersion, kSplitter, kFieldCount, kRecordCount, kFlags, kName };
enum class FieldValue {
  kName,
  kType,
  kFlags,
  kNumSize,
  kQueryIndex,
  kResultIndex,
  kDetailIndex,
  kEditWidth,
  kResultWidth,
  kMaxSize,
};

template <typename Value>
struct ValueLine {
  Value value;
  const char* comment;       // the line the designer writes before the value
  std::size_t number_width;  // the builder reads a number from this many leading bytes; 0: text
};

// The splitter value stands only in files of a version above kLastVersionWithoutSplitter; its
// character is the second of its first kSplitterWidth bytes (it stands between quotes).
inline constexpr std::size_t kSplitterWidth = 3;

inline constexpr std::array<ValueLine<HeaderValue>, 7> kHeaderValues = {{
    {HeaderValue::kPrefix, "; prefix", 0},
    {HeaderValue::kVersion, "; version", 6},
    {HeaderValue::kSplitter, "; splitter char", kSplitterWidth},
    {HeaderValue::kFieldCount, "; fields", 16},
    {HeaderValue::kRecordCount, "; records", 16},
    {HeaderValue::kFlags, "; flags", 16},
    {HeaderValue::kName, "; db name", 0},
}};

// A field block, as many as the field count, after the header values.
inline constexpr std::array<ValueLine<FieldValue>, 10> kFieldValues = {{
    {FieldValue::kName, ";  name", 0},
    {FieldValue::kType, ";  type", 6},
    {FieldValue::kFlags, ";  flags", 6},
    {FieldValue::kNumSize, ";  size", 6},
    {FieldValue::kQueryIndex, ";  query index", 6},
    {FieldValue::kResultIndex, ";  result index", 6},
    {FieldValue::kDetailIndex, ";  detail index", 6},
    {FieldValue::kEditWidth, ";  edit size", 8},
    {FieldValue::kResultWidth, ";  result size", 8},
    {FieldValue::kMaxSize, ";  max size in char /edit", 8},
}};

}  // namespace format
