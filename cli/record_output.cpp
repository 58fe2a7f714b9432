#include "cli/record_output.h"

#include <cctype>
#include <cstdio>
#include <optional>
#include <set>

#include "common/codepage.h"

namespace cli {
namespace {

constexpr char kJsonNumberKey[] = "запись";

std::string Hex(unsigned char byte, const char* format) {
  char text[8];
  std::snprintf(text, sizeof text, format, byte);
  return text;
}

// A byte no terminal should get raw: C0 controls, DEL, and 0x98, which Windows-1251 leaves
// undefined and UTF-8 carries as a C1 control.
bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F || byte == 0x98; }

std::string TextValue(std::string_view cp1251) {
  std::string escaped;
  for (const char c : cp1251) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsControl(byte)) {
      escaped += Hex(byte, "\\x%02X");
    } else if (c == '|' || c == '\\') {
      escaped += {'\\', c};
    } else {
      escaped += c;
    }
  }
  return codepage::Cp1251ToUtf8(escaped);
}

std::string TsvValue(std::string_view cp1251) {
  std::string escaped;
  for (const char c : cp1251) {
    switch (c) {
      case '\t':
        escaped += "\\t";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      default:
        escaped += c;
    }
  }
  return codepage::Cp1251ToUtf8(escaped);
}

std::string CsvValue(std::string_view cp1251, codepage::TextEncoding encoding) {
  std::string value(cp1251);
  if (value.find_first_of(",\"\r\n") != std::string::npos) {
    std::string quoted = "\"";
    for (const char c : value) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    value = quoted + "\"";
  }
  return encoding == codepage::TextEncoding::kUtf8 ? codepage::Cp1251ToUtf8(value) : value;
}

std::string JsonString(std::string_view utf8) {
  std::string quoted = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += {'\\', c};
    } else if (byte < 0x20) {
      quoted += Hex(byte, "\\u%04X");
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::string FieldByNumber(std::size_t i) { return "поле " + std::to_string(i + 1); }

// A heading names every column: a field without a name (a phone book's) by its number.
std::vector<std::string> HeadingNames(std::vector<std::string> names) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].empty()) names[i] = *codepage::Utf8ToCp1251(FieldByNumber(i));
  }
  return names;
}

// The members' names: the fields' own, where not taken yet.
std::vector<std::string> JsonKeys(const std::vector<std::string>& names) {
  std::set<std::string> used = {kJsonNumberKey};
  std::vector<std::string> keys;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string key = codepage::Cp1251ToUtf8(names[i]);
    if (used.count(key) != 0) key = FieldByNumber(i);
    used.insert(key);
    keys.push_back(JsonString(key));
  }
  return keys;
}

}  // namespace

StatusOr<RecordOutputOptions> ReadRecordOutputOptions(const ParsedArguments& parsed) {
  RecordOutputOptions options;
  if (const auto format = parsed.Value("format")) {
    if (*format == "text") {
      options.format = OutputFormat::kText;
    } else if (*format == "tsv") {
      options.format = OutputFormat::kTsv;
    } else if (*format == "csv") {
      options.format = OutputFormat::kCsv;
    } else if (*format == "json") {
      options.format = OutputFormat::kJson;
    } else {
      return Status::Refusal("--format: text, tsv, csv или json");
    }
  }
  const StatusOr<std::optional<codepage::TextEncoding>> encoding = ReadEncodingOption(parsed);
  if (!encoding.ok()) return encoding.status();
  if (encoding.value() && options.format != OutputFormat::kCsv)
    return Status::Refusal("--encoding задаётся только вместе с --format csv");
  if (encoding.value()) options.encoding = *encoding.value();
  return options;
}

RecordPrinter::RecordPrinter(RecordOutputOptions options, std::vector<std::string> names,
                             std::ostream& out)
    : options_(options),
      names_(HeadingNames(std::move(names))),
      json_keys_(JsonKeys(names_)),
      out_(out) {}

std::string RecordPrinter::Value(std::string_view cp1251) const {
  switch (options_.format) {
    case OutputFormat::kText:
      return TextValue(cp1251);
    case OutputFormat::kTsv:
      return TsvValue(cp1251);
    case OutputFormat::kCsv:
      return CsvValue(cp1251, options_.encoding);
    case OutputFormat::kJson:
      return JsonString(codepage::Cp1251ToUtf8(cp1251));
  }
  return {};
}

void RecordPrinter::Row(std::span<const std::string_view> values) {
  for (std::size_t i = 0; i < values.size(); ++i)
    out_ << (i == 0 ? "" : options_.format == OutputFormat::kTsv ? "\t" : ",") << Value(values[i]);
  out_ << (options_.format == OutputFormat::kCsv ? "\r\n" : "\n");
}

void RecordPrinter::Heading() {
  if (options_.format != OutputFormat::kTsv && options_.format != OutputFormat::kCsv) return;
  const std::vector<std::string_view> names(names_.begin(), names_.end());
  Row(names);
}

void RecordPrinter::Record(std::int64_t number, std::span<const std::string_view> values) {
  switch (options_.format) {
    case OutputFormat::kText:
      out_ << "запись " << number << ":";
      for (std::size_t i = 0; i < values.size(); ++i)
        out_ << (i == 0 ? " " : " | ") << Value(values[i]);
      out_ << "\n";
      return;
    case OutputFormat::kTsv:
    case OutputFormat::kCsv:
      Row(values);
      return;
    case OutputFormat::kJson:
      out_ << "{\"" << kJsonNumberKey << "\": " << number;
      for (std::size_t i = 0; i < values.size() && i < json_keys_.size(); ++i)
        out_ << ", " << json_keys_[i] << ": " << Value(values[i]);
      out_ << "}\n";
      return;
  }
}

}  // namespace cli
