// Errors as values: every call that can fail returns a Status instead of throwing.
#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>

enum class StatusKind {
  kOk,
  kRefusal,   // an expected refusal with a fixed text (a wrong field or option, data the call
              // does not take); the designer shows it in a plain message box
  kError,     // an error that ends a command; the designer shows it with a stop icon
  kNoInput,   // the input cannot be opened, or is not what the call reads
  kNoOutput,  // the output cannot be created
};

class Status {
 public:
  static Status Ok() { return Status(); }
  // `message` is UTF-8 text for the user, in the system's own words.
  static Status Error(std::string message) {
    return Status(StatusKind::kError, std::move(message));
  }
  static Status Refusal(std::string message) {
    return Status(StatusKind::kRefusal, std::move(message));
  }
  // The two failures whose message, if any, is the caller's to give.
  static Status NoInput(std::string message = {}) {
    return Status(StatusKind::kNoInput, std::move(message));
  }
  static Status NoOutput(std::string message = {}) {
    return Status(StatusKind::kNoOutput, std::move(message));
  }

  bool ok() const { return kind_ == StatusKind::kOk; }
  bool refusal() const { return kind_ == StatusKind::kRefusal; }
  StatusKind kind() const { return kind_; }
  const std::string& message() const { return message_; }

 private:
  Status() = default;
  Status(StatusKind kind, std::string message) : kind_(kind), message_(std::move(message)) {}

  StatusKind kind_ = StatusKind::kOk;
  std::string message_;
};

// A call's result, or the Status that says why there is none: what a call returns instead of a
// Status and its result through a reference. Made from a value (ok) or from a failed Status.
template <typename T>
class StatusOr {
 public:
  StatusOr(T value) : value_(std::move(value)) {}
  StatusOr(Status status) : status_(std::move(status)) { assert(!status_.ok()); }

  bool ok() const { return value_.has_value(); }
  const Status& status() const { return status_; }
  // The value; only when ok().
  T& value() & { return *value_; }
  const T& value() const& { return *value_; }
  T&& value() && { return std::move(*value_); }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }

 private:
  Status status_ = Status::Ok();
  std::optional<T> value_;
};
