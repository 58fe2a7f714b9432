// Files we write never appear half-written: the bytes go to a temporary file beside the target,
// which takes the target's place in one rename once it is complete. A failure, or a signal that
// ends the program (common/signal_cleanup.h), removes the temporary file and leaves the target as
// it was, or absent.
//
// Every function that can fail returns a Status whose message is the system's reason
// (common/system_reason.h), for the caller's message.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>

#include "common/status.h"

// A new file with a name of its own, removed when the object goes and when a signal ends the
// program, unless it was renamed away first.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Creates a new empty file in `folder` (empty: the working folder), open for reading and
  // writing, named "." + `name` + "." + six random characters: hidden, and never ending in the
  // extension of a finished file.
  Status Create(const std::string& folder, const std::string& name, mode_t mode = 0666);
  const std::string& path() const { return path_; }
  int descriptor() const { return descriptor_; }
  // The open descriptor, which the caller now closes; -1 when there is none.
  int TakeDescriptor();
  // Renames the file to `target`, replacing what is there; the file is then no longer removed.
  Status RenameTo(const std::string& target);
  void Remove();

 private:
  std::string path_;
  int descriptor_ = -1;
  int signal_slot_ = -1;
};

// The writing of a whole file at `target`: Create() opens a temporary file beside it for the
// caller to write and close; Commit() puts it in the target's place. Without a Commit the target
// stays as it was. A target that is a symbolic link is replaced where the link leads, so the link
// stays. A target that exists but is no regular file (a device such as /dev/null) cannot be
// replaced: it is opened and written directly, and never removed.
class ReplacementFile {
 public:
  explicit ReplacementFile(std::string target) : target_(target), replaced_(std::move(target)) {}
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  Status Create();
  // Where the bytes go: the temporary file, or the target itself when it is written directly.
  const std::string& path() const { return direct_ ? replaced_ : temporary_.path(); }
  // The target as given, for messages.
  const std::string& target() const { return target_; }
  // The descriptor open for writing; the caller now closes it.
  int TakeDescriptor();
  Status Commit();

 private:
  std::string target_;
  std::string replaced_;  // the target with a symbolic link followed
  TemporaryFile temporary_;
  bool direct_ = false;
  int direct_descriptor_ = -1;
};
