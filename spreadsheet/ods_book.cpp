#include "spreadsheet/ods_book.h"

#include <set>

#include "spreadsheet/ods_names.h"
#include "spreadsheet/ods_sheet.h"
#include "spreadsheet/xml_stream.h"

namespace spreadsheet {
namespace {

using namespace ods;

constexpr const char* kContent = "content.xml";

// The tables of the document in order, hidden when their style says display="false".
class ListHandler : public XmlHandler {
 public:
  explicit ListHandler(std::vector<SheetInfo>& sheets) : sheets_(sheets) {}
  void Start(std::string_view name, const char** attributes) override {
    if (name == kStyle) {
      const char* style = QualifiedAttribute(attributes, kStyleStyleName);
      style_ = style ? style : "";
    } else if (name == kTableProperties) {
      const char* display = QualifiedAttribute(attributes, kDisplay);
      if (display != nullptr && std::string_view(display) == "false") hidden_.insert(style_);
    } else if (name == kTable && depth_++ == 0) {
      const char* table = QualifiedAttribute(attributes, kName);
      const char* style = QualifiedAttribute(attributes, kStyleName);
      sheets_.push_back({table ? table : "", style != nullptr && hidden_.count(style) > 0});
    }
  }
  void End(std::string_view name) override {
    if (name == kTable) --depth_;
  }
  void Text(std::string_view) override {}

 private:
  std::vector<SheetInfo>& sheets_;
  std::set<std::string> hidden_;
  std::string style_;
  int depth_ = 0;
};

class OdsWorkbook : public Workbook {
 public:
  explicit OdsWorkbook(std::unique_ptr<ZipArchive> archive) : archive_(std::move(archive)) {}

  Status Open() {
    StatusOr<std::unique_ptr<ZipMember>> content = archive_->Open(kContent, kContent);
    if (!content.ok()) return content.status();
    ListHandler handler(sheets_);
    return ParseXml(*content.value(), handler);
  }

  const std::vector<SheetInfo>& sheets() const override { return sheets_; }

  Status ReadSheet(std::size_t index, RowSink& sink, SheetWarnings& warnings) override {
    if (index >= sheets_.size())
      return Status::Refusal("В книге нет листа номер " + std::to_string(index + 1));
    const std::string& name = sheets_[index].name;
    const std::string part = "лист «" + name + "» (" + kContent + ")";
    StatusOr<std::unique_ptr<ZipMember>> content = archive_->Open(kContent, part);
    if (!content.ok()) return content.status();
    RowAssembler rows(sink, warnings, archive_->file(), name);
    return ReadOdsTable(*content.value(), index, rows);
  }

 private:
  std::unique_ptr<ZipArchive> archive_;
  std::vector<SheetInfo> sheets_;
};

}  // namespace

WorkbookOr OpenOds(std::unique_ptr<ZipArchive> archive) {
  auto made = std::make_unique<OdsWorkbook>(std::move(archive));
  Status opened = made->Open();
  return Opened(std::move(made), std::move(opened));
}

}  // namespace spreadsheet
