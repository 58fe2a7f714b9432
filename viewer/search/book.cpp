#include "viewer/search/book.h"

#include <algorithm>
#include <utility>

#include "common/codepage.h"
#include "format/source_values.h"
#include "viewer/search/book_reader.h"

namespace viewer {

namespace {

// A header may claim more records than its file holds; room is made for at most this many
// before the records are there.
constexpr std::uint32_t kMostRecordsReservedAhead = 1u << 22;
// The phone list's four text columns, as docs/phone-book.md names them (UTF-8 here).
constexpr const char* kPhoneBookColumnNames[] = {"Фамилия", "Имя", "Адрес", "Прочее"};

class Loader : public BookVisitor {
 public:
  bool Layout(const BookLayout& layout, std::uint32_t record_count) override {
    book = Book(layout);
    book.Reserve(record_count);
    return true;
  }
  void Record(std::uint32_t, std::span<const std::string_view> values) override {
    book.Append(values);
  }

  Book book;
};

}  // namespace

std::vector<BookField> PhoneBookFields() {
  std::vector<BookField> fields;
  std::uint8_t place = 1;
  for (const char* name : kPhoneBookColumnNames) {
    BookField column;
    column.name = codepage::Utf8ToCp1251(name).value();
    column.flags = format::kFlagUpperCase | format::kFlagIgnoreCase;
    column.result_index = column.detail_index = place++;
    fields.push_back(column);
  }
  return fields;
}

Book::Book(BookLayout layout) : layout_(std::move(layout)), columns_(layout_.fields.size()) {}

void Book::Append(std::span<const std::string_view> values) {
  for (std::size_t field = 0; field < columns_.size(); ++field) {
    Column& column = columns_[field];
    if (field < values.size()) column.bytes += values[field];
    column.starts.push_back(column.bytes.size());
  }
  ++record_count_;
}

void Book::Reserve(std::uint32_t records) {
  const std::size_t room = std::min(records, kMostRecordsReservedAhead);
  for (Column& column : columns_) column.starts.reserve(room + 1);
}

StatusOr<Book> LoadBook(const std::string& path) {
  Loader loader;
  if (Status status = ReadBook(path, loader); !status.ok()) return status;
  return std::move(loader.book);
}

}  // namespace viewer
