#include "spreadsheet/dbf_book.h"

#include <filesystem>

#include "spreadsheet/cell_text.h"
#include "spreadsheet/dbf_open.h"
#include "spreadsheet/dbf_text.h"
#include "spreadsheet/failure.h"
#include "spreadsheet/row_assembler.h"

namespace spreadsheet {
namespace {

class DbfWorkbook : public Workbook {
 public:
  DbfWorkbook(std::string file, std::string bytes)
      : file_(std::move(file)), bytes_(std::move(bytes)) {
    sheets_.push_back({std::filesystem::path(file_).stem().string(), false});
  }
  ~DbfWorkbook() override {
    if (handle_ != nullptr) DBFClose(handle_);
  }

  // Opens the file at `path`, or the bytes held when `path` is empty.
  Status Open(const std::string& path) {
    if (!path.empty())
      if (Status readable = CheckReadable(path, file_); !readable.ok()) return readable;
    handle_ = path.empty() ? OpenDbfInMemory(bytes_) : OpenDbfQuietly(path);
    if (handle_ == nullptr)
      return Damaged(file_, "заголовок таблицы", "это не таблица dBASE, или она повреждена");
    if (static_cast<std::uint64_t>(DBFGetRecordCount(handle_)) + 1 > kMaxRows)
      return Damaged(file_, "заголовок таблицы", "больше 1 048 576 строк");
    return Status::Ok();
  }

  const std::vector<SheetInfo>& sheets() const override { return sheets_; }

  Status ReadSheet(std::size_t index, RowSink& sink, SheetWarnings& warnings) override {
    if (index != 0) return Status::Refusal("В таблице dBASE один лист");
    DbfDecoder decoder(CodePageOfDriver(static_cast<unsigned char>(handle_->iLanguageDriver)));
    RowAssembler rows(sink, warnings, file_, sheets_[0].name);
    const int fields = DBFGetFieldCount(handle_);
    std::uint64_t row = 1;
    Status status = rows.StartRow(row);
    for (int field = 0; field < fields && status.ok(); ++field) {
      char name[XBASE_FLDNAME_LEN_READ + 1] = {};
      DBFGetFieldInfo(handle_, field, name, nullptr, nullptr);
      status = rows.SetCell(field + 1, decoder.ToUtf8(name));
    }
    rows.EndRow();
    for (int record = 0; record < DBFGetRecordCount(handle_) && status.ok() && !rows.stopped();
         ++record) {
      if (DBFIsRecordDeleted(handle_, record)) {
        ++warnings.deleted_records;
        continue;
      }
      status = rows.StartRow(++row);
      for (int field = 0; field < fields && status.ok(); ++field)
        status = ReadCell(record, field, decoder, rows);
      rows.EndRow();
    }
    return status;
  }

 private:
  Status ReadCell(int record, int field, DbfDecoder& decoder, RowAssembler& rows) {
    const char* raw = DBFReadStringAttribute(handle_, record, field);
    if (raw == nullptr)
      return Damaged(file_, "запись " + std::to_string(record + 1), "не прочитать: файл обрезан");
    if (DBFIsAttributeNULL(handle_, record, field)) return Status::Ok();
    const std::string_view value(raw);
    switch (DBFGetNativeFieldType(handle_, field)) {
      case 'N':
      case 'F':
        return rows.SetCell(field + 1, NumberText(value).value_or(decoder.ToUtf8(value)));
      case 'D':
        return rows.SetCell(field + 1, WrittenDateText(value).value_or(decoder.ToUtf8(value)));
      case 'L':
        if (value.find_first_of("TtYy") == 0) return rows.SetCell(field + 1, BooleanText(true));
        if (value.find_first_of("FfNn") == 0) return rows.SetCell(field + 1, BooleanText(false));
        return Status::Ok();
      default:
        return rows.SetCell(field + 1, decoder.ToUtf8(value));
    }
  }

  std::string file_;
  std::string bytes_;  // the table itself when it was given in memory
  DBFHandle handle_ = nullptr;
  std::vector<SheetInfo> sheets_;
};

}  // namespace

WorkbookOr OpenDbfFile(const std::string& path) {
  auto made = std::make_unique<DbfWorkbook>(FileLabel(path), std::string());
  Status opened = made->Open(path);
  return Opened(std::move(made), std::move(opened));
}

WorkbookOr OpenDbfMemory(std::string bytes, const std::string& name) {
  auto made = std::make_unique<DbfWorkbook>(name, std::move(bytes));
  Status opened = made->Open({});
  return Opened(std::move(made), std::move(opened));
}

}  // namespace spreadsheet
