// Cell values written as the user saw them in the spreadsheet: numbers with a decimal comma and
// no digit more than they need, dates as ДД.ММ.ГГГГ (with ЧЧ:ММ when they have a time),
// booleans as ИСТИНА and ЛОЖЬ. Every reader writes its values through these, so the same table
// gives the same texts whatever format it came in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace spreadsheet {

// Whole numbers without a fraction ("123"), others to the 15 significant digits a spreadsheet
// keeps, with a decimal comma ("0,75"), never in exponent form.
std::string NumberText(double value);

// The same for a number written in the file as text ("52300.5", "1E-07", " 12.50"); none when
// the text is not a number.
std::optional<std::string> NumberText(std::string_view decimal);

std::string BooleanText(bool value);

// How a number formatted as a date or time is shown.
enum class DateStyle { kDate, kTime };

// A spreadsheet's day number (days since its epoch, the fraction being the time of day):
// kDate gives ДД.ММ.ГГГГ, and ДД.ММ.ГГГГ ЧЧ:ММ when the time is not midnight; kTime gives ЧЧ:ММ.
// `epoch1904` is the other epoch some workbooks declare. None for numbers outside years 1 to 9999.
std::optional<std::string> SerialDateText(double serial, DateStyle style, bool epoch1904 = false);

// A date written in the file, "2020-01-15", "20200115", "2020-01-15T10:30:00" or
// "2020-01-15 10:30:00", as ДД.ММ.ГГГГ with ЧЧ:ММ when the time is not midnight.
std::optional<std::string> WrittenDateText(std::string_view date);

// A time of day written in the file, "10:30:00" or the duration form "PT10H30M00S", as ЧЧ:ММ.
std::optional<std::string> WrittenTimeText(std::string_view time);

}  // namespace spreadsheet
