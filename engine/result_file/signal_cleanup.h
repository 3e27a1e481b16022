#pragma once

#include <csignal>
#include <string>

// What becomes of the result file's temporary files when the user interrupts
// the program (SIGINT, SIGTERM or SIGHUP): a handler removes them and then
// lets the signal do what it would have done without us (by default, end the
// process). Signals the program ignores (as under nohup) stay ignored.

namespace zembra::signal_cleanup {

// Installs the handlers, once per process (and removes the files at exit());
// SIGXFSZ, unless the program ignores or handles it, is ignored, so that a
// write past the file-size limit fails with EFBIG.
void installHandlers();

// A file for the handler to remove: `name` in the folder open as `folder`,
// which stays open until forget(). Returns its slot for forget(). Throws
// std::system_error (EMFILE) when all slots are taken.
int remember(int folder, const std::string& name);
void forget(int slot);

// While one exists, those signals wait: the current thread blocks them, and
// the handler, wherever it runs, only notes them. They take effect when the
// last guard ends. For the few steps that must not be cut off midway.
class DeferredSignals {
 public:
  DeferredSignals();
  ~DeferredSignals();
  DeferredSignals(const DeferredSignals&) = delete;
  DeferredSignals& operator=(const DeferredSignals&) = delete;

 private:
  sigset_t previousMask_;
};

}  // namespace zembra::signal_cleanup
