#include "cli/find_command.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <limits>
#include <optional>

#include "cli/arguments.h"
#include "cli/exit_codes.h"
#include "cli/readable_input.h"
#include "cli/record_line.h"
#include "common/codepage.h"
#include "viewer/search/book_reader.h"
#include "viewer/search/search.h"

namespace cli {
namespace {

// FIELD=TEXT as Windows-1251 bytes; the field is not known until the book's layout is read.
struct Term {
  std::string field;
  std::string text;
  std::string as_given;  // UTF-8, for messages
};

std::optional<std::uint64_t> ReadLimit(const std::string& text) {
  std::uint64_t limit = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), limit);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return limit;
}

std::optional<Term> ReadTerm(const std::string& arg, std::string& error) {
  const std::size_t equals = arg.find('=');
  if (equals == std::string::npos || equals == 0) {
    error = "'" + arg + "' is no FIELD=TEXT";
    return std::nullopt;
  }
  codepage::Unmappable failure;
  const auto field = codepage::Utf8ToCp1251(arg.substr(0, equals), &failure);
  const auto text = field ? codepage::Utf8ToCp1251(arg.substr(equals + 1), &failure) : std::nullopt;
  if (!text) {
    error = "'" + arg + "': the character at byte " +
            std::to_string(failure.offset + (field ? equals + 1 : 0)) + " has no Windows-1251 code";
    return std::nullopt;
  }
  return Term{*field, *text, arg};
}

// The field a term names: a field's name, or else its number counted from 1.
std::optional<std::size_t> FieldNamed(const viewer::BookLayout& layout, const std::string& name) {
  for (std::size_t k = 0; k < layout.fields.size(); ++k) {
    if (layout.fields[k].name == name) return k;
  }
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error == std::errc() && end == name.data() + name.size() && number >= 1 &&
      number <= layout.fields.size()) {
    return number - 1;
  }
  return std::nullopt;
}

// Matches each record as it is read and prints it, so memory stays constant.
class Finder : public viewer::BookVisitor {
 public:
  Finder(const std::vector<Term>& terms, std::uint64_t limit) : terms_(terms), limit_(limit) {}

  bool Layout(const viewer::BookLayout& layout, std::uint32_t) override {
    std::vector<viewer::QueryBox> boxes;
    for (const Term& term : terms_) {
      const auto field = FieldNamed(layout, term.field);
      if (!field) {
        refusal_ = "'" + term.as_given + "': the book has no such field";
      } else if (!viewer::BoxTakes(layout.fields[*field].flags, term.text)) {
        refusal_ = "'" + term.as_given + "': the field takes digits only";
      }
      if (!refusal_.empty()) return false;
      boxes.push_back({*field, term.text});
    }
    matcher_ = viewer::RecordMatcher::AllBoxes(layout, boxes);
    return true;
  }

  void Record(std::uint32_t number, std::span<const std::string_view> values) override {
    if (!matcher_.Matches([&](std::size_t field) { return values[field]; })) return;
    if (++found_ <= limit_) PrintRecord(std::cout, number, values);
  }

  const std::string& refusal() const { return refusal_; }
  std::uint64_t found() const { return found_; }

 private:
  const std::vector<Term>& terms_;
  std::uint64_t limit_;
  viewer::RecordMatcher matcher_;
  std::string refusal_;
  std::uint64_t found_ = 0;
};

}  // namespace

int RunFindCommand(const std::vector<std::string>& args) {
  std::string error;
  const auto parsed = ParseArguments(args, {{"limit", true}}, error);
  std::vector<Term> terms;
  std::uint64_t limit = std::numeric_limits<std::uint64_t>::max();
  if (parsed && parsed->positional.empty()) error = "BOOK expected";
  if (parsed && error.empty()) {
    for (std::size_t i = 1; i < parsed->positional.size() && error.empty(); ++i) {
      if (auto term = ReadTerm(parsed->positional[i], error)) terms.push_back(std::move(*term));
    }
    if (const auto given = parsed->Value("limit")) {
      const auto read = ReadLimit(*given);
      if (read)
        limit = *read;
      else
        error = "--limit takes a number of records";
    }
  }
  if (!parsed || !error.empty()) {
    PrintUsageError("find", error + "\nUsage: " + kFindUsage);
    return kExitUsage;
  }
  const std::string& path = parsed->positional[0];
  if (const std::string why = WhyUnreadable(path); !why.empty()) {
    std::cerr << "bwick find: " << path << ": " << why << "\n";
    return kExitUnreadable;
  }
  Finder finder(terms, limit);
  const Status read = viewer::ReadBook(path, finder);
  std::cout.flush();
  if (!finder.refusal().empty()) {
    PrintUsageError("find", path + ": " + finder.refusal());
    return kExitUsage;
  }
  if (!read.ok()) {
    std::cerr << "bwick find: " << path << ": " << read.message() << "\n";
    return kExitUnreadable;
  }
  std::cerr << "Найдено записей: " << finder.found();
  if (finder.found() > limit) std::cerr << ", показано: " << limit;
  std::cerr << "\n";
  return finder.found() > 0 ? kExitOk : kExitFailed;
}

}  // namespace cli
