// A reference book held in memory for searching: its layout (name, fields and their places on
// the handheld's screens) and every record's values as text, as the handheld holds a book it
// opened. Values are Windows-1251 bytes; a numeric value is its decimal text.
//
// Each field's values lie one after another in one block of their own, so that a search on one
// field reads one block from start to end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "format/database_reader.h"

namespace viewer {

using BookKind = format::BookKind;

// One field as the table database describes it. A phone book's four text columns get their names,
// the flags of its search (capitals as typed, letter case ignored) and no widths.
struct BookField {
  std::string name;  // Windows-1251
  std::uint8_t flags = 0;
  std::uint8_t query_index = 0;   // 1-based place on the query screen; 0: no box
  std::uint8_t result_index = 0;  // 1-based column of the result list; 0: not shown
  std::uint8_t detail_index = 0;  // 1-based place on the record card; 0: not shown
  int edit_width = 0;             // pixels
  int result_width = 0;           // pixels
};

struct BookLayout {
  BookKind kind = BookKind::kTable;
  std::string name;  // Windows-1251
  std::vector<BookField> fields;
};

// The four text columns of a phone book as fields: in every list and on the card in their order,
// searched by one box from their start with letter case ignored (they are stored in capitals).
std::vector<BookField> PhoneBookFields();

class Book {
 public:
  Book() = default;
  explicit Book(BookLayout layout);

  const BookLayout& layout() const { return layout_; }
  std::uint32_t record_count() const { return record_count_; }

  // Value `field` (0-based, layout order) of record `record` (0-based, file order).
  std::string_view Value(std::uint32_t record, std::size_t field) const {
    const Column& column = columns_[field];
    const std::size_t start = column.starts[record];
    return std::string_view(column.bytes).substr(start, column.starts[record + 1] - start);
  }

  // Adds a record at the end: one value per field of the layout.
  void Append(std::span<const std::string_view> values);
  // Room for `records` records, as far as a header can be trusted to tell.
  void Reserve(std::uint32_t records);

 private:
  struct Column {
    std::string bytes;                   // the values, back to back
    std::vector<std::size_t> starts{0};  // record r is bytes[starts[r], starts[r + 1])
  };

  BookLayout layout_;
  std::vector<Column> columns_;
  std::uint32_t record_count_ = 0;
};

// Reads the table database or phone book at `path`, packed or not. An Error that says what is
// wrong when it cannot be read or is damaged.
StatusOr<Book> LoadBook(const std::string& path);

}  // namespace viewer
