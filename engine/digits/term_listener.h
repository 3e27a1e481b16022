#pragma once

// What the numeric core tells the run while it works. Both calls come on the
// thread that started the computation, between pieces of work, never while
// the computation itself is running.

namespace zembra {

class TermListener {
 public:
  virtual ~TermListener() = default;
  // Term k of a series is about to be computed; the counter shows
  // counterOffset + k for it (0 for arctan(1/239), its term count for arctan(1/5)).
  virtual void termStarted(long counterOffset, long k) = 0;
  // A batch of limb work is done: the place to let other work in.
  virtual void yieldPoint() = 0;
};

// A listener that ignores everything.
class SilentListener final : public TermListener {
 public:
  void termStarted(long, long) override {}
  void yieldPoint() override {}
};

}  // namespace zembra
