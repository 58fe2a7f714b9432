#include "designer/model/design_reuse.h"

#include "common/codepage.h"
#include "designer/model/csv_import.h"
#include "designer/model/csv_record.h"
#include "designer/model/numeric_check.h"
#include "designer/model/text_file.h"

namespace designer {
namespace {

std::string Quoted(const std::string& document_text) {
  return "«" + codepage::Cp1251ToUtf8(document_text) + "»";
}

// How messages name column `column` of `table`: its name when the first line gave names.
std::string ColumnName(const Document& table, int column) {
  if (table.FirstLineHasNames) return Quoted(std::string(TrimValue(table.Fields[column].Name)));
  return "столбец " + std::to_string(column);
}

// Which column of the table each field of the design reads.
struct DesignMatch {
  std::array<std::int32_t, kMaxDocumentFields + 1> column{};  // field i reads column[i], 1-based
  std::vector<int> extra_columns;  // the table's columns no field reads, in order
};

StatusOr<DesignMatch> MatchByName(const Document& design, const Document& table) {
  DesignMatch match;
  std::array<bool, kMaxDocumentFields + 1> taken{};
  for (int field = 1; field <= design.FieldCount; ++field) {
    const std::string_view name = TrimValue(design.Fields[field].Name);
    for (int column = 1; column <= table.FieldCount && match.column[field] == 0; ++column) {
      if (!taken[column] && TrimValue(table.Fields[column].Name) == name) {
        match.column[field] = column;
        taken[column] = true;
      }
    }
    if (match.column[field] == 0) {
      return Status::Refusal(
          "Поля " + Quoted(design.Fields[field].Name) + " нет среди столбцов файла «" +
          FileNameForMessage(table.SourceFileName) + "»: в его первой строке нет такого названия.");
    }
  }
  for (int column = 1; column <= table.FieldCount; ++column) {
    if (!taken[column]) match.extra_columns.push_back(column);
  }
  return match;
}

// The columns the fields read: by name when the table's first line holds names, else by position.
StatusOr<DesignMatch> MatchDesign(const Document& design, const Document& table) {
  if (table.FirstLineHasNames) return MatchByName(design, table);
  if (table.FieldCount != design.FieldCount) {
    return Status::Refusal("Столбцов в файле «" + FileNameForMessage(table.SourceFileName) +
                           "»: " + std::to_string(table.FieldCount) +
                           ", а полей в справочнике: " + std::to_string(design.FieldCount) +
                           ". Без названий полей в первой строке столбцы сопоставляются с полями "
                           "по порядку, и их должно быть столько же.");
  }
  DesignMatch match;
  for (int field = 1; field <= design.FieldCount; ++field) match.column[field] = field;
  return match;
}

// One line per field, "field ← column".
std::vector<std::string> DescribeMatch(const Document& design, const Document& table,
                                       const DesignMatch& match) {
  std::vector<std::string> lines;
  for (int field = 1; field <= design.FieldCount; ++field) {
    lines.push_back(Quoted(design.Fields[field].Name) + " ← " +
                    ColumnName(table, match.column[field]));
  }
  return lines;
}

// The table's source, read through the match unless its columns are the fields one for one.
void TakeSource(const Document& table, const DesignMatch& match, int field_count,
                Document& refreshed) {
  refreshed.SourceFileName = table.SourceFileName;
  refreshed.SourceIsFsr = false;
  refreshed.SourceIsDatabase = false;
  refreshed.SourceEncoding = table.SourceEncoding;
  refreshed.SourceSplitter = table.SourceSplitter;
  refreshed.SourceQuoted = table.SourceQuoted;
  refreshed.SourceSkipLines = table.SourceSkipLines;
  refreshed.SourceSheet = table.SourceSheet;
  refreshed.HeaderLineCount = 0;
  refreshed.FirstLineHasNames = table.FirstLineHasNames;
  refreshed.RecordCount = table.RecordCount;
  Document::ColumnMap map{table.FieldCount, match.column};
  bool one_for_one = table.FieldCount == field_count;
  for (int field = 1; field <= field_count; ++field) one_for_one &= match.column[field] == field;
  refreshed.SourceColumns.reset();
  if (!one_for_one) refreshed.SourceColumns = map;
  for (int record = 1; record <= kSampleRecords; ++record) {
    for (int field = 1; field <= kMaxDocumentFields; ++field) {
      refreshed.SampleValues[record][field] =
          field <= field_count ? table.SampleValues[record][match.column[field]] : std::string();
    }
  }
}

// Checks every value of the numeric fields of `next` (already reading the table's data) and sets
// their number sizes; with `as_text` a field with a value that is no number becomes text.
Status CheckNumericFields(const RefreshOptions& options, Document& next,
                          std::vector<std::string>& warnings) {
  for (int field = 1; field <= next.FieldCount; ++field) {
    TFieldDesc& desc = next.Fields[field];
    if (desc.DataType != kTypeNumeric) continue;
    const StatusOr<NumberCheck> check = CheckNumbers(next, field, options.progress);
    if (!check.ok()) return check.status();
    if (!check->non_number) {
      desc.NumSize = static_cast<std::uint8_t>(check->number_size);
      continue;
    }
    const std::string where = "в строке " + std::to_string(check->non_number->line);
    const std::string what = " значение " + Quoted(check->non_number->value) + " — не целое число";
    if (!options.as_text) {
      return Status::Refusal("Поле " + Quoted(desc.Name) + " числовое, но " + where + " файла «" +
                             FileNameForMessage(next.SourceFileName) + "»" + what +
                             ". Исправьте файл или сделайте поле текстовым.");
    }
    desc.DataType = kTypeText;
    desc.NumSize = 0;
    warnings.push_back("Поле " + Quoted(desc.Name) + " стало текстовым: " + where + what + ".");
  }
  return Status::Ok();
}

}  // namespace

Status ReadTableDocument(const std::string& path, const ReadOptions& options, Document& table,
                         ReadResult& result) {
  table = Document{};
  return LoadCSV(table, path, options, result);
}

StatusOr<RefreshedDesign> RefreshDesign(const Document& design, const Document& table,
                                        const RefreshOptions& options) {
  const StatusOr<DesignMatch> matched = MatchDesign(design, table);
  if (!matched.ok()) return matched.status();
  const DesignMatch& match = matched.value();
  RefreshedDesign refreshed{design, DescribeMatch(design, table, match), {}};
  Document& next = refreshed.document;
  TakeSource(table, match, design.FieldCount, next);
  for (int field = 1; field <= design.FieldCount; ++field) {
    next.Fields[field].MaxLen = table.Fields[match.column[field]].MaxLen;
  }
  std::vector<std::string>& found = refreshed.warnings;
  if (!match.extra_columns.empty()) {
    std::string columns;
    for (const int column : match.extra_columns) {
      columns += (columns.empty() ? "" : ", ") + ColumnName(table, column);
    }
    found.push_back("Столбцы файла «" + FileNameForMessage(table.SourceFileName) +
                    "», которых нет в справочнике, в него не войдут: " + columns + ".");
  }
  if (Status status = CheckNumericFields(options, next, found); !status.ok()) return status;
  return refreshed;
}

}  // namespace designer
