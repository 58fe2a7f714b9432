#include "designer/window/number_box.h"

#include <algorithm>

#include "designer/model/int_text.h"

namespace designer {

StatusOr<std::int32_t> ReadNumberBox(const QString& text, const char* what, int low, int high) {
  const StatusOr<std::int32_t> number = ParseInt32(text.toStdString());
  if (!number.ok()) return Status::Error(std::string(what) + ": " + number.status().message());
  if (number.value() < low || number.value() > high) {
    return Status::Error(QString::fromUtf8("%1: допустимы значения от %2 до %3.")
                             .arg(QString::fromUtf8(what))
                             .arg(low)
                             .arg(high)
                             .toStdString());
  }
  return number;
}

bool IsInteger(const QString& text) { return ParseInt32(text.toStdString()).ok(); }

int ShownWidth(std::int32_t width) { return std::clamp(width, 0, kMaxWidth); }

}  // namespace designer
