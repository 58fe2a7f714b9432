#include "viewer/search/found_table.h"

#include <unistd.h>

#include <cerrno>
#include <string_view>

#include "common/codepage.h"
#include "common/replacement_file.h"
#include "common/system_reason.h"

namespace viewer {

namespace {

std::string TabCell(std::string_view value) {
  std::string cell(value);
  for (char& c : cell) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return cell;
}

std::string CsvCell(std::string_view value) {
  if (value.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(value);
  std::string cell = "\"";
  for (const char c : value) {
    if (c == '"') cell += '"';
    cell += c;
  }
  return cell + '"';
}

// One row per record after the heading: cells made by `cell`, split by `splitter`.
template <typename Cell>
std::string Table(const FoundTable& table, char splitter, std::string_view line_end, Cell cell) {
  std::string text;
  const auto add_row = [&](auto value_of) {
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
      if (i > 0) text += splitter;
      text += cell(codepage::Cp1251ToUtf8(value_of(table.fields[i])));
    }
    text += line_end;
  };
  add_row(
      [&](std::size_t field) { return std::string_view(table.book.layout().fields[field].name); });
  for (const std::uint32_t record : table.records) {
    add_row([&](std::size_t field) { return table.book.Value(record, field); });
  }
  return text;
}

Status WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = write(descriptor, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return SystemFailure(errno);
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return Status::Ok();
}

}  // namespace

std::string TabSeparated(const FoundTable& table) { return Table(table, '\t', "\n", TabCell); }

std::string CommaSeparated(const FoundTable& table) { return Table(table, ',', "\r\n", CsvCell); }

Status WriteCommaSeparated(const std::string& path, const FoundTable& table) {
  ReplacementFile file(path);
  if (Status created = file.Create(); !created.ok()) return created;
  const int descriptor = file.TakeDescriptor();
  Status written = WriteAll(descriptor, CommaSeparated(table));
  if (close(descriptor) != 0 && written.ok()) written = SystemFailure(errno);
  return written.ok() ? file.Commit() : written;
}

}  // namespace viewer
