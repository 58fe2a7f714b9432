// The database file a conversion writes, and the two ways a conversion ends with it.
//
// A conversion returns a ConversionResult: ok when the database is complete; an error with a
// message of its own (a file that is no source file included, a data line at fault with its line);
// no input when the input cannot be opened and no output when the output cannot be created or
// written (its message the system's reason, or empty), both without a message, which is the
// caller's to give.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "builder/convert/byte_io.h"
#include "builder/convert/record_sink.h"
#include "builder/convert/reporter.h"
#include "common/status.h"

namespace builder {

class DatabaseOutput {
 public:
  explicit DatabaseOutput(const std::string& path) : path_(path), sink_(path) {}

  bool is_open() const { return sink_.is_open(); }
  FileSink& sink() { return sink_; }
  const std::string& path() const { return path_; }

  // `message` as the failure. The file keeps exactly the bytes written before the failure, so the
  // user can see how far the conversion came.
  Status Fail(const std::string& message);
  // A write that failed with `failure`: no output, with the system's reason and no message
  // shown, since only the caller knows the name the user asked for (the file written here may be
  // a temporary one). The file keeps the bytes written before it.
  Status WriteFailure(Status failure);
  // Closes the finished file. A full disk may show only here; then the conversion failed.
  Status Close();

 private:
  std::string path_;
  FileSink sink_;
};

// The conversion's end of a record loop: writes `header` at the loop's Begin, shows the progress
// every 1000 records, writes each record and fails with the first fault, whose line it keeps.
class RecordWriter : public RecordSink {
 public:
  RecordWriter(DatabaseOutput& output, Reporter& reporter, std::string header)
      : output_(output), reporter_(reporter), header_(std::move(header)) {}

  Status Begin() override;
  void Building(std::int64_t record) override;
  Status Take(std::int64_t record, std::int64_t file_line, const Status& line,
              std::string_view encoded) override;

  // The line of the input where the data line at fault began; 0 before a fault.
  std::int64_t fault_line() const { return fault_line_; }

 private:
  DatabaseOutput& output_;
  Reporter& reporter_;
  std::string header_;
  std::int64_t fault_line_ = 0;
};

}  // namespace builder
