// Work in a child process: what it sent comes back, its end is told apart, and the parent is
// left with no child and no descriptor of it.
#include "spreadsheet/child_process.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace spreadsheet {
namespace {

std::ptrdiff_t OpenDescriptors() {
  return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
}

bool NoChildLeft() { return waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD; }

TEST(ChildProcess, TellsAChildThatFinishedFromOneThatFailedOrDied) {
  const struct {
    const char* end;
    void (*after_sending)();
    bool finished;
  } cases[] = {{"returns", [] {}, true},
               {"aborts", [] { std::abort(); }, false},
               {"faults", [] { std::raise(SIGSEGV); }, false},
               {"throws", [] { throw std::runtime_error("сбой"); }, false},
               {"exits", [] { std::_Exit(3); }, false}};
  const std::ptrdiff_t descriptors = OpenDescriptors();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.end);
    ChildProcess child;
    ASSERT_TRUE(child
                    .Start([&](ChildOutput& out) {
                      out.Text("строка");
                      out.Number(0x12345678);
                      out.Flush();
                      c.after_sending();
                      return true;
                    })
                    .ok());
    std::string text;
    std::uint32_t number = 0;
    std::uint8_t more = 0;
    EXPECT_TRUE(child.Text(text, 100) && child.Number(number));
    EXPECT_EQ(text, "строка");
    EXPECT_EQ(number, 0x12345678u);
    EXPECT_FALSE(child.Byte(more));
    EXPECT_EQ(child.Finish(), c.finished);
    EXPECT_TRUE(NoChildLeft());
    EXPECT_EQ(OpenDescriptors(), descriptors);
  }
}

TEST(ChildProcess, AChildNoLongerWantedIsKilledAndReaped) {
  const std::ptrdiff_t descriptors = OpenDescriptors();
  {
    ChildProcess child;
    ASSERT_TRUE(child
                    .Start([](ChildOutput& out) {
                      for (;;) out.Text(std::string(1000, 'x'));
                      return true;
                    })
                    .ok());
    std::string text;
    EXPECT_TRUE(child.Text(text, 1000));
    EXPECT_FALSE(child.Text(text, 999));
  }
  EXPECT_TRUE(NoChildLeft());
  EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST(ChildProcess, ASilentChildIsTakenForHungAndKilled) {
  ChildProcess child(/*silence_limit_ms=*/100);
  ASSERT_TRUE(child
                  .Start([](ChildOutput&) -> bool {
                    for (;;) pause();
                  })
                  .ok());
  std::uint8_t byte = 0;
  EXPECT_FALSE(child.Byte(byte));
  EXPECT_TRUE(child.hung());
  EXPECT_FALSE(child.Finish());
  EXPECT_TRUE(NoChildLeft());
}

}  // namespace
}  // namespace spreadsheet
