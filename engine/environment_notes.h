#pragma once

#include <string>
#include <vector>

#include "engine/digits/kernel/kernel.h"
#include "engine/digits/worker_pool.h"

// What a run tells the user about ZEMBRA_THREADS and ZEMBRA_KERNEL. The
// engine prints nothing itself: the programs say these once.

namespace zembra {

// Why ZEMBRA_THREADS or ZEMBRA_KERNEL, as a run reads them now, is not taken
// as given: one English sentence each; none when both are (or are unset).
std::vector<std::string> environmentNotes();

// The sentence for a value `asked` and what was made of it; "" when it was
// taken as given.
std::string threadCountNote(const char* asked, const ThreadCount& count);
std::string kernelNote(const char* asked, const kernel::KernelChoice& choice);

}  // namespace zembra
