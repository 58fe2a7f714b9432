// Exit statuses of the bwick tool, the same for every subcommand.
#pragma once

namespace cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;      // bad data, or the work failed
inline constexpr int kExitUsage = 2;       // wrong command line
inline constexpr int kExitUnreadable = 3;  // the input cannot be read

}  // namespace cli
