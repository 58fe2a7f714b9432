#include "format/source_lines.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "common/codepage.h"
#include "format/source_grammar.h"

namespace format {
namespace {

// Where the builder would end the text: at the first control character.
const char* FirstControl(std::string_view text) {
  return std::find_if(text.data(), text.data() + text.size(),
                      [](char c) { return static_cast<unsigned char>(c) < ' '; });
}

std::string ControlCode(char c) { return std::to_string(static_cast<unsigned char>(c)); }

// A name on a value line of its own, which the builder cuts at a control character and every
// reader skips as a comment when it begins with ";".
Status CheckName(std::string_view name, const std::string& what) {
  if (const char* control = FirstControl(name); control != name.data() + name.size()) {
    return Status::Refusal(what + " содержит управляющий символ (код " + ControlCode(*control) +
                           "), на котором сборщик оборвал бы его");
  }
  if (IsCommentLine(name)) {
    return Status::Refusal(what +
                           " начинается с «;», а такая строка исходного файла — комментарий");
  }
  return Status::Ok();
}

// The text of a stored number that the builder reads back to the same bytes: its usual text, or
// the shortest one. Zero is the empty text; a number of 1 to 3 bytes may be written as the
// negative number of the same bytes ("-1" for FF FF). `out` holds 11 characters.
std::size_t NumberTextFor(const StoredValue& value, bool shortest, char* out) {
  const std::size_t usual = NumberText(value.number, value.number_size, out);
  if (!shortest) return usual;
  if (value.number == 0) return 0;
  if (value.number_size >= 4) return usual;
  char negative[11];
  const std::int64_t below =
      std::int64_t{value.number} - (std::int64_t{1} << (8 * value.number_size));
  const std::size_t length = static_cast<std::size_t>(
      std::to_chars(negative, negative + sizeof negative, below).ptr - negative);
  if (length >= usual) return usual;
  std::memcpy(out, negative, length);
  return length;
}

}  // namespace

void SplitterChoice::See(std::string_view text) {
  // One look at each byte: values are short, and four searches of each cost more.
  for (const char c : text) {
    for (std::size_t i = 0; i < kSplitterChoices.size(); ++i) {
      if (c == kSplitterChoices[i]) seen_[i] = true;
    }
  }
}

std::optional<char> SplitterChoice::Choice() const {
  for (std::size_t i = 0; i < kSplitterChoices.size(); ++i) {
    if (!seen_[i]) return kSplitterChoices[i];
  }
  return std::nullopt;
}

std::string SplitterForMessage(char splitter) {
  if (splitter == '\t') return "табуляция";
  return "«" + codepage::Cp1251ToUtf8(std::string(1, splitter)) + "»";
}

char PrefixLineEnd(const DbHeader& header) {
  constexpr std::size_t kEndAt = kSourcePrefixSize;
  const bool visible = kDbHeaderNameOffset + header.name.size() + 1 <= kEndAt;
  return visible ? header.prefix_line[kEndAt] : '\r';
}

Status CheckSourceHeader(const DatabaseReader& reader) {
  const DbHeader& header = reader.header();
  Status status = CheckName(header.name, "Название справочника");
  for (std::size_t i = 0; status.ok() && i < reader.fields().size(); ++i)
    status = CheckName(reader.fields()[i].name, "Название поля " + std::to_string(i + 1));
  if (!status.ok()) return status;

  DbHeader built = header;
  std::memcpy(built.prefix_line.data(), kSourcePrefix, kSourcePrefixSize);
  // A NUL makes the whole file no text to every reader; any other byte travels on the prefix line.
  const char line_end = PrefixLineEnd(header);
  built.prefix_line[kSourcePrefixSize] = line_end == '\0' ? '\r' : line_end;
  std::string expected;
  const auto header_bytes = EncodeDbHeader(built, true);
  expected.append(header_bytes.data(), header_bytes.size());
  for (const DbFieldDesc& field : reader.fields()) {
    const auto field_bytes = EncodeDbFieldDesc(field);
    expected.append(field_bytes.data(), field_bytes.size());
  }
  const std::string_view actual = reader.header_bytes();
  const auto differ = std::mismatch(expected.begin(), expected.end(), actual.begin());
  if (differ.first != expected.end()) {
    return Status::Refusal("байт заголовка по смещению " +
                           std::to_string(differ.first - expected.begin()) +
                           " не может прийти из исходного файла");
  }
  return Status::Ok();
}

DataLineMaker::DataLineMaker(std::vector<std::uint16_t> max_sizes, char splitter, bool exact)
    : max_sizes_(std::move(max_sizes)), splitter_(splitter), exact_(exact) {}

Status DataLineMaker::CheckText(const BookRecord& record, std::size_t field) {
  const std::string_view text = record.values[field].text;
  const auto where = [&] {
    return "Запись " + std::to_string(record.number) + ", поле " + std::to_string(field + 1) + ": ";
  };
  if (const char* control = FirstControl(text); control != text.data() + text.size()) {
    return Status::Refusal(where() + "значение содержит управляющий символ (код " +
                           ControlCode(*control) + "), на котором сборщик оборвал бы его");
  }
  if (!text.empty() && text.back() == ' ')
    return Status::Refusal(where() + "значение кончается пробелом, который сборщик отбросил бы");
  if (splitter_ != 0 && text.find(splitter_) != std::string_view::npos) {
    splitter_met_ = true;
    return Status::Refusal(where() + "значение содержит разделитель " +
                           SplitterForMessage(splitter_));
  }
  if (exact_ && text.size() > max_sizes_[field]) {
    return Status::Refusal(where() + "значение длиннее размера поля (" +
                           std::to_string(max_sizes_[field]) + "), и сборщик увеличил бы его");
  }
  return Status::Ok();
}

Status DataLineMaker::Make(const BookRecord& record, std::size_t max_length, std::string& line) {
  for (std::size_t i = 0; i < record.values.size(); ++i) {
    if (record.values[i].numeric()) continue;
    if (Status checked = CheckText(record, i); !checked.ok()) return checked;
  }
  // Usual numbers first; their shortest forms when the line is too long with them.
  for (const bool shortest : {false, true}) {
    line.clear();
    for (std::size_t i = 0; i < record.values.size(); ++i) {
      if (i > 0) line.push_back(splitter_ != 0 ? splitter_ : kDefaultSplitter);
      const StoredValue& value = record.values[i];
      if (!value.numeric()) {
        line.append(value.text);
        continue;
      }
      char text[11];
      std::size_t length = NumberTextFor(value, shortest, text);
      if (length > max_sizes_[i]) length = NumberTextFor(value, true, text);
      if (exact_ && length > max_sizes_[i]) {
        return Status::Refusal("Запись " + std::to_string(record.number) + ", поле " +
                               std::to_string(i + 1) + ": число длиннее размера поля (" +
                               std::to_string(max_sizes_[i]) + "), и сборщик увеличил бы его");
      }
      if (splitter_ != 0 && std::memchr(text, splitter_, length) != nullptr) {
        splitter_met_ = true;
        return Status::Refusal("Запись " + std::to_string(record.number) + ", поле " +
                               std::to_string(i + 1) + ": число содержит разделитель " +
                               SplitterForMessage(splitter_));
      }
      line.append(text, length);
    }
    if (line.size() <= max_length) break;
    if (shortest) {
      return Status::Refusal("Запись " + std::to_string(record.number) +
                             ": строка данных заняла бы " + std::to_string(line.size()) +
                             " символов, а сборщик принимает не больше " +
                             std::to_string(kMaxLineText) + " и перевод строки");
    }
  }
  if (line.empty()) line = " ";
  return Status::Ok();
}

}  // namespace format
