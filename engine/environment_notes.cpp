#include "engine/environment_notes.h"

#include <cstdlib>

#include "engine/quoted.h"

namespace zembra {
namespace {

// "1 thread", "2 threads".
std::string counted(int count, const std::string& thing) {
  return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

}  // namespace

std::string threadCountNote(const char* asked, const ThreadCount& count) {
  const std::string given = "ZEMBRA_THREADS=" + quotedForMessage(asked ? asked : "");
  switch (count.taken) {
    case ThreadCount::Taken::AsAsked:
      break;
    case ThreadCount::Taken::NotAPositiveNumber:
      return given + " is not a positive whole number; using " + counted(count.threads, "thread") +
             ", one per processor";
    case ThreadCount::Taken::MoreThanProcessors:
      return given + " is more than the " + counted(count.threads, "processor") +
             " this program may run on; using " + counted(count.threads, "thread");
  }
  return {};
}

std::string kernelNote(const char* asked, const kernel::KernelChoice& choice) {
  const std::string given = "ZEMBRA_KERNEL=" + quotedForMessage(asked ? asked : "");
  const std::string used = "; using " + std::string(choice.kernel->name);
  switch (choice.taken) {
    case kernel::KernelChoice::Taken::AsAsked:
      break;
    case kernel::KernelChoice::Taken::NotAKernel:
      return given + " is not a kernel (portable, avx2 or avx512)" + used;
    case kernel::KernelChoice::Taken::CannotRunHere:
      return given + " cannot run on this processor" + used;
  }
  return {};
}

std::vector<std::string> environmentNotes() {
  std::vector<std::string> notes;
  const std::string threads =
      threadCountNote(std::getenv("ZEMBRA_THREADS"), WorkerPool::defaultCount());
  const std::string kernel = kernelNote(std::getenv("ZEMBRA_KERNEL"), kernel::kernelChoice());
  for (const std::string& note : {threads, kernel}) {
    if (!note.empty()) notes.push_back(note);
  }
  return notes;
}

}  // namespace zembra
