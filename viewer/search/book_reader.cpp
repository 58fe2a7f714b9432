#include "viewer/search/book_reader.h"

#include <array>
#include <vector>

#include "common/byte_source.h"
#include "format/database_reader.h"

namespace viewer {

namespace {

BookField TableField(const format::DbFieldDesc& desc) {
  return {.name = desc.name,
          .flags = desc.flags,
          .query_index = desc.query_index,
          .result_index = desc.result_index,
          .detail_index = desc.detail_index,
          .edit_width = desc.edit_width,
          .result_width = desc.result_size};
}

BookLayout LayoutOf(const format::DatabaseReader& reader) {
  BookLayout layout;
  layout.kind = reader.kind();
  if (reader.kind() == BookKind::kPhoneBook) {
    layout.name = reader.phone_book().name;
    layout.fields = PhoneBookFields();
  } else {
    layout.name = reader.header().name;
    for (const format::DbFieldDesc& field : reader.fields()) layout.fields.push_back(TableField(field));
  }
  return layout;
}

}  // namespace

Status ReadBook(const std::string& path, BookVisitor& visitor) {
  FileSource source(path);
  format::DatabaseReader reader(source);
  if (Status header = reader.ReadHeader(); !header.ok()) return header;
  // What the file holds after records that were not wanted is no concern of the visitor.
  if (!visitor.Layout(LayoutOf(reader), reader.record_count())) return Status::Ok();
  format::BookRecord record;
  std::vector<std::string_view> views;
  std::vector<std::array<char, 16>> numbers;  // the decimal text of numeric values
  while (reader.NextRecord(record)) {
    views.resize(record.values.size());
    numbers.resize(record.values.size());
    for (std::size_t i = 0; i < record.values.size(); ++i) {
      const format::StoredValue& value = record.values[i];
      views[i] = value.numeric()
                     ? std::string_view(numbers[i].data(),
                                        format::NumberText(value.number, value.number_size,
                                                           numbers[i].data()))
                     : value.text;
    }
    visitor.Record(record.number, views);
  }
  return reader.status();
}

}  // namespace viewer
