// Runs the bwick binary as a shell would, for the tests of the command line.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "builder/convert/test/test_support.h"

namespace cli_testing {

using builder::testing::ReadBytes;
using builder::testing::ScratchDir;

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

class BwickTest : public ::testing::Test {
 protected:
  // Runs `bwick` with `args` (already quoted for the shell); its standard output goes to
  // `out_path` when one is given, and is then not read back. `piped_from` is a shell command
  // whose output is bwick's standard input.
  RunResult Bwick(const std::string& args, const std::string& out_path = "",
                  const std::string& piped_from = "") {
    const std::string out = out_path.empty() ? dir_.File("stdout") : out_path;
    const std::string err = dir_.File("stderr");
    const std::string command = (piped_from.empty() ? "" : piped_from + " | ") + "'" +
                                BWICK_BINARY + "' " + args + " >'" + out + "' 2>'" + err + "'";
    RunResult run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    if (out_path.empty()) run.out = ReadBytes(out);
    run.err = ReadBytes(err);
    return run;
  }
  std::string Quoted(const std::string& name) { return "'" + dir_.File(name) + "'"; }

  ScratchDir dir_;
};

}  // namespace cli_testing
