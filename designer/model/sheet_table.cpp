#include "designer/model/sheet_table.h"

#include <memory>
#include <string_view>

#include "designer/model/csv_scan.h"
#include "designer/model/text_file.h"

namespace designer {
namespace {

using spreadsheet::SheetInfo;

// A workbook opened, and the sheet of it to read.
struct OpenedSheet {
  std::unique_ptr<spreadsheet::Workbook> book;
  std::size_t index = 0;
  const std::string& name() const { return book->sheets()[index].name; }
};

// Opens the workbook `path` and finds the sheet `wanted` names.
StatusOr<OpenedSheet> OpenSheet(const std::string& path, const std::string& wanted) {
  spreadsheet::WorkbookOr book = spreadsheet::OpenWorkbook(path);
  if (!book.ok()) return book.status();
  const StatusOr<std::size_t> index =
      ChooseSheet(book.value()->sheets(), FileNameForMessage(path), wanted);
  if (!index.ok()) return index.status();
  return OpenedSheet{std::move(book).value(), index.value()};
}

// The rows of a sheet past the rows to skip, each with its cells as views, the first of them
// told apart: the one that gives the fields.
class SheetRows : public spreadsheet::RowSink {
 public:
  explicit SheetRows(std::int32_t skip_rows) : skip_rows_(skip_rows) {}

  bool Row(std::uint32_t row, const std::vector<std::string>& cells) final {
    if (row <= static_cast<std::uint32_t>(skip_rows_)) return true;
    cells_.assign(cells.begin(), cells.end());
    const bool first = !started_;
    started_ = true;
    return first ? FirstRow(row) : NextRow(row);
  }
  bool started() const { return started_; }
  const Status& status() const { return status_; }

 protected:
  virtual bool FirstRow(std::uint32_t row) = 0;
  virtual bool NextRow(std::uint32_t row) = 0;

  std::vector<std::string_view> cells_;
  Status status_ = Status::Ok();

 private:
  std::int32_t skip_rows_;
  bool started_ = false;
};

// The scan of a sheet's rows into a CsvTable.
class ScannedRows final : public SheetRows {
 public:
  ScannedRows(const CsvSettings& settings, const RecordPass& pass, std::size_t preview_records,
              const NamesAnswer& names, CsvTable& table)
      : SheetRows(settings.skip_lines),
        settings_(settings),
        pass_(pass),
        preview_records_(preview_records),
        names_(names),
        table_(table) {}

 private:
  bool FirstRow(std::uint32_t row) override {
    StatusOr<CsvFirstLine> first = FirstLineOfCells(cells_, TextEncoding::kUtf8);
    if (!first.ok()) {
      status_ = first.status();
      return false;
    }
    table_.head.first = std::move(first).value();
    const bool names = names_ ? names_(table_.head.first) : settings_.first_line_has_names;
    table_.scan.emplace(table_.head.first.FieldCount, /*quoted=*/true, preview_records_,
                        pass_.find_free_splitter);
    return names || NextRow(row);
  }

  bool NextRow(std::uint32_t row) override {
    TableScan& scan = *table_.scan;
    const StatusOr<bool> room = RoomForRecord(scan, pass_);
    if (!room.ok()) status_ = room.status();
    if (!room.ok() || !room.value()) return false;
    const int field_count = table_.head.first.FieldCount;
    record_.Set(cells_, field_count, TextEncoding::kUtf8, /*may_hold_controls=*/true,
                scan.finds_free_splitter());
    RecordFacts facts;
    facts.line = row;
    // A spreadsheet leaves out the empty cells at a row's end: only more cells are another count.
    facts.other_field_count = cells_.size() > static_cast<std::size_t>(field_count);
    facts.line_length = record_.line_length();
    std::string cell;
    if (const auto& bad = record_.unmappable()) {
      facts.unmappable = &*bad;
      cell = spreadsheet::CellAddress(table_.sheet, row, record_.unmappable_field() + 1);
      facts.unmappable_cell = cell;
    }
    facts.line_breaks = record_.line_breaks();
    facts.splitters_held = record_.splitters_held();
    scan.Add(record_.values(), facts);
    return Reported(scan, pass_);
  }

  const CsvSettings& settings_;
  const RecordPass& pass_;
  std::size_t preview_records_;
  const NamesAnswer& names_;
  CsvTable& table_;
  CellRecord record_;
};

// The records of a document's sheet, given to a visit.
class VisitedRows final : public SheetRows {
 public:
  VisitedRows(const Document& doc, const CellVisit& visit)
      : SheetRows(doc.SourceSkipLines), doc_(doc), visit_(visit) {}

 private:
  bool FirstRow(std::uint32_t row) override { return doc_.FirstLineHasNames || NextRow(row); }
  bool NextRow(std::uint32_t row) override {
    record_.Set(FieldCells(doc_, cells_, mapped_), doc_.FieldCount, TextEncoding::kUtf8,
                /*may_hold_controls=*/true, /*find_splitters=*/false);
    status_ = visit_(record_, row);
    return status_.ok();
  }

  const Document& doc_;
  const CellVisit& visit_;
  std::vector<std::string_view> mapped_;
  CellRecord record_;
};

std::string SheetList(const std::vector<SheetInfo>& sheets) {
  std::string list;
  for (const SheetInfo& sheet : sheets) {
    if (!list.empty()) list += ", ";
    list += "«" + sheet.name + "»" + (sheet.hidden ? " (скрытый)" : "");
  }
  return list;
}

}  // namespace

StatusOr<std::vector<SheetInfo>> ListSheets(const std::string& path) {
  spreadsheet::WorkbookOr book = spreadsheet::OpenWorkbook(path);
  if (!book.ok()) return book.status();
  return book.value()->sheets();
}

StatusOr<std::size_t> ChooseSheet(const std::vector<SheetInfo>& sheets, const std::string& file,
                                  const std::string& wanted) {
  if (sheets.empty()) return Status::Refusal("В файле «" + file + "» нет ни одного листа.");
  if (wanted.empty()) {
    for (std::size_t index = 0; index < sheets.size(); ++index) {
      if (!sheets[index].hidden) return index;
    }
    return std::size_t{0};
  }
  for (std::size_t index = 0; index < sheets.size(); ++index) {
    if (sheets[index].name == wanted) return index;
  }
  if (wanted.find_first_not_of("0123456789") == std::string::npos && wanted.size() < 6) {
    const std::size_t number = std::stoul(wanted);
    if (number >= 1 && number <= sheets.size()) return number - 1;
  }
  return Status::Refusal("В файле «" + file + "» нет листа «" + wanted +
                         "». Листы: " + SheetList(sheets) + ".");
}

Status ReadSheetTable(const std::string& path, const CsvSettings& settings, const RecordPass& pass,
                      std::size_t preview_records, CsvTable& table, const NamesAnswer& names) {
  table.scan.reset();
  table.head = CsvHead{TextEncoding::kUtf8, {}};
  StatusOr<OpenedSheet> sheet = OpenSheet(path, settings.sheet);
  if (!sheet.ok()) return sheet.status();
  table.sheet = sheet->name();
  ScannedRows rows(settings, pass, preview_records, names, table);
  spreadsheet::SheetWarnings warnings;
  const Status read = sheet->book->ReadSheet(sheet->index, rows, warnings);
  if (!read.ok()) return read;
  if (!rows.status().ok()) return rows.status();
  if (!rows.started()) {
    table.scan.reset();
    return Status::Refusal("Лист «" + table.sheet + "» файла «" + FileNameForMessage(path) +
                           "» пуст" +
                           (settings.skip_lines > 0 ? " после пропущенных строк." : "."));
  }
  table.scan->AddSheetWarnings(warnings);
  return Status::Ok();
}

Status VisitSheetRecords(const Document& doc, const CellVisit& visit) {
  StatusOr<OpenedSheet> sheet = OpenSheet(doc.SourceFileName, doc.SourceSheet);
  if (!sheet.ok()) return sheet.status();
  VisitedRows rows(doc, visit);
  spreadsheet::SheetWarnings ignored;  // the import has shown them
  const Status read = sheet->book->ReadSheet(sheet->index, rows, ignored);
  return read.ok() ? rows.status() : read;
}

}  // namespace designer
