// Interruptions on POSIX systems, and the named temporary a handler must remove.

#include "runtime/interrupt_cleanup.h"

#include "runtime/platform/posix_named_temporary.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace sorvane {
namespace {

constexpr std::size_t kMaxRememberedPath = 4096;

// Whatever ends the program from outside while it writes: Ctrl-C, Ctrl-\, a request to
// terminate, its terminal closing, and a file grown beyond the size limit (ulimit -f).
constexpr int kEndingSignals[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGXFSZ};

char rememberedPath[kMaxRememberedPath];
std::atomic<bool> pathRemembered{false};
static_assert(std::atomic<bool>::is_always_lock_free, "read inside a signal handler");

void EndOnInterrupt(int signalNumber) {
  RemoveNamedTemporary();
  // The default action ends the process with the status a shell reports as 128 + n.
  // Should either call fail there is nothing better to do in a handler.
  static_cast<void>(std::signal(signalNumber, SIG_DFL));
  static_cast<void>(std::raise(signalNumber));
}

}  // namespace

void RememberNamedTemporary(const std::string& path) noexcept {
  pathRemembered.store(false);
  if (path.size() >= kMaxRememberedPath) return;
  std::memcpy(rememberedPath, path.c_str(), path.size() + 1);
  pathRemembered.store(true);
}

void ForgetNamedTemporary() noexcept { pathRemembered.store(false); }

void RemoveNamedTemporary() noexcept {
  if (pathRemembered.load()) ::unlink(rememberedPath);
}

void RemoveTemporaryOnInterrupt() noexcept {
  struct sigaction action {};
  action.sa_handler = EndOnInterrupt;
  sigemptyset(&action.sa_mask);
  for (const int signalNumber : kEndingSignals) {
    sigaddset(&action.sa_mask, signalNumber);  // one interruption at a time
  }
  for (const int signalNumber : kEndingSignals) {
    ::sigaction(signalNumber, &action, nullptr);
  }
}

}  // namespace sorvane
