#include "spreadsheet/xlsx_book.h"

#include <algorithm>

#include "spreadsheet/failure.h"
#include "spreadsheet/xlsx_parts.h"
#include "spreadsheet/xlsx_sheet.h"

namespace spreadsheet {
namespace {

const Relationship* FindType(const std::vector<Relationship>& all, std::string_view type) {
  const auto found =
      std::find_if(all.begin(), all.end(), [&](const Relationship& r) { return r.type == type; });
  return found == all.end() ? nullptr : &*found;
}

class XlsxWorkbook : public Workbook {
 public:
  explicit XlsxWorkbook(std::unique_ptr<ZipArchive> archive) : archive_(std::move(archive)) {}

  Status Open() {
    const StatusOr<std::vector<Relationship>> package = ReadRelationships(*archive_, "");
    if (!package.ok()) return package.status();
    const Relationship* office = FindType(package.value(), "officeDocument");
    if (office == nullptr) return Damaged(archive_->file(), "_rels/.rels", "в архиве нет книги");
    const StatusOr<XlsxBookPart> book = ReadBookPart(*archive_, office->target);
    if (!book.ok()) return book.status();
    const StatusOr<std::vector<Relationship>> read = ReadRelationships(*archive_, office->target);
    if (!read.ok()) return read.status();
    const std::vector<Relationship>& parts = read.value();
    for (const XlsxSheetEntry& entry : book->sheets) {
      const auto found = std::find_if(parts.begin(), parts.end(), [&](const Relationship& r) {
        return r.id == entry.relationship;
      });
      if (found == parts.end())
        return Damaged(archive_->file(), office->target, "у листа «" + entry.name + "» нет части");
      // Chart sheets hold no cells.
      if (found->type != "worksheet") continue;
      sheets_.push_back({entry.name, entry.hidden});
      members_.push_back(found->target);
    }
    epoch1904_ = book->epoch1904;
    if (const Relationship* strings = FindType(parts, "sharedStrings"))
      strings_member_ = strings->target;
    if (const Relationship* styles = FindType(parts, "styles")) styles_member_ = styles->target;
    return Status::Ok();
  }

  const std::vector<SheetInfo>& sheets() const override { return sheets_; }

  Status ReadSheet(std::size_t index, RowSink& sink, SheetWarnings& warnings) override {
    if (index >= sheets_.size())
      return Status::Refusal("В книге нет листа номер " + std::to_string(index + 1));
    if (Status status = LoadShared(); !status.ok()) return status;
    RowAssembler rows(sink, warnings, archive_->file(), sheets_[index].name);
    return ReadXlsxSheet(*archive_, members_[index], {strings_, styles_, epoch1904_}, rows);
  }

 private:
  Status LoadShared() {
    if (loaded_) return Status::Ok();
    if (!strings_member_.empty() && archive_->Has(strings_member_)) {
      StatusOr<SharedStrings> strings = ReadSharedStrings(*archive_, strings_member_);
      if (!strings.ok()) return strings.status();
      strings_ = std::move(strings).value();
    }
    if (!styles_member_.empty() && archive_->Has(styles_member_)) {
      StatusOr<CellStyles> styles = ReadCellStyles(*archive_, styles_member_);
      if (!styles.ok()) return styles.status();
      styles_ = std::move(styles).value();
    }
    loaded_ = true;
    return Status::Ok();
  }

  std::unique_ptr<ZipArchive> archive_;
  std::vector<SheetInfo> sheets_;
  std::vector<std::string> members_;
  std::string strings_member_;
  std::string styles_member_;
  bool epoch1904_ = false;
  bool loaded_ = false;
  SharedStrings strings_;
  CellStyles styles_;
};

}  // namespace

WorkbookOr OpenXlsx(std::unique_ptr<ZipArchive> archive) {
  auto made = std::make_unique<XlsxWorkbook>(std::move(archive));
  Status opened = made->Open();
  return Opened(std::move(made), std::move(opened));
}

}  // namespace spreadsheet
