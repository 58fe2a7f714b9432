// The database file a conversion writes, and the two ways a conversion ends with it.
#pragma once

#include <string>
#include <string_view>

#include "builder/convert/byte_io.h"
#include "builder/convert/reporter.h"

namespace builder {

// Results of the converters: 0 done, -1 failed after a message of their own, -2 the input
// cannot be opened (or is no source file), -3 the output cannot be created.
inline constexpr int kConvertDone = 0;
inline constexpr int kConvertFailed = -1;
inline constexpr int kConvertNoInput = -2;
inline constexpr int kConvertNoOutput = -3;

class DatabaseOutput {
 public:
  DatabaseOutput(const std::string& path, Reporter& reporter)
      : path_(path), sink_(path), reporter_(reporter) {}

  bool is_open() const { return sink_.is_open(); }
  FileSink& sink() { return sink_; }
  const std::string& path() const { return path_; }

  // Shows `message` and returns kConvertFailed. The file keeps exactly the bytes written before
  // the failure, so the user can see how far the conversion came.
  int Fail(const std::string& message);
  // Closes the finished file. A full disk may show only here; then the conversion failed.
  int Close();

 private:
  std::string path_;
  FileSink sink_;
  Reporter& reporter_;
};

}  // namespace builder
