#include "spreadsheet/xls_child.h"

#include <freexl.h>

#include <optional>

#include "spreadsheet/cell_text.h"
#include "spreadsheet/workbook.h"

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

bool SendFailure(ChildOutput& out, const std::string& part, const std::string& reason) {
  out.Byte(kXlsFailure);
  out.Text(part);
  out.Text(reason);
  return true;
}

struct Book {
  ~Book() {
    if (handle != nullptr) freexl_close(handle);
  }
  const void* handle = nullptr;
};

}  // namespace

bool SendSheetNames(const std::string& path, ChildOutput& out) {
  Book book;
  if (int code = freexl_open(path.c_str(), &book.handle); code != FREEXL_OK)
    return SendFailure(out, "книга", Reason(code));
  unsigned int count = 0;
  if (int code = freexl_get_info(book.handle, FREEXL_BIFF_SHEET_COUNT, &count); code != FREEXL_OK)
    return SendFailure(out, "книга", Reason(code));
  for (unsigned int i = 0; i < count; ++i) {
    const char* name = nullptr;
    if (int code = freexl_get_worksheet_name(book.handle, static_cast<unsigned short>(i), &name);
        code != FREEXL_OK)
      return SendFailure(out, "лист " + std::to_string(i + 1), Reason(code));
    out.Byte(kXlsSheet);
    out.Text(name ? name : "");
  }
  out.Byte(kXlsDone);
  return true;
}

bool SendSheet(const std::string& path, std::size_t index, const std::string& name,
               ChildOutput& out) {
  Book book;
  unsigned int height = 0;
  unsigned short width = 0;
  int code = freexl_open(path.c_str(), &book.handle);
  if (code == FREEXL_OK)
    code = freexl_select_active_worksheet(book.handle, static_cast<unsigned short>(index));
  if (code == FREEXL_OK) code = freexl_worksheet_dimensions(book.handle, &height, &width);
  if (code != FREEXL_OK) return SendFailure(out, "лист «" + name + "»", Reason(code));
  for (unsigned int row = 0; row < height; ++row) {
    out.Byte(kXlsRow);
    out.Number(row + 1);
    for (unsigned short column = 0; column < width; ++column) {
      FreeXL_CellValue cell;
      if ((code = freexl_get_cell_value(book.handle, row, column, &cell)) != FREEXL_OK)
        return SendFailure(out, CellAddress(name, row + 1, column + 1u), Reason(code));
      const auto text = CellText(cell);
      if (!text)
        return SendFailure(out, CellAddress(name, row + 1, column + 1u),
                           "дату не удалось прочитать");
      if (text->empty()) continue;
      out.Byte(kXlsCell);
      out.Number(column + 1u);
      out.Text(*text);
    }
    out.Byte(kXlsRowEnd);
  }
  out.Byte(kXlsDone);
  return true;
}

}  // namespace spreadsheet
