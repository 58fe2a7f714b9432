// The window's number boxes: their text read the way the designer reads every number, and a
// stored width as a widget shows it.
#pragma once

#include <QString>
#include <cstdint>

#include "common/status.h"
#include "designer/model/document.h"

namespace designer {

// The widest input box or result column the table database can hold, in pixels.
inline constexpr int kMaxWidth = kMaxDescriptorValue;

// Reads a number box's `text` as a 32-bit integer (an optional sign and decimal digits, nothing
// else) within [low, high]. Text that is no such integer fails with "<what>: «<text>» — не целое
// число", a number outside the range with "<what>: допустимы значения от <low> до
// <high>.".
StatusOr<std::int32_t> ReadNumberBox(const QString& text, const char* what, int low, int high);

// True when `text` is a 32-bit integer as ReadNumberBox reads it, whatever its range.
bool IsInteger(const QString& text);

// A stored width as a widget shows it. A source file may hold any 32-bit number, but a negative
// width shows as none and a huge one is cut, so that the sum of the result columns' widths stays
// far inside the toolkit's integer range.
int ShownWidth(std::int32_t width);

}  // namespace designer
