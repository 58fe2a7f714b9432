// Widths between the model and the widgets: reading a width box the way the designer reads
// every number box, and showing a stored width.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The 32-bit integer that `text` spells (an optional sign and decimal digits, nothing else);
// nothing when it is empty, holds anything else or lies beyond the 32-bit range.
std::optional<std::int32_t> ParseInteger(const QString& text);

// "'<text>' is not a valid integer value": the message for a box that holds no integer.
QString NotAnIntegerMessage(const QString& text);

// A stored width as a widget shows it. The model keeps any 32-bit number (a file or a box may
// hold one), but a negative width shows as none and a huge one is cut, so that the sum of the
// result columns' widths stays far inside the toolkit's integer range.
int ShownWidth(std::int32_t width);
