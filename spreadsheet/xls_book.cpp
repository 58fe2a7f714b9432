#include "spreadsheet/xls_book.h"

#include <freexl.h>

#include "spreadsheet/cell_text.h"
#include "spreadsheet/failure.h"
#include "spreadsheet/row_assembler.h"

namespace spreadsheet {
namespace {

std::string Reason(int code) {
  switch (code) {
    case FREEXL_INSUFFICIENT_MEMORY:
      return "не хватает памяти";
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
      return "это не книга Excel 97–2003";
    case FREEXL_UNSUPPORTED_CHARSET:
    case FREEXL_INVALID_CHARACTER:
      return "текст в неизвестной кодировке";
    default:
      return "книга повреждена";
  }
}

// The text of one cell as the user saw it; none for a value the library gave wrongly.
std::optional<std::string> CellText(const FreeXL_CellValue& cell) {
  switch (cell.type) {
    case FREEXL_CELL_INT:
      return NumberText(static_cast<double>(cell.value.int_value));
    case FREEXL_CELL_DOUBLE:
      return NumberText(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
      return std::string(cell.value.text_value ? cell.value.text_value : "");
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
      return WrittenDateText(cell.value.text_value ? cell.value.text_value : "");
    case FREEXL_CELL_TIME:
      return WrittenTimeText(cell.value.text_value ? cell.value.text_value : "");
    default:
      return std::string();
  }
}

class XlsWorkbook : public Workbook {
 public:
  explicit XlsWorkbook(std::string file) : file_(std::move(file)) {}
  ~XlsWorkbook() override {
    if (handle_ != nullptr) freexl_close(handle_);
  }

  Status Open(const std::string& path) {
    if (Status readable = CheckReadable(path, file_); !readable.ok()) return readable;
    if (int code = freexl_open(path.c_str(), &handle_); code != FREEXL_OK)
      return Damaged(file_, "книга", Reason(code));
    unsigned int count = 0;
    if (int code = freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count); code != FREEXL_OK)
      return Damaged(file_, "книга", Reason(code));
    for (unsigned int i = 0; i < count; ++i) {
      const char* name = nullptr;
      if (int code = freexl_get_worksheet_name(handle_, static_cast<unsigned short>(i), &name);
          code != FREEXL_OK)
        return Damaged(file_, "лист " + std::to_string(i + 1), Reason(code));
      sheets_.push_back({name ? name : "", false});
    }
    return Status::Ok();
  }

  const std::vector<SheetInfo>& sheets() const override { return sheets_; }

  Status ReadSheet(std::size_t index, RowSink& sink, SheetWarnings& warnings) override {
    if (index >= sheets_.size())
      return Status::Refusal("В книге нет листа номер " + std::to_string(index + 1));
    const std::string part = "лист «" + sheets_[index].name + "»";
    unsigned int height = 0;
    unsigned short width = 0;
    int code = freexl_select_active_worksheet(handle_, static_cast<unsigned short>(index));
    if (code == FREEXL_OK) code = freexl_worksheet_dimensions(handle_, &height, &width);
    if (code != FREEXL_OK) return Damaged(file_, part, Reason(code));
    RowAssembler rows(sink, warnings, file_, sheets_[index].name);
    for (unsigned int row = 0; row < height && !rows.stopped(); ++row) {
      if (Status status = rows.StartRow(row + 1); !status.ok()) return status;
      for (unsigned short column = 0; column < width; ++column) {
        FreeXL_CellValue cell;
        if ((code = freexl_get_cell_value(handle_, row, column, &cell)) != FREEXL_OK)
          return Damaged(file_, CellAddress(sheets_[index].name, row + 1, column + 1u),
                         Reason(code));
        const auto text = CellText(cell);
        if (!text)
          return Damaged(file_, CellAddress(sheets_[index].name, row + 1, column + 1u),
                         "дату не удалось прочитать");
        if (Status status = rows.SetCell(column + 1u, *text); !status.ok()) return status;
      }
      rows.EndRow();
    }
    return Status::Ok();
  }

 private:
  std::string file_;
  const void* handle_ = nullptr;
  std::vector<SheetInfo> sheets_;
};

}  // namespace

Status OpenXls(const std::string& path, std::unique_ptr<Workbook>& book) {
  auto made = std::make_unique<XlsWorkbook>(FileLabel(path));
  if (Status status = made->Open(path); !status.ok()) return status;
  book = std::move(made);
  return Status::Ok();
}

}  // namespace spreadsheet
