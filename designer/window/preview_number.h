// Reading a number from a width box the way the designer reads every number box.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The 32-bit integer that `text` spells (an optional sign and decimal digits, nothing else);
// nothing when it is empty, holds anything else or lies beyond the 32-bit range.
std::optional<std::int32_t> ParseInteger(const QString& text);

// "'<text>' is not a valid integer value": the message for a box that holds no integer.
QString NotAnIntegerMessage(const QString& text);
