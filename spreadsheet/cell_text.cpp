#include "spreadsheet/cell_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace spreadsheet {
namespace {

constexpr int kSecondsPerDay = 86400;
// The last day a spreadsheet counts: 31.12.9999 in the 1900 epoch.
constexpr double kLastSerial = 2958465.0;

struct Moment {
  long year = 0;
  int month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The civil date of a count of days since 01.01.1970 (the proleptic Gregorian calendar).
Moment CivilFromDays(long days) {
  days += 719468;
  const long era = (days >= 0 ? days : days - 146096) / 146097;
  const long day_of_era = days - era * 146097;
  const long year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const long day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const long shifted_month = (5 * day_of_year + 2) / 153;
  Moment moment;
  moment.day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
  moment.month = static_cast<int>(shifted_month < 10 ? shifted_month + 3 : shifted_month - 9);
  moment.year = year_of_era + era * 400 + (moment.month <= 2 ? 1 : 0);
  return moment;
}

std::string TwoDigits(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

std::string ClockText(const Moment& m) { return TwoDigits(m.hour) + ":" + TwoDigits(m.minute); }

std::string MomentText(const Moment& m) {
  char date[32];
  std::snprintf(date, sizeof date, "%02d.%02d.%04ld", m.day, m.month, m.year);
  const bool has_time = m.hour != 0 || m.minute != 0 || m.second != 0;
  return has_time ? std::string(date) + " " + ClockText(m) : std::string(date);
}

// Reads exactly `width` digits (1 to 9 when 0) at `at`; advances past them.
std::optional<int> Digits(std::string_view text, std::size_t& at, std::size_t width) {
  std::size_t end = at;
  const std::size_t most = width != 0 ? width : 9;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9' && end - at < most) ++end;
  if (end == at || (width != 0 && end - at != width)) return std::nullopt;
  int value = 0;
  std::from_chars(text.data() + at, text.data() + end, value);
  at = end;
  return value;
}

bool Skip(std::string_view text, std::size_t& at, char c) {
  if (at < text.size() && text[at] == c) return ++at, true;
  return false;
}

// "HH:MM[:SS[.fff]]" at `at`, into `m`.
bool ReadClock(std::string_view text, std::size_t& at, Moment& m) {
  const auto hour = Digits(text, at, 2);
  if (!hour || !Skip(text, at, ':')) return false;
  const auto minute = Digits(text, at, 2);
  if (!minute) return false;
  m.hour = *hour, m.minute = *minute;
  if (Skip(text, at, ':')) {
    const auto second = Digits(text, at, 2);
    if (!second) return false;
    m.second = *second;
    if (Skip(text, at, '.') && !Digits(text, at, 0)) return false;
  }
  return at == text.size() && m.hour < 24 && m.minute < 60 && m.second < 60;
}

}  // namespace

std::string NumberText(double value) {
  if (!std::isfinite(value)) return {};
  // Rounded to the 15 significant digits a spreadsheet shows, then written in as few digits as
  // give that value back: 0.1 + 0.2 reads "0,3", not "0,30000000000000004".
  char rounded[40];
  std::snprintf(rounded, sizeof rounded, "%.14e", value);
  value = std::strtod(rounded, nullptr);
  if (value == 0) return "0";
  char text[400];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  std::string written(text, result.ptr);
  for (char& c : written)
    if (c == '.') c = ',';
  return written;
}

std::optional<std::string> NumberText(std::string_view decimal) {
  while (!decimal.empty() && decimal.front() == ' ') decimal.remove_prefix(1);
  while (!decimal.empty() && decimal.back() == ' ') decimal.remove_suffix(1);
  // A whole number of up to 15 digits is already written as it is shown.
  const std::string_view digits = decimal.starts_with('-') ? decimal.substr(1) : decimal;
  if (!digits.empty() && digits.size() <= 15 && digits[0] != '0' &&
      digits.find_first_not_of("0123456789") == std::string_view::npos)
    return std::string(decimal);
  double value = 0;
  const auto result = std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
  if (decimal.empty() || result.ec != std::errc() || result.ptr != decimal.data() + decimal.size())
    return std::nullopt;
  return NumberText(value);
}

std::string BooleanText(bool value) { return value ? "ИСТИНА" : "ЛОЖЬ"; }

std::optional<std::string> SerialDateText(double serial, DateStyle style, bool epoch1904) {
  if (!(serial >= 0 && serial <= kLastSerial)) return std::nullopt;
  // The 1900 epoch counts a 29.02.1900 that never was: days before it are one day later.
  if (!epoch1904 && serial < 61) serial += 1;
  const auto seconds = static_cast<std::int64_t>(std::llround(serial * kSecondsPerDay));
  const long epoch = epoch1904 ? -24107 : -25569;  // 01.01.1904 and 30.12.1899 from 01.01.1970
  Moment m = CivilFromDays(epoch + static_cast<long>(seconds / kSecondsPerDay));
  const int time = static_cast<int>(seconds % kSecondsPerDay);
  m.hour = time / 3600, m.minute = time % 3600 / 60, m.second = time % 60;
  return style == DateStyle::kTime ? ClockText(m) : MomentText(m);
}

std::optional<std::string> WrittenDateText(std::string_view date) {
  std::size_t at = 0;
  Moment m;
  const auto year = Digits(date, at, 4);
  const bool dashed = Skip(date, at, '-');
  const auto month = Digits(date, at, 2);
  if (dashed != Skip(date, at, '-')) return std::nullopt;
  const auto day = Digits(date, at, 2);
  if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31)
    return std::nullopt;
  m.year = *year, m.month = *month, m.day = *day;
  if ((Skip(date, at, 'T') || Skip(date, at, ' ')) ? !ReadClock(date, at, m) : at != date.size())
    return std::nullopt;
  return MomentText(m);
}

std::optional<std::string> WrittenTimeText(std::string_view time) {
  std::size_t at = 0;
  Moment m;
  if (!Skip(time, at, 'P'))
    return ReadClock(time, at, m) ? std::optional(ClockText(m)) : std::nullopt;
  // The duration form: PT, then hours, minutes and seconds, each with its letter.
  if (!Skip(time, at, 'T')) return std::nullopt;
  const char units[] = {'H', 'M', 'S'};
  int* parts[] = {&m.hour, &m.minute, &m.second};
  for (int i = 0; i < 3; ++i) {
    const std::size_t before = at;
    const auto value = Digits(time, at, 0);
    if (i == 2 && value && Skip(time, at, '.')) Digits(time, at, 0);
    if (value && Skip(time, at, units[i]))
      *parts[i] = *value;
    else
      at = before;
  }
  if (at != time.size()) return std::nullopt;
  return ClockText(m);
}

}  // namespace spreadsheet
