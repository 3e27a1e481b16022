#include "engine/result_file/signal_cleanup.h"

#include <pthread.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "engine/result_file/result_output.h"

namespace zembra::signal_cleanup {
namespace {

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

// A folder's descriptor and a name in it as a C string, prepared so that the
// handler needs no allocation.
struct Slot {
  std::atomic<bool> used{false};
  int folder = -1;
  char name[NAME_MAX + 1] = {};
};
std::array<Slot, 16> slots;
std::mutex slotsMutex;  // between threads that remember and forget, never in the handler

std::array<struct sigaction, NSIG> previousActions{};
std::atomic<int> deferring{0};       // DeferredSignals alive
std::atomic<int> deferredSignal{0};  // the last signal noted meanwhile

sigset_t cleanupSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kSignals) sigaddset(&set, signal);
  return set;
}

// Does what the signal would have done had we not been there.
void passOn(int signal, siginfo_t* info, void* context) {
  const struct sigaction& before = previousActions[static_cast<std::size_t>(signal)];
  if (before.sa_flags & SA_SIGINFO) {
    before.sa_sigaction(signal, info, context);
  } else if (before.sa_handler != SIG_DFL && before.sa_handler != SIG_IGN) {
    before.sa_handler(signal);
  } else {
    ::sigaction(signal, &before, nullptr);
    ::raise(signal);  // delivered once this handler returns
  }
}

void removeRemembered() {
  for (Slot& slot : slots) {
    if (slot.used.load()) ::unlinkat(slot.folder, slot.name, 0);
  }
}

// Async-signal-safe: atomics, unlinkat, sigaction, raise.
void onSignal(int signal, siginfo_t* info, void* context) {
  const int savedErrno = errno;
  if (deferring.load() > 0) {
    deferredSignal.store(signal);
  } else {
    removeRemembered();
    passOn(signal, info, context);
  }
  errno = savedErrno;
}

void install() {
  std::atexit(&removeRemembered);  // exit() in the middle of a run, too
  // A write past the file-size limit then fails with EFBIG, which is reported,
  // instead of ending the process.
  struct sigaction fileSize {};
  if (::sigaction(SIGXFSZ, nullptr, &fileSize) == 0 && fileSize.sa_handler == SIG_DFL) {
    std::signal(SIGXFSZ, SIG_IGN);
  }
  struct sigaction action {};
  action.sa_sigaction = &onSignal;
  action.sa_mask = cleanupSignals();
  action.sa_flags = SA_SIGINFO | SA_RESTART;
  for (int signal : kSignals) {
    struct sigaction& before = previousActions[static_cast<std::size_t>(signal)];
    if (::sigaction(signal, nullptr, &before) != 0 || before.sa_handler == SIG_IGN) continue;
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace

void installHandlers() {
  static std::once_flag once;
  std::call_once(once, install);
}

int remember(int folder, const std::string& name) {
  installHandlers();
  if (name.size() > NAME_MAX) throwSystemError(ENAMETOOLONG);
  std::lock_guard lock(slotsMutex);
  for (std::size_t index = 0; index < slots.size(); ++index) {
    Slot& slot = slots[index];
    if (slot.used.load()) continue;
    slot.folder = folder;
    std::memcpy(slot.name, name.c_str(), name.size() + 1);
    slot.used.store(true);  // the name is complete before the handler may read it
    return static_cast<int>(index);
  }
  throwSystemError(EMFILE);
}

void forget(int slot) {
  std::lock_guard lock(slotsMutex);
  slots[static_cast<std::size_t>(slot)].used.store(false);
}

DeferredSignals::DeferredSignals() {
  installHandlers();
  const sigset_t set = cleanupSignals();
  ::pthread_sigmask(SIG_BLOCK, &set, &previousMask_);
  deferring.fetch_add(1);
}

DeferredSignals::~DeferredSignals() {
  if (deferring.fetch_sub(1) == 1) {
    if (const int signal = deferredSignal.exchange(0)) ::raise(signal);  // pending until unblocked
  }
  ::pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
}

}  // namespace zembra::signal_cleanup
