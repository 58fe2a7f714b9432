#include "spreadsheet/xlsx_sheet.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <vector>

#include "spreadsheet/cell_address.h"
#include "spreadsheet/failure.h"
#include "spreadsheet/xml_stream.h"

namespace spreadsheet {
namespace {

struct Range {
  CellPosition first, last;
};

class MergeHandler : public XmlHandler {
 public:
  explicit MergeHandler(std::vector<Range>& ranges) : ranges_(ranges) {}
  void Start(std::string_view name, const char** attributes) override {
    if (LocalName(name) != "mergeCell") return;
    const std::string_view reference =
        Attribute(attributes, "ref") ? Attribute(attributes, "ref") : "";
    const std::size_t colon = reference.find(':');
    const auto first = ParseCellReference(reference.substr(0, colon));
    const auto last =
        colon == std::string_view::npos ? first : ParseCellReference(reference.substr(colon + 1));
    if (first && last) ranges_.push_back({*first, *last});
  }
  void End(std::string_view) override {}
  void Text(std::string_view) override {}

 private:
  std::vector<Range>& ranges_;
};

// The merged ranges that reach the current row, kept as the rows go down.
class MergedCells {
 public:
  explicit MergedCells(std::vector<Range> ranges) : ranges_(std::move(ranges)) {
    std::sort(ranges_.begin(), ranges_.end(),
              [](const Range& a, const Range& b) { return a.first.row < b.first.row; });
  }
  void MoveTo(std::uint64_t row) {
    std::erase_if(active_, [&](const Range& r) { return r.last.row < row; });
    for (; next_ < ranges_.size() && ranges_[next_].first.row <= row; ++next_)
      if (ranges_[next_].last.row >= row) active_.push_back(ranges_[next_]);
  }
  // Inside a range but not its first cell.
  bool Covered(std::uint64_t row, std::uint64_t column) const {
    return std::any_of(active_.begin(), active_.end(), [&](const Range& r) {
      return column >= r.first.column && column <= r.last.column &&
             (row != r.first.row || column != r.first.column);
    });
  }

 private:
  std::vector<Range> ranges_;
  std::vector<Range> active_;
  std::size_t next_ = 0;
};

class SheetHandler : public XmlHandler {
 public:
  SheetHandler(const XlsxContext& context, MergedCells& merged, RowAssembler& rows,
               const std::string& file)
      : context_(context), merged_(merged), rows_(rows), file_(file) {}

  void Start(std::string_view name, const char** attributes) override {
    const std::string_view local = LocalName(name);
    if (local == "c") return StartCell(attributes);
    if (local == "v" || (local == "t" && in_inline_ && hints_ == 0)) capture_ = true;
    if (local == "is") in_inline_ = true;
    if (local == "rPh") ++hints_;
    if (local == "row") StartRow(attributes);
  }

  void End(std::string_view name) override {
    const std::string_view local = LocalName(name);
    if (local == "v" || local == "t") capture_ = false;
    if (local == "is") in_inline_ = false;
    if (local == "rPh") --hints_;
    if (local == "c") EndCell();
    if (local == "row") {
      rows_.EndRow();
      if (rows_.stopped()) Stop(Status::Ok());
    }
    if (local == "sheetData") Stop(Status::Ok());
  }

  void Text(std::string_view text) override {
    if (!capture_) return;
    value_ += text;
    Check(rows_.CheckCellText(rows_.row(), column_, value_.size()));
  }

 private:
  void StartRow(const char** attributes) {
    const char* number = Attribute(attributes, "r");
    std::uint64_t row = rows_.row() + 1;
    if (number != nullptr &&
        std::from_chars(number, number + std::strlen(number), row).ec != std::errc())
      return Stop(Fail("номер строки «" + std::string(number) + "» не число"));
    column_ = 0;
    merged_.MoveTo(row);
    Check(rows_.StartRow(row));
  }

  void StartCell(const char** attributes) {
    const char* reference = Attribute(attributes, "r");
    const char* type = Attribute(attributes, "t");
    const char* style = Attribute(attributes, "s");
    ++column_;
    if (reference != nullptr) {
      const auto position = ParseCellReference(reference);
      if (!position) return Stop(Fail("ссылка на ячейку «" + std::string(reference) + "» неверна"));
      column_ = position->column;
    }
    type_ = type ? type : "n";
    style_ = 0;
    if (style != nullptr) std::from_chars(style, style + std::strlen(style), style_);
    value_.clear();
  }

  void EndCell() {
    if (merged_.Covered(rows_.row(), column_)) return;
    if (type_ == "e") return Check(rows_.CountError(column_));
    if (type_ == "s") {
      std::size_t index = 0;
      const auto parsed = std::from_chars(value_.data(), value_.data() + value_.size(), index);
      if (value_.empty()) return;
      if (parsed.ec != std::errc() || index >= context_.strings.size())
        return Stop(Fail(Here() + ": нет общей строки номер «" + value_ + "»"));
      return Check(rows_.SetCell(column_, context_.strings.at(index)));
    }
    if (type_ == "b")
      return Check(rows_.SetCell(column_, value_.empty() ? "" : BooleanText(value_ != "0")));
    if (type_ == "str" || type_ == "inlineStr") return Check(rows_.SetCell(column_, value_));
    if (value_.empty()) return;
    const auto text = type_ == "d" ? WrittenDateText(value_) : Number();
    if (!text) return Stop(Fail(Here() + ": значение «" + value_ + "» не прочитать"));
    Check(rows_.SetCell(column_, *text));
  }

  std::optional<std::string> Number() const {
    const auto style = style_ < context_.styles.size() ? context_.styles[style_] : std::nullopt;
    if (!style) return NumberText(value_);
    double serial = 0;
    const auto parsed = std::from_chars(value_.data(), value_.data() + value_.size(), serial);
    if (parsed.ec != std::errc()) return std::nullopt;
    // A day number outside the calendar is shown as the number it is.
    return SerialDateText(serial, *style, context_.epoch1904).value_or(NumberText(serial));
  }

  std::string Here() const {
    return CellAddress(rows_.sheet(), static_cast<std::uint32_t>(rows_.row()),
                       static_cast<std::uint32_t>(column_));
  }
  Status Fail(const std::string& reason) const {
    return Damaged(file_, "лист «" + rows_.sheet() + "»", reason);
  }
  void Check(Status status) {
    if (!status.ok()) Stop(std::move(status));
  }

  const XlsxContext& context_;
  MergedCells& merged_;
  RowAssembler& rows_;
  const std::string& file_;
  std::uint64_t column_ = 0;
  std::string type_;
  std::size_t style_ = 0;
  std::string value_;
  bool capture_ = false;
  bool in_inline_ = false;
  int hints_ = 0;
};

Status Parse(const ZipArchive& archive, const std::string& member, const std::string& part,
             XmlHandler& handler) {
  StatusOr<std::unique_ptr<ZipMember>> stream = archive.Open(member, part);
  if (!stream.ok()) return stream.status();
  return ParseXml(*stream.value(), handler);
}

// Whether the member mentions merged cells at all: a byte search, far cheaper than parsing the
// member only to learn that it has none.
StatusOr<bool> MentionsMergedCells(const ZipArchive& archive, const std::string& member,
                                   const std::string& part) {
  constexpr std::string_view kWord = "mergeCell";
  StatusOr<std::unique_ptr<ZipMember>> stream = archive.Open(member, part);
  if (!stream.ok()) return stream.status();
  // Each chunk is read after the last bytes of the one before, so a word across two is found.
  constexpr std::size_t kChunk = 256 * 1024;
  std::vector<char> buffer(kWord.size() - 1 + kChunk);
  std::size_t kept = 0;
  for (;;) {
    const StatusOr<std::size_t> read = stream.value()->Read(buffer.data() + kept, kChunk);
    if (!read.ok()) return read.status();
    if (read.value() == 0) return false;
    const std::string_view bytes(buffer.data(), kept + read.value());
    if (bytes.find(kWord) != std::string_view::npos) return true;
    kept = std::min(bytes.size(), kWord.size() - 1);
    std::memmove(buffer.data(), bytes.data() + bytes.size() - kept, kept);
  }
}

}  // namespace

Status ReadXlsxSheet(const ZipArchive& archive, const std::string& member,
                     const XlsxContext& context, RowAssembler& rows) {
  const std::string part = "лист «" + rows.sheet() + "» (" + member + ")";
  std::vector<Range> ranges;
  const StatusOr<bool> mentions = MentionsMergedCells(archive, member, part);
  if (!mentions.ok()) return mentions.status();
  MergeHandler merges(ranges);
  if (mentions.value())
    if (Status status = Parse(archive, member, part, merges); !status.ok()) return status;
  MergedCells merged(std::move(ranges));
  SheetHandler cells(context, merged, rows, archive.file());
  return Parse(archive, member, part, cells);
}

}  // namespace spreadsheet
