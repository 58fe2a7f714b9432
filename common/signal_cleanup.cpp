#include "common/signal_cleanup.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

// The handler may run at any point of the program, so the paths live in fixed storage and a
// slot is armed only once its path is whole: the handler reads nothing that is being written.
enum SlotState { kFree, kFilling, kArmed };

struct Slot {
  std::atomic<int> state{kFree};
  char path[4096];
};

// A program has one or two temporary files at a time (a database and its packed copy).
Slot slots[16];
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void RemoveAndEnd(int signal_number) {
  const int saved_errno = errno;
  for (Slot& slot : slots) {
    if (slot.state.load() == kArmed) unlink(slot.path);
  }
  errno = saved_errno;
  // The handler was installed to reset itself: the signal, raised again, now does what it would
  // have done, as soon as this handler returns.
  raise(signal_number);
}

}  // namespace

void RemoveTemporaryFilesOnSignals() {
  for (const int signal_number : {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGPIPE}) {
    struct sigaction current {};
    if (sigaction(signal_number, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = RemoveAndEnd;
    sigfillset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    sigaction(signal_number, &action, nullptr);
  }
}

int RegisterTemporaryFile(const std::string& path) {
  if (path.size() >= sizeof slots[0].path) return -1;
  for (int i = 0; i < static_cast<int>(std::size(slots)); ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
    slots[i].state.store(kArmed);
    return i;
  }
  return -1;
}

void UnregisterTemporaryFile(int slot) {
  if (slot >= 0 && slot < static_cast<int>(std::size(slots))) slots[slot].state.store(kFree);
}
