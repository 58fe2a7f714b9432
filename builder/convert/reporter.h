// How the builder's conversions talk to the user: the window, the command-line tool and the
// tests each implement this. All texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>

namespace builder {

inline constexpr const char* kCaptionError = "Ошибка";     // window and converters
inline constexpr const char* kCaptionPackError = "Error";  // packing

class Reporter {
 public:
  virtual ~Reporter() = default;
  // Replaces the status text and shows it at once (a conversion runs without an event loop).
  virtual void StatusText(const std::string& text) = 0;
  // A modal message box with the error icon; returns when the user has closed it.
  virtual void ErrorMessage(const std::string& caption, const std::string& text) = 0;
  // The general message that ends a failed conversion, after the converter's own message when
  // it had one. Shown as every other message, unless a reporter has said enough already.
  virtual void ConversionFailed(const std::string& text) { ErrorMessage(kCaptionError, text); }
  // The fault of the data line that began on line `file_line` of the input: a message like any
  // other here; a console also names the line.
  virtual void RecordFault(std::int64_t /*file_line*/, const std::string& text) {
    ErrorMessage(kCaptionError, text);
  }
  // What the user should know of a conversion that succeeded (a source file with fewer data
  // lines than its header declares). The window's texts are fixed; a console shows it.
  virtual void Warning(const std::string& /*text*/) {}
};

}  // namespace builder
