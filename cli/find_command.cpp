#include "cli/find_command.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <limits>
#include <optional>

#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/readable_input.h"
#include "common/codepage.h"
#include "viewer/search/book_reader.h"
#include "viewer/search/search.h"

namespace cli {

const CommandSpec kFindCommand = {
    "find",
    "КНИГА",
    "показать записи справочника (.fdb, .zdb, .db), которые находит запрос",
    "Ищет в справочнике так, как ищет КПК: каждое условие ПОЛЕ=ТЕКСТ после КНИГИ - поле окна\n"
    "запроса (его название или номер с 1), и поиск идёт по флагам этого поля (docs/search.md).\n"
    "Найденные записи выводятся, как их выводит dump, их число - в стандартный поток ошибок.\n"
    "Код выхода 1, когда ничего не найдено.",
    {{"limit", 0, "N", "показать не больше N записей"}, kQuietOption},
    /*more_operands=*/"[ПОЛЕ=ТЕКСТ]...",
};

namespace {

// A record as `bwick dump` prints it: "record N: value | value", the values in UTF-8.
void PrintRecord(std::ostream& out, std::int64_t number, std::span<const std::string_view> values) {
  out << "record " << number << ":";
  for (std::size_t i = 0; i < values.size(); ++i)
    out << (i == 0 ? " " : " | ") << codepage::Cp1251ToUtf8(values[i]);
  out << "\n";
}

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

Status ReadTerm(const std::string& arg, Term& term) {
  const std::size_t equals = arg.find('=');
  if (equals == std::string::npos || equals == 0)
    return Status::Refusal("«" + arg + "» - не ПОЛЕ=ТЕКСТ");
  codepage::Unmappable failure;
  if (!codepage::Utf8ToCp1251(arg, &failure)) {
    return Status::Refusal(
        "«" + arg + "»: в кодировке Windows-1251 нет символа " +
        std::to_string(Characters(std::string_view(arg).substr(0, failure.offset)) + 1));
  }
  term = Term{*codepage::Utf8ToCp1251(arg.substr(0, equals)),
              *codepage::Utf8ToCp1251(arg.substr(equals + 1)), arg};
  return Status::Ok();
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
  Finder(const std::vector<Term>& terms, std::uint64_t limit, std::ostream& out)
      : terms_(terms), limit_(limit), out_(out) {}

  bool Layout(const viewer::BookLayout& layout, std::uint32_t) override {
    std::vector<viewer::QueryBox> boxes;
    for (const Term& term : terms_) {
      const auto field = FieldNamed(layout, term.field);
      if (!field) {
        refusal_ = Status::Refusal("«" + term.as_given + "»: в справочнике нет такого поля");
      } else if (!viewer::BoxTakes(layout.fields[*field].flags, term.text)) {
        refusal_ = Status::Refusal("«" + term.as_given + "»: поле принимает только цифры");
      }
      if (!refusal_.ok()) return false;
      boxes.push_back({*field, term.text});
    }
    matcher_ = viewer::RecordMatcher::AllBoxes(layout, boxes);
    return true;
  }

  void Record(std::uint32_t number, std::span<const std::string_view> values) override {
    if (!matcher_.Matches([&](std::size_t field) { return values[field]; })) return;
    if (++found_ <= limit_) PrintRecord(out_, number, values);
  }

  const Status& refusal() const { return refusal_; }
  std::uint64_t found() const { return found_; }

 private:
  const std::vector<Term>& terms_;
  std::uint64_t limit_;
  std::ostream& out_;
  viewer::RecordMatcher matcher_;
  Status refusal_ = Status::Ok();
  std::uint64_t found_ = 0;
};

}  // namespace

int RunFindCommand(const std::vector<std::string>& args) {
  int status = kExitOk;
  const auto parsed = ParseCommandLine(kFindCommand, args, std::cout, std::cerr, status);
  if (!parsed) return status;
  Status arguments = Status::Ok();
  std::vector<Term> terms(parsed->operands.size() - 1);
  for (std::size_t i = 0; i < terms.size() && arguments.ok(); ++i)
    arguments = ReadTerm(parsed->operands[i + 1], terms[i]);
  std::uint64_t limit = std::numeric_limits<std::uint64_t>::max();
  if (const auto given = parsed->Value("limit"); given && arguments.ok()) {
    if (const auto number = ReadLimit(*given)) {
      limit = *number;
    } else {
      arguments = Status::Refusal("--limit: число записей");
    }
  }
  if (!arguments.ok()) return UsageError("find", arguments.message(), std::cerr);

  const std::string& path = parsed->operands[0];
  Console console("find", {parsed->Has("quiet"), false});
  if (const Status readable = CheckReadable(path); !readable.ok()) {
    console.Error(path, readable.message());
    return kExitUnreadable;
  }
  Finder finder(terms, limit, console.out());
  const Status read = viewer::ReadBook(path, finder);
  if (!finder.refusal().ok())
    return UsageError("find", path + ": " + finder.refusal().message(), std::cerr);
  if (!console.FinishProduct()) return kExitFailed;
  if (!read.ok()) {
    console.Error(path, read.message());
    return kExitUnreadable;
  }
  std::string found = "найдено записей: " + std::to_string(finder.found());
  if (finder.found() > limit) found += ", показано: " + std::to_string(limit);
  console.Note(path, found);
  return finder.found() > 0 ? kExitOk : kExitFailed;
}

}  // namespace cli
