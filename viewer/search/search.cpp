#include "viewer/search/search.h"

#include <algorithm>
#include <cstring>

#include "common/codepage.h"
#include "format/source_values.h"

namespace viewer {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Upper(char c) {
  return static_cast<char>(codepage::UpperCp1251(static_cast<unsigned char>(c)));
}

// Whether `value` holds the upper-case `text` at `at`, compared after upper-casing.
bool UpperEqualAt(std::string_view value, std::size_t at, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (Upper(value[at + i]) != text[i]) return false;
  }
  return true;
}

template <typename PlaceOf>
std::vector<std::size_t> FieldsByPlace(const BookLayout& layout, PlaceOf place_of) {
  std::vector<std::size_t> fields;
  for (std::size_t k = 0; k < layout.fields.size(); ++k) {
    if (place_of(layout.fields[k]) != 0) fields.push_back(k);
  }
  std::stable_sort(fields.begin(), fields.end(), [&](std::size_t a, std::size_t b) {
    return place_of(layout.fields[a]) < place_of(layout.fields[b]);
  });
  return fields;
}

}  // namespace

bool BoxTakes(std::uint8_t flags, std::string_view text) {
  return !(flags & format::kFlagDigitsOnly) || std::all_of(text.begin(), text.end(), IsDigit);
}

std::string AsTyped(std::uint8_t flags, std::string_view text) {
  std::string typed(text);
  if (flags & format::kFlagUpperCase) codepage::UpperCp1251InPlace(typed);
  return typed;
}

ValueMatcher::ValueMatcher(std::uint8_t flags, std::string_view text)
    : text_(AsTyped(flags, text)),
      within_(flags & format::kFlagSearchWithin),
      ignore_case_(flags & format::kFlagIgnoreCase) {
  if (ignore_case_) codepage::UpperCp1251InPlace(text_);
}

bool ValueMatcher::Matches(std::string_view value) const {
  if (value.size() < text_.size()) return false;
  if (!ignore_case_) {
    return within_ ? value.find(text_) != std::string_view::npos : value.starts_with(text_);
  }
  if (!within_) return UpperEqualAt(value, 0, text_);
  for (std::size_t at = 0; at + text_.size() <= value.size(); ++at) {
    if (UpperEqualAt(value, at, text_)) return true;
  }
  return false;
}

RecordMatcher RecordMatcher::AllBoxes(const BookLayout& layout,
                                      const std::vector<QueryBox>& boxes) {
  RecordMatcher matcher;
  for (const QueryBox& box : boxes) {
    if (box.text.empty() || box.field >= layout.fields.size()) continue;
    matcher.terms_.push_back({box.field, ValueMatcher(layout.fields[box.field].flags, box.text)});
  }
  return matcher;
}

RecordMatcher RecordMatcher::AnyField(const BookLayout& layout, std::string_view text) {
  RecordMatcher matcher;
  if (text.empty()) return matcher;
  matcher.any_ = true;
  for (std::size_t k = 0; k < layout.fields.size(); ++k) {
    matcher.terms_.push_back({k, ValueMatcher(layout.fields[k].flags, text)});
  }
  return matcher;
}

std::vector<std::uint32_t> FindRecords(const Book& book, const RecordMatcher& matcher) {
  std::vector<std::uint32_t> found;
  for (std::uint32_t r = 0; r < book.record_count(); ++r) {
    if (matcher.Matches([&](std::size_t field) { return book.Value(r, field); })) {
      found.push_back(r);
    }
  }
  return found;
}

std::vector<std::size_t> InputFields(const BookLayout& layout) {
  return FieldsByPlace(layout, [](const BookField& f) { return f.query_index; });
}

std::vector<std::size_t> ResultFields(const BookLayout& layout) {
  return FieldsByPlace(layout, [](const BookField& f) { return f.result_index; });
}

std::vector<std::size_t> DetailFields(const BookLayout& layout) {
  return FieldsByPlace(layout, [](const BookField& f) { return f.detail_index; });
}

}  // namespace viewer
