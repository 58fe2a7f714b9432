// The first step of every command's input: can it be read at all, and can it be read twice?
#pragma once

#include <string>

#include "common/replacement_file.h"
#include "common/status.h"

namespace cli {

// Ok when the file at `path` can be opened for reading; otherwise no input, with the system's
// reason (missing, no permission, a folder). Nothing is read from it, so a pipe keeps every byte
// for the command.
Status CheckReadable(const std::string& path);

// An input that a command may read more than once (to detect its encoding, to try another
// splitter): a regular file is read where it is; standard input ("-") and anything else that
// cannot go back to its start (a pipe, a process substitution) is copied once into a temporary
// file, in constant memory, which goes with this object.
class SpooledInput {
 public:
  // No input, with the system's reason, when `input` cannot be opened or read.
  Status Open(const std::string& input);
  // The path to read: the input's own, or the copy's.
  const std::string& path() const { return path_; }
  // `message` of a reader of path() with the copy's name put back to `input`, as the user gave it.
  std::string Shown(std::string message, const std::string& input) const;

 private:
  Status Copy(int descriptor);

  TemporaryFile spool_;
  std::string path_;
};

}  // namespace cli
