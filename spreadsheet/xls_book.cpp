#include "spreadsheet/xls_book.h"

#include "spreadsheet/child_process.h"
#include "spreadsheet/failure.h"
#include "spreadsheet/row_assembler.h"
#include "spreadsheet/xls_child.h"

namespace spreadsheet {
namespace {

// What a book is said to be when the child reading it dies or sends what it should not: the
// library broke on it.
constexpr const char* kDamagedBook = "книга повреждена";
// What is said of a child killed for its silence (ChildProcess::kSilenceLimitMs).
constexpr const char* kHungReader = "чтение книги не ответило за 2 минуты и остановлено";
// More or longer names and reasons than the child ever sends (a name of this format has at most
// 255 characters) mean its stream is broken.
constexpr std::size_t kMaxName = 1024;
constexpr std::size_t kMaxSheets = 65535;

class XlsWorkbook : public Workbook {
 public:
  explicit XlsWorkbook(std::string path) : path_(std::move(path)), file_(FileLabel(path_)) {}

  Status Open() {
    if (Status readable = CheckReadable(path_, file_); !readable.ok()) return readable;
    ChildProcess child;
    if (Status started =
            child.Start([this](ChildOutput& out) { return SendSheetNames(path_, out); });
        !started.ok())
      return Damaged(file_, "книга", started.message());
    for (std::uint8_t record = 0; child.Byte(record);) {
      if (record == kXlsDone && child.Finish()) return Status::Ok();
      if (record == kXlsFailure) return Failure(child, "книга");
      std::string name;
      if (record != kXlsSheet || sheets_.size() == kMaxSheets || !child.Text(name, kMaxName)) break;
      sheets_.push_back({std::move(name), false});
    }
    return Broken(child, "книга");
  }

  const std::vector<SheetInfo>& sheets() const override { return sheets_; }

  Status ReadSheet(std::size_t index, RowSink& sink, SheetWarnings& warnings) override {
    if (index >= sheets_.size())
      return Status::Refusal("В книге нет листа номер " + std::to_string(index + 1));
    const std::string& name = sheets_[index].name;
    const std::string part = "лист «" + name + "»";
    ChildProcess child;
    if (Status started =
            child.Start([&](ChildOutput& out) { return SendSheet(path_, index, name, out); });
        !started.ok())
      return Damaged(file_, part, started.message());
    RowAssembler rows(sink, warnings, file_, name);
    for (std::uint8_t record = 0; child.Byte(record);) {
      if (record == kXlsDone && child.Finish()) return Status::Ok();
      if (record == kXlsFailure) return Failure(child, part);
      if (record != kXlsRow) break;
      if (Status status = TakeRow(child, rows, part); !status.ok()) return status;
      if (rows.stopped()) return Status::Ok();
    }
    return Broken(child, part);
  }

 private:
  // A stream that broke off: the child died, sent what it should not, or hung.
  Status Broken(const ChildProcess& child, const std::string& part) const {
    return Damaged(file_, part, child.hung() ? kHungReader : kDamagedBook);
  }

  // The failure the child sent, naming `part` when the stream breaks within it.
  Status Failure(ChildProcess& child, const std::string& part) const {
    std::string place, reason;
    if (!child.Text(place, kMaxName) || !child.Text(reason, kMaxName)) return Broken(child, part);
    return Damaged(file_, place, reason);
  }

  // Gives `rows` one row, from its number to kXlsRowEnd; a stream broken within it is damage in
  // `part`.
  Status TakeRow(ChildProcess& child, RowAssembler& rows, const std::string& part) const {
    std::uint32_t number = 0;
    if (!child.Number(number)) return Broken(child, part);
    if (Status status = rows.StartRow(number); !status.ok()) return status;
    std::string text;
    for (std::uint8_t record = 0; child.Byte(record);) {
      if (record == kXlsRowEnd) {
        rows.EndRow();
        return Status::Ok();
      }
      std::uint32_t column = 0;
      std::uint32_t size = 0;
      if (record != kXlsCell || !child.Number(column) || column == 0 || !child.Number(size)) break;
      if (Status fits = rows.CheckCellText(number, column, size); !fits.ok()) return fits;
      if (!child.Bytes(text, size)) break;
      if (Status status = rows.SetCell(column, text); !status.ok()) return status;
    }
    return Broken(child, part);
  }

  std::string path_;
  std::string file_;
  std::vector<SheetInfo> sheets_;
};

}  // namespace

WorkbookOr OpenXls(const std::string& path) {
  auto made = std::make_unique<XlsWorkbook>(path);
  Status opened = made->Open();
  return Opened(std::move(made), std::move(opened));
}

}  // namespace spreadsheet
