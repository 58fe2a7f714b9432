#include "designer/window/preview_number.h"

#include <algorithm>
#include <limits>

std::optional<std::int32_t> ParseInteger(const QString& text) {
  qsizetype i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
    negative = text[i] == QLatin1Char('-');
    ++i;
  }
  if (i == text.size()) return std::nullopt;
  // Summed as a negative number so that the smallest 32-bit value fits too.
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 - (c - u'0');
    if (value < std::numeric_limits<std::int32_t>::min()) return std::nullopt;
  }
  if (!negative) {
    value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

QString NotAnIntegerMessage(const QString& text) {
  return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

int ShownWidth(std::int32_t width) {
  constexpr std::int32_t kWidest = 0xffff;
  return std::clamp(width, 0, kWidest);
}
