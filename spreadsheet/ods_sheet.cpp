#include "spreadsheet/ods_sheet.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "spreadsheet/cell_text.h"
#include "spreadsheet/ods_names.h"
#include "spreadsheet/xml_stream.h"

namespace spreadsheet {
namespace {

using namespace ods;

// A repeat count; counts past any limit are cut to one past it, which the limits then refuse.
std::uint64_t Repeats(const char** attributes, std::string_view name) {
  const char* text = QualifiedAttribute(attributes, name);
  std::uint64_t count = 1;
  if (text != nullptr) std::from_chars(text, text + std::strlen(text), count);
  return std::clamp<std::uint64_t>(count, 1, kMaxRows + 1);
}

std::string_view Value(const char** attributes, std::string_view name) {
  const char* value = QualifiedAttribute(attributes, name);
  return value == nullptr ? std::string_view() : value;
}

class TableHandler : public XmlHandler {
 public:
  TableHandler(std::size_t index, RowAssembler& rows) : index_(index), rows_(rows) {}

  void Start(std::string_view name, const char** attributes) override {
    if (name == kTable) {
      if (level_++ == 0 && tables_++ == index_) inside_ = true;
      return;
    }
    if (!InTable()) return;
    if (name == kRow) StartRow(attributes);
    if (name == kCell || name == kCoveredCell) StartCell(name == kCoveredCell, attributes);
    if (name == kAnnotation) ++annotations_;
    if (annotations_ > 0 || !in_cell_) return;
    if (name == kParagraph && ++in_paragraph_ == 1 && paragraphs_++ > 0) text_ += '\n';
    if (name == kSpaces)
      text_.append(std::min<std::uint64_t>(Repeats(attributes, kSpaceCount), 1024), ' ');
    if (name == kTab) text_ += '\t';
    if (name == kLineBreak) text_ += '\n';
    CheckText();
  }

  void End(std::string_view name) override {
    if (name == kTable) {
      if (--level_ == 0 && inside_) Stop(Status::Ok());
      return;
    }
    if (!InTable()) return;
    if (name == kAnnotation) --annotations_;
    if (name == kParagraph && annotations_ == 0 && in_cell_) --in_paragraph_;
    if (name == kCell || name == kCoveredCell) EndCell();
    if (name == kRow) EndRow();
  }

  void Text(std::string_view text) override {
    if (!InTable() || !in_cell_ || annotations_ > 0 || in_paragraph_ == 0) return;
    text_ += text;
    CheckText();
  }

 private:
  void CheckText() {
    if (Status text = rows_.CheckCellText(next_row_, column_, text_.size()); !text.ok())
      Stop(std::move(text));
  }

  // In the wanted table itself, not in one nested in its cells.
  bool InTable() const { return inside_ && level_ == 1; }

  void StartRow(const char** attributes) {
    row_repeats_ = Repeats(attributes, kRowsRepeated);
    column_ = 1;
    cells_.clear();
  }

  void StartCell(bool covered, const char** attributes) {
    in_cell_ = true;
    covered_ = covered;
    column_repeats_ = Repeats(attributes, kColumnsRepeated);
    paragraphs_ = 0;
    in_paragraph_ = 0;
    text_.clear();
    error_ = Value(attributes, kCalcValueType) == "error";
    const std::string_view type = Value(attributes, kValueType);
    value_.reset();
    if (type == "float" || type == "percentage" || type == "currency")
      value_ = NumberText(Value(attributes, kValue));
    else if (type == "date")
      value_ = WrittenDateText(Value(attributes, kDateValue));
    else if (type == "time")
      value_ = WrittenTimeText(Value(attributes, kTimeValue));
    else if (type == "boolean")
      value_ = BooleanText(Value(attributes, kBooleanValue) == "true");
    else if (QualifiedAttribute(attributes, kStringValue) != nullptr)
      value_ = std::string(Value(attributes, kStringValue));
  }

  void EndCell() {
    in_cell_ = false;
    const std::uint64_t first = column_;
    column_ += column_repeats_;
    if (covered_) return;
    std::optional<std::string> text = error_   ? std::nullopt
                                      : value_ ? value_
                                               : std::optional(text_);
    if (!error_ && text->empty()) return;
    if (Status columns = rows_.CheckLastColumn(column_ - 1); !columns.ok())
      return Stop(std::move(columns));
    for (std::uint64_t column = first; column < column_; ++column)
      cells_.emplace_back(column, text);
  }

  void EndRow() {
    const std::uint64_t first = next_row_;
    next_row_ += row_repeats_;
    if (cells_.empty()) return;
    if (Status rows = rows_.CheckLastRow(next_row_ - 1); !rows.ok()) return Stop(std::move(rows));
    for (std::uint64_t row = first; row < next_row_ && !rows_.stopped(); ++row) {
      Status status = rows_.StartRow(row);
      for (const auto& [column, text] : cells_) {
        if (!status.ok()) break;
        status = text ? rows_.SetCell(column, *text) : rows_.CountError(column);
      }
      if (!status.ok()) return Stop(std::move(status));
      rows_.EndRow();
    }
    if (rows_.stopped()) Stop(Status::Ok());
  }

  const std::size_t index_;
  RowAssembler& rows_;
  std::size_t tables_ = 0;  // the outermost tables begun so far
  int level_ = 0;           // how deep in tables the parse is
  bool inside_ = false;     // within the wanted table
  int annotations_ = 0;
  std::uint64_t next_row_ = 1;
  std::uint64_t row_repeats_ = 1;
  std::uint64_t column_ = 1;
  std::uint64_t column_repeats_ = 1;
  // The current row's cells with a value: the text, or none for an error value.
  std::vector<std::pair<std::uint64_t, std::optional<std::string>>> cells_;
  bool in_cell_ = false;
  bool covered_ = false;
  bool error_ = false;
  int paragraphs_ = 0;    // paragraphs of the cell begun so far
  int in_paragraph_ = 0;  // how deep in paragraphs the parse is
  std::optional<std::string> value_;
  std::string text_;
};

}  // namespace

Status ReadOdsTable(ZipMember& content, std::size_t index, RowAssembler& rows) {
  TableHandler handler(index, rows);
  return ParseXml(content, handler);
}

}  // namespace spreadsheet
