#include "engine/result_file/stream_output.h"

#include <poll.h>
#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <ctime>

#include "engine/result_file/result_output.h"

namespace zembra {
namespace {

// One write with SIGPIPE blocked in this thread; the SIGPIPE it raises, if
// any, is taken back, so EPIPE is all the caller sees.
ssize_t writeWithoutSigpipe(WriteFunction write, int fd, const void* data, std::size_t size) {
  sigset_t pipeSignal, previous, pending;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
  sigpending(&pending);
  const bool pendingBefore = sigismember(&pending, SIGPIPE) == 1;
  const ssize_t written = write(fd, data, size);
  const int error = errno;
  if (written < 0 && error == EPIPE && !pendingBefore) {
    const timespec noWait{};
    ::sigtimedwait(&pipeSignal, nullptr, &noWait);
  }
  ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  errno = error;
  return written;
}

}  // namespace

StreamOutput::StreamOutput(int fd, bool owned, WriteFunction write,
                           std::function<void()> whileWaiting)
    : fd_(fd), owned_(owned), write_(write), whileWaiting_(std::move(whileWaiting)) {}

StreamOutput::~StreamOutput() {
  if (owned_) ::close(fd_);
}

void StreamOutput::waitForRoom() {
  pollfd wanted{fd_, POLLOUT, 0};
  for (;;) {
    const int ready = ::poll(&wanted, 1, kWaitSliceMilliseconds);
    if (ready > 0) return;  // room, or an error the write will report
    if (ready < 0 && errno != EINTR) throwSystemError(errno);
    if (ready == 0 && whileWaiting_) whileWaiting_();
  }
}

void StreamOutput::write(std::string_view bytes) {
  const auto write = [this](int fd, const void* data, std::size_t size) {
    return writeWithoutSigpipe(write_, fd, data, size);
  };
  writeAll(write, fd_, bytes, {PIPE_BUF, [this] { waitForRoom(); }});
}

}  // namespace zembra
