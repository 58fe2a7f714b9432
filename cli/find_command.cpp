#include "cli/find_command.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <limits>
#include <optional>

#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/readable_input.h"
#include "cli/record_output.h"
#include "common/byte_source.h"
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
    "В телефонной книге один ТЕКСТ без «=» ищется, как в её единственном поле запроса: запись\n"
    "найдена, когда с него начинается любой из четырёх столбцов. \"-\" читает стандартный ввод.\n"
    "Найденные записи выводятся, как их выводит dump, их число - в стандартный поток ошибок.\n"
    "Код выхода 1, когда ничего не найдено.",
    {{"limit", 0, "N", "показать не больше N записей"},
     kFormatOption,
     kCsvEncodingOption,
     kQuietOption},
    /*more_operands=*/"[ТЕКСТ | ПОЛЕ=ТЕКСТ...]",
};

namespace {

// FIELD=TEXT, or the TEXT of a phone book's one box, as Windows-1251 bytes; the field is not
// known until the book's layout is read.
struct Term {
  std::optional<std::string> field;  // none: the phone book's one box
  std::string text;
  std::string as_given;  // UTF-8, for messages
};

std::optional<std::uint64_t> ReadLimit(const std::string& text) {
  std::uint64_t limit = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), limit);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return limit;
}

StatusOr<Term> ReadTerm(const std::string& arg) {
  const std::size_t equals = arg.find('=');
  if (equals == 0) return Status::Refusal("«" + arg + "» - не ПОЛЕ=ТЕКСТ");
  codepage::Unmappable failure;
  if (!codepage::Utf8ToCp1251(arg, &failure)) {
    return Status::Refusal(
        "«" + arg + "»: в кодировке Windows-1251 нет символа " +
        std::to_string(Characters(std::string_view(arg).substr(0, failure.offset)) + 1));
  }
  if (equals == std::string::npos) return Term{std::nullopt, *codepage::Utf8ToCp1251(arg), arg};
  return Term{*codepage::Utf8ToCp1251(arg.substr(0, equals)),
              *codepage::Utf8ToCp1251(arg.substr(equals + 1)), arg};
}

StatusOr<std::vector<Term>> ReadTerms(const std::vector<std::string>& operands) {
  std::vector<Term> terms;
  for (std::size_t i = 1; i < operands.size(); ++i) {
    StatusOr<Term> term = ReadTerm(operands[i]);
    if (!term.ok()) return term.status();
    terms.push_back(std::move(term).value());
  }
  const bool one_box = !terms.empty() && !terms[0].field;
  for (const Term& term : terms) {
    if (!term.field && (terms.size() > 1 || !one_box))
      return Status::Refusal("«" + term.as_given +
                             "»: ТЕКСТ без «=» задаётся один, без ПОЛЕ=ТЕКСТ");
  }
  return terms;
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

// A table book has no one box: the refusal says which fields a query may name.
Status NoOneBox(const viewer::BookLayout& layout, const Term& term) {
  std::vector<std::size_t> fields = viewer::InputFields(layout);
  std::string names;
  for (const std::size_t k : fields)
    names += (names.empty() ? "" : ", ") + codepage::Cp1251ToUtf8(layout.fields[k].name);
  return Status::Refusal("«" + term.as_given +
                         "»: в табличном справочнике ищут по полям, ПОЛЕ=ТЕКСТ; поля запроса: " +
                         (names.empty() ? "нет (любое поле по номеру)" : names));
}

// Matches each record as it is read and prints it, so memory stays constant.
class Finder : public viewer::BookVisitor {
 public:
  Finder(const std::vector<Term>& terms, std::uint64_t limit, RecordOutputOptions format,
         std::ostream& out)
      : terms_(terms), limit_(limit), format_(format), out_(out) {}

  bool Layout(const viewer::BookLayout& layout, std::uint32_t) override {
    refusal_ = MakeMatcher(layout);
    if (!refusal_.ok()) return false;
    std::vector<std::string> names;
    for (const viewer::BookField& field : layout.fields) names.push_back(field.name);
    printer_.emplace(format_, std::move(names), out_);
    printer_->Heading();
    return true;
  }

  void Record(std::uint32_t number, std::span<const std::string_view> values) override {
    if (!matcher_.Matches([&](std::size_t field) { return values[field]; })) return;
    if (++found_ <= limit_) printer_->Record(number, values);
  }

  const Status& refusal() const { return refusal_; }
  std::uint64_t found() const { return found_; }

 private:
  Status MakeMatcher(const viewer::BookLayout& layout) {
    if (!terms_.empty() && !terms_[0].field) {
      if (layout.kind != viewer::BookKind::kPhoneBook) return NoOneBox(layout, terms_[0]);
      matcher_ = viewer::RecordMatcher::AnyField(layout, terms_[0].text);
      return Status::Ok();
    }
    std::vector<viewer::QueryBox> boxes;
    for (const Term& term : terms_) {
      const auto field = FieldNamed(layout, *term.field);
      if (!field) return Status::Refusal("«" + term.as_given + "»: в справочнике нет такого поля");
      if (!viewer::BoxTakes(layout.fields[*field].flags, term.text))
        return Status::Refusal("«" + term.as_given + "»: поле принимает только цифры");
      boxes.push_back({*field, term.text});
    }
    matcher_ = viewer::RecordMatcher::AllBoxes(layout, boxes);
    return Status::Ok();
  }

  const std::vector<Term>& terms_;
  std::uint64_t limit_;
  RecordOutputOptions format_;
  std::ostream& out_;
  std::optional<RecordPrinter> printer_;
  viewer::RecordMatcher matcher_;
  Status refusal_ = Status::Ok();
  std::uint64_t found_ = 0;
};

}  // namespace

int RunFindCommand(const std::vector<std::string>& args) {
  int status = kExitOk;
  const auto parsed = ParseCommandLine(kFindCommand, args, std::cout, std::cerr, status);
  if (!parsed) return status;
  const StatusOr<std::vector<Term>> terms = ReadTerms(parsed->operands);
  if (!terms.ok()) return UsageError("find", terms.status().message(), std::cerr);
  std::uint64_t limit = std::numeric_limits<std::uint64_t>::max();
  if (const auto given = parsed->Value("limit")) {
    const auto number = ReadLimit(*given);
    if (!number) return UsageError("find", "--limit: число записей", std::cerr);
    limit = *number;
  }
  const StatusOr<RecordOutputOptions> format = ReadRecordOutputOptions(*parsed);
  if (!format.ok()) return UsageError("find", format.status().message(), std::cerr);

  const std::string& path = parsed->operands[0];
  Console console("find", {parsed->Has("quiet"), false});
  if (const Status readable = path == "-" ? Status::Ok() : CheckReadable(path); !readable.ok()) {
    console.Error(path, readable.message());
    return kExitUnreadable;
  }
  Finder finder(terms.value(), limit, format.value(), console.out());
  // The book is read once from its start, so a pipe serves as well as a file.
  FileSource source = path == "-" ? FileSource::StandardInput() : FileSource(path);
  const Status read = viewer::ReadBook(source, finder);
  if (!finder.refusal().ok())
    return UsageError("find", path + ": " + finder.refusal().message(), std::cerr);
  if (!console.FinishProduct()) return kExitUnwritable;
  if (!read.ok()) {
    console.Error(path, read.message());
    return kExitUnreadable;
  }
  std::string found = "найдено записей: " + std::to_string(finder.found());
  if (finder.found() > limit) found += ", показано: " + std::to_string(limit);
  console.Note(path, found);
  return finder.found() > 0 ? kExitOk : kExitNotFound;
}

}  // namespace cli
