// The reason of a failed file operation, in the language of our messages.
#pragma once

#include <string>

#include "common/status.h"

// Russian text for the common error numbers of file work (no such file, permission denied, no
// space left, read-only file system, is a directory, too many links and a few more); any other
// number gives the system's own text. UTF-8.
std::string SystemReason(int error_number);

// A failure whose message is that reason.
inline Status SystemFailure(int error_number) { return Status::Error(SystemReason(error_number)); }
