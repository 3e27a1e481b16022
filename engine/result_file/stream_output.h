#pragma once

#include <functional>

#include "engine/result_file/result_output.h"

namespace zembra {

// A pipe, a character device or a descriptor the process already has open:
// the bytes go out as they come, in place (a descriptor keeps its offset and
// its append mode).
//
// A full pipe never stalls the caller for long: each piece waits in slices of
// kWaitSlice for room, with `whileWaiting` (the window's event pump) between
// slices, and is at most PIPE_BUF bytes, which a pipe with room takes whole.
// A reader that has gone away is an error (EPIPE), not a SIGPIPE.
class StreamOutput final : public ResultOutput {
 public:
  static constexpr int kWaitSliceMilliseconds = 50;

  // Writes to `fd`, and closes it at the end when `owned`.
  StreamOutput(int fd, bool owned, WriteFunction write, std::function<void()> whileWaiting);
  ~StreamOutput() override;
  StreamOutput(const StreamOutput&) = delete;
  StreamOutput& operator=(const StreamOutput&) = delete;

  void write(std::string_view bytes) override;
  void commit() override {}

 private:
  void waitForRoom();

  int fd_;
  bool owned_;
  WriteFunction write_;
  std::function<void()> whileWaiting_;
};

}  // namespace zembra
