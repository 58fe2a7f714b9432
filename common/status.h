// Errors as values: every call that can fail returns a Status instead of throwing.
#pragma once

#include <string>
#include <utility>

class Status {
 public:
  static Status Ok() { return Status(); }
  // `message` is UTF-8 text for the user, in the system's own words.
  // An error that ends a command; a window shows it with a stop icon.
  static Status Error(std::string message) { return Status(std::move(message), false); }
  // An expected refusal with a fixed text; a window shows it in a plain message box.
  static Status Refusal(std::string message) { return Status(std::move(message), true); }

  bool ok() const { return !failed_; }
  bool refusal() const { return refusal_; }
  const std::string& message() const { return message_; }

 private:
  Status() = default;
  Status(std::string message, bool refusal)
      : failed_(true), refusal_(refusal), message_(std::move(message)) {}

  bool failed_ = false;
  bool refusal_ = false;
  std::string message_;
};
