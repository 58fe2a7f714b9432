// Reads the first sheet of a workbook and writes its rows to a file as ";"-separated lines, as a
// converter to CSV does: the measured work of bench/run.sh's spreadsheet case.
//
// Usage: spreadsheet_read_bench WORKBOOK OUT
#include <cstdio>
#include <memory>

#include "spreadsheet/workbook.h"

namespace {

struct LineWriter : spreadsheet::RowSink {
  explicit LineWriter(std::FILE* out) : out(out) {}
  bool Row(std::uint32_t, const std::vector<std::string>& cells) override {
    line.clear();
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) line += ';';
      line += cells[i];
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out);
    return true;
  }
  std::FILE* out;
  std::string line;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: spreadsheet_read_bench WORKBOOK OUT\n");
    return 2;
  }
  spreadsheet::WorkbookOr book = spreadsheet::OpenWorkbook(argv[1]);
  Status status = book.ok() ? Status::Ok() : book.status();
  std::FILE* out = std::fopen(argv[2], "wb");
  if (status.ok() && out != nullptr) {
    LineWriter writer(out);
    spreadsheet::SheetWarnings warnings;
    status = book.value()->ReadSheet(0, writer, warnings);
  }
  if (out == nullptr || std::fclose(out) != 0) status = Status::Error("cannot write the output");
  if (!status.ok()) std::fprintf(stderr, "%s\n", status.message().c_str());
  return status.ok() ? 0 : 1;
}
