// How a conversion ended, for its caller to show once: the builder window in message boxes, bwick
// as error lines, the designer's preview as its failure. Reporters carry only the progress and the
// notes, so nothing is shown twice.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "common/status.h"

namespace builder {

inline constexpr const char* kCaptionError = "Ошибка";     // window and converters
inline constexpr const char* kCaptionPackError = "Error";  // packing
// The general message that ends a failed conversion, after the converter's own message when it
// had one.
inline constexpr const char* kConversionFailed =
    "Ошибка преобразования, проверте\r\nналичие входного файла и его формат!";

struct ConversionResult {
  ConversionResult(Status status = Status::Ok(), std::int64_t fault_line = 0)
      : status(std::move(status)), fault_line(fault_line) {}

  bool ok() const { return status.ok(); }
  StatusKind kind() const { return status.kind(); }
  const std::string& message() const { return status.message(); }

  // The failure's kind and its own message, shown in a box captioned `caption`; empty when it has
  // none. A converter's "no input" or "no output" carries the system's reason instead, which
  // RunConversion puts into a message naming the file the user knows.
  Status status;
  // A data line at fault: the line of the input where it began; 0 for any other failure.
  std::int64_t fault_line = 0;
  const char* caption = kCaptionError;
  // The conversion itself failed: kConversionFailed follows the own message.
  bool general_follows = false;
};

}  // namespace builder
