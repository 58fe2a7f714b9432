#include "viewer/search/book_reader.h"

#include <vector>

#include "builder/convert/database_reader.h"

namespace viewer {

namespace {

BookField TableField(const builder::DbFieldDesc& desc) {
  return {.name = desc.name,
          .flags = desc.flags,
          .query_index = desc.query_index,
          .result_index = desc.result_index,
          .detail_index = desc.detail_index,
          .edit_width = desc.edit_size,
          .result_width = desc.result_size};
}

// The reader's parts, passed on as a layout and records of text.
class Adapter : public builder::DatabaseVisitor {
 public:
  explicit Adapter(BookVisitor& visitor) : visitor_(visitor) {}

  void TableHeader(const builder::DbHeader& header) override {
    layout_.kind = BookKind::kTable;
    layout_.name = header.name;
    record_count_ = header.record_count;
  }
  void TableField(int, const builder::DbFieldDesc& field) override {
    layout_.fields.push_back(viewer::TableField(field));
  }
  void PhoneBookHeader(std::uint32_t records, int, const std::string& name) override {
    layout_.kind = BookKind::kPhoneBook;
    layout_.name = name;
    layout_.fields = PhoneBookFields();
    record_count_ = records;
  }
  void Record(std::int64_t number, const std::vector<std::string>& values) override {
    GiveLayout();
    if (!records_wanted_) return;
    views_.assign(values.begin(), values.end());
    visitor_.Record(static_cast<std::uint32_t>(number), views_);
  }
  void End(std::int64_t) override { GiveLayout(); }
  bool records_wanted() const { return records_wanted_; }

 private:
  // The fields come one by one, so the layout is whole only when the records begin.
  void GiveLayout() {
    if (layout_given_) return;
    layout_given_ = true;
    records_wanted_ = visitor_.Layout(layout_, record_count_);
  }

  BookVisitor& visitor_;
  BookLayout layout_;
  std::uint32_t record_count_ = 0;
  bool layout_given_ = false;
  bool records_wanted_ = true;
  std::vector<std::string_view> views_;
};

}  // namespace

Status ReadBook(const std::string& path, BookVisitor& visitor) {
  Adapter adapter(visitor);
  bool packed = false;
  builder::ReadFailure failure;
  // The reader goes on to the end, but what it finds after records that were not wanted is no
  // concern of the visitor.
  if (builder::ReadDatabase(path, adapter, packed, failure) || !adapter.records_wanted()) {
    return Status::Ok();
  }
  return Status::Error("смещение " + std::to_string(failure.offset) +
                       (packed ? " в распакованных данных" : "") + ": " + failure.reason);
}

}  // namespace viewer
