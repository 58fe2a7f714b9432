// How the builder's conversions talk to the user: the window, the command-line tool and the
// tests each implement this. All texts are UTF-8.
#pragma once

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
};

}  // namespace builder
