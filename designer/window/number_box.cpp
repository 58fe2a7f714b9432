#include "designer/window/number_box.h"

#include <algorithm>

#include "designer/model/int_text.h"

namespace designer {

Status ReadNumberBox(const QString& text, const char* what, int low, int high,
                     std::int32_t& value) {
  std::int32_t number = 0;
  if (Status parsed = ParseInt32(text.toStdString(), number); !parsed.ok()) {
    return Status::Error(std::string(what) + ": " + parsed.message());
  }
  if (number < low || number > high) {
    return Status::Error(QString::fromUtf8("%1: допустимы значения от %2 до %3.")
                             .arg(QString::fromUtf8(what))
                             .arg(low)
                             .arg(high)
                             .toStdString());
  }
  value = number;
  return Status::Ok();
}

bool IsInteger(const QString& text) {
  std::int32_t number = 0;
  return ParseInt32(text.toStdString(), number).ok();
}

int ShownWidth(std::int32_t width) { return std::clamp(width, 0, kMaxWidth); }

}  // namespace designer
