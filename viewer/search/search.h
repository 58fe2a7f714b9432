// How the handheld searches a book, as each field's flags say (docs/search.md):
// - input: a digits-only box takes 0 to 9 alone; an upper-case box turns letters into capitals
//   as they are typed;
// - matching: a value begins with the box's text, or contains it anywhere; bytes compare as they
//   are, or both sides after the Windows-1251 upper-casing;
// - a record matches when every box that is not empty matches its field; results keep the
//   file's order.
// Texts are Windows-1251 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/search/book.h"

namespace viewer {

// Whether the box of a field with `flags` takes `text` (typed or pasted).
bool BoxTakes(std::uint8_t flags, std::string_view text);

// `text` as the box of a field with `flags` holds it once typed.
std::string AsTyped(std::uint8_t flags, std::string_view text);

// One box's text against the values of its field.
class ValueMatcher {
 public:
  // `text` is what was typed; the box's input rules apply to it here.
  ValueMatcher(std::uint8_t flags, std::string_view text);
  bool Matches(std::string_view value) const;

 private:
  std::string text_;  // upper-cased when letter case is ignored
  bool within_;
  bool ignore_case_;
};

// The text of one box of a query: the field it searches (0-based, layout order).
struct QueryBox {
  std::size_t field = 0;
  std::string text;
};

class RecordMatcher {
 public:
  // Every box that is not empty must match its field.
  static RecordMatcher AllBoxes(const BookLayout& layout, const std::vector<QueryBox>& boxes);
  // One box for every field: some field matches the text by its flags (the phone book's box).
  static RecordMatcher AnyField(const BookLayout& layout, std::string_view text);

  // `value_at(field)` gives the record's value of a field.
  template <typename ValueAt>
  bool Matches(const ValueAt& value_at) const {
    if (terms_.empty()) return true;
    for (const Term& term : terms_) {
      const bool matched = term.matcher.Matches(value_at(term.field));
      if (any_ && matched) return true;
      if (!any_ && !matched) return false;
    }
    return !any_;
  }

 private:
  struct Term {
    std::size_t field;
    ValueMatcher matcher;
  };

  std::vector<Term> terms_;
  bool any_ = false;  // one term that matches is enough
};

// The numbers (0-based) of the records of `book` that match, in the file's order.
std::vector<std::uint32_t> FindRecords(const Book& book, const RecordMatcher& matcher);

// The fields (0-based) that have a query box, a result column or a place on the record card, in
// the order of those places (fields sharing a place in field order).
std::vector<std::size_t> InputFields(const BookLayout& layout);
std::vector<std::size_t> ResultFields(const BookLayout& layout);
std::vector<std::size_t> DetailFields(const BookLayout& layout);

}  // namespace viewer
