#include "designer/model/csv_detect.h"

#include <map>
#include <sstream>
#include <vector>

#include "designer/model/csv_quoted.h"
#include "designer/model/csv_record.h"
#include "designer/model/csv_scan.h"
#include "designer/model/csv_table.h"
#include "designer/model/encoding.h"
#include "format/source_lines.h"

namespace designer {
namespace {

// A record of the sample as a splitter reads it.
struct Shape {
  std::int64_t line = 0;  // where it begins, 1-based
  std::size_t cells = 0;
  bool well_formed = true;
  bool quoted = false;  // it holds a value in quotes
};

// The records of `text` read with quotes, empty lines left out; the last one too only when the
// text is `complete`.
std::vector<Shape> QuotedShapes(std::string_view text, bool complete, std::string_view splitter) {
  std::istringstream in{std::string(text)};
  LineReader lines(in);
  QuotedRecordReader records(lines, std::string(splitter));
  std::vector<Shape> shapes;
  std::vector<std::string_view> cells;
  bool cut = false;  // the last record ran into the end of the text inside quotes
  while (records.Next(cells)) {
    cut = records.quote_left_open();
    if (cells.empty()) continue;
    shapes.push_back(
        {records.line(), cells.size(), records.well_formed(), records.has_quoted_value()});
  }
  if (!complete && cut && !shapes.empty()) shapes.pop_back();
  return shapes;
}

// The lines of `text` split at `splitter` without quotes, empty lines left out.
std::vector<Shape> LineShapes(std::string_view text, std::string_view splitter) {
  std::vector<Shape> shapes;
  std::int64_t number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    ++number;
    if (!line.empty()) shapes.push_back({number, CountCells(line, splitter)});
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return shapes;
}

// How a table's records split at a splitter: the lines above its first line, and how many of
// its records have the number of values of that line.
struct Layout {
  std::int32_t title_lines = 0;
  std::size_t alike = 0;
  std::size_t records = 0;

  // Whether `other` splits the lines more alike, or as alike below fewer title lines.
  bool BetterThan(const Layout& other) const {
    const std::size_t mine = alike * other.records, theirs = other.alike * records;
    return mine != theirs ? mine > theirs : title_lines < other.title_lines;
  }
};

// The layout of `shapes` when they split alike: the table's number of values is the most
// frequent one above 1 (the first met of equals), its first line the first record of that many
// values, at most kMaxGuessedSkip lines down; at least kAlikePercent of the records from there on
// must have that many. `quoted`: each of them must be well-formed, and one hold a quoted value.
std::optional<Layout> SplitAlike(const std::vector<Shape>& shapes, bool quoted) {
  std::map<std::size_t, std::size_t> counts;
  for (const Shape& shape : shapes) ++counts[shape.cells];
  std::size_t cells = 0;
  for (const Shape& shape : shapes) {
    if (shape.cells > 1 && (cells == 0 || counts[shape.cells] > counts[cells])) cells = shape.cells;
  }
  if (cells == 0) return std::nullopt;
  std::size_t start = 0;
  while (shapes[start].cells != cells) ++start;
  Layout layout{static_cast<std::int32_t>(shapes[start].line - 1), 0, shapes.size() - start};
  if (layout.title_lines > kMaxGuessedSkip || (start > 0 && layout.records < 2))
    return std::nullopt;
  bool any_quoted = false;
  for (std::size_t i = start; i < shapes.size(); ++i) {
    if (quoted && !shapes[i].well_formed) return std::nullopt;
    layout.alike += shapes[i].cells == cells;
    any_quoted = any_quoted || shapes[i].quoted;
  }
  if (quoted && !any_quoted) return std::nullopt;
  if (layout.alike * 100 < layout.records * kAlikePercent) return std::nullopt;
  return layout;
}

// Whether the quotes of `text` form well-formed quoted values when split at `splitter`.
bool QuotesWellFormed(std::string_view text, bool complete, std::string_view splitter) {
  bool any_quoted = false;
  for (const Shape& shape : QuotedShapes(text, complete, splitter)) {
    if (!shape.well_formed) return false;
    any_quoted = any_quoted || shape.quoted;
  }
  return any_quoted;
}

}  // namespace

CsvGuess GuessCsvText(std::string_view text, bool complete, std::string_view fallback_splitter) {
  CsvGuess guess;
  std::optional<Layout> best;
  for (const char choice : format::kSplitterChoices) {
    const std::string splitter(1, choice);
    // Quoted values first: a splitter inside them would make the plain reading unlike.
    bool quoted = true;
    std::optional<Layout> layout = SplitAlike(QuotedShapes(text, complete, splitter), true);
    if (!layout) {
      quoted = false;
      layout = SplitAlike(LineShapes(text, splitter), false);
    }
    if (!layout || (best && !layout->BetterThan(*best))) continue;
    best = layout;
    guess.splitter = splitter;
    guess.quoted = quoted;
    guess.skip_lines = layout->title_lines;
  }
  if (!guess.splitter) guess.quoted = QuotesWellFormed(text, complete, fallback_splitter);
  return guess;
}

StatusOr<CsvGuess> GuessCsvFile(const std::string& path, std::optional<TextEncoding> encoding,
                                const std::string& fallback_splitter) {
  const StatusOr<TextEncoding> detected = FindCsvEncoding(path, encoding);
  if (!detected.ok()) return detected.status();
  const TextEncoding found = detected.value();
  LineReader lines;
  if (Status opened = OpenCsvText(path, found, 0, lines); !opened.ok()) return opened;
  std::string text;
  std::string line;
  for (std::size_t count = 0; count < kGuessLines && text.size() < kGuessBytes; ++count) {
    if (!lines.ReadLine(kGuessBytes, line)) break;
    text += line;
    text += '\n';
  }
  if (!lines.status().ok()) return lines.status();
  const bool complete = lines.AtEnd();
  CsvGuess guess = GuessCsvText(text, complete, InputSplitter(fallback_splitter, found));
  guess.encoding = found;
  return guess;
}

}  // namespace designer
