// The road from a book file to the search: the database reader, read through to the book's
// layout and each record's values as text. A numeric value becomes its decimal text, as
// `bwick dump` prints it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_source.h"
#include "common/status.h"
#include "viewer/search/book.h"

namespace viewer {

class BookVisitor {
 public:
  virtual ~BookVisitor() = default;
  // Once, before the first record; `record_count` is what the header says. False when no record
  // is wanted: ReadBook then ends without any.
  virtual bool Layout(const BookLayout& layout, std::uint32_t record_count) = 0;
  // Record `number` (1 for the first), one value per field; the views last for the call.
  virtual void Record(std::uint32_t number, std::span<const std::string_view> values) = 0;
};

// The values of `record` as text, into `views`: a text value's bytes, a number's decimal text
// (held in `numbers`). The views last until the record or `numbers` change.
void ValueTexts(const format::BookRecord& record, std::vector<std::string_view>& views,
                std::vector<std::array<char, 16>>& numbers);

// Reads the table database or phone book from `source`, or at `path`, packed or not, to its end
// marker. An Error that says where and what is wrong when the file cannot be read or is damaged
// before the reading ends; the visitor has then seen the records before the fault.
Status ReadBook(ByteSource& source, BookVisitor& visitor);
Status ReadBook(const std::string& path, BookVisitor& visitor);

}  // namespace viewer
