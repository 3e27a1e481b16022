#pragma once

// Memory for GMP that is there before GMP asks. GMP's allocation functions
// may not fail: GMP aborts the process when one returns nothing, and a throw
// through GMP's frames is undefined. So the head of arctan(1/5) reserves all
// it will need up front, with operator new, where running out is an ordinary
// std::bad_alloc with no GMP frame on the stack; while it computes, GMP takes
// its memory from that arena.

#include <cstddef>

namespace zembra {

class GmpArena {
 public:
  // Reserves `bytes`. Throws std::bad_alloc.
  explicit GmpArena(std::size_t bytes);
  ~GmpArena();
  GmpArena(const GmpArena&) = delete;
  GmpArena& operator=(const GmpArena&) = delete;

  // While one lives, GMP's allocations on this thread come from the arena.
  class Use {
   public:
    explicit Use(GmpArena& arena);
    ~Use();
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;

   private:
    GmpArena* previous_;
  };

  std::size_t capacity() const { return capacity_; }
  std::size_t peak() const { return peak_; }  // the most bytes in use at once

  void* allocate(std::size_t bytes);  // nullptr when the arena has no room
  void release(void* block);
  void* reallocate(void* block, std::size_t bytes);  // nullptr: `block` unchanged
  bool holds(const void* block) const;

  struct Block;

 private:
  Block* first() const;
  void insertFree(Block* block);
  void removeFree(Block* block);
  void mergeWithNext(Block* block);
  void trim(Block* block, std::size_t size);

  char* memory_;
  std::size_t capacity_;
  Block* free_ = nullptr;  // the free blocks, in no order
  std::size_t used_ = 0, peak_ = 0;
};

// The most memory the head of arctan(1/5) needs over `limbs` limbs, with room
// for the arena's own bookkeeping and gaps.
std::size_t headArenaBytes(long limbs);

// Makes GMP allocate through the arena of the calling thread, where there is
// one, and through malloc elsewhere; once per process.
void useGmpArenas();

// How many of GMP's allocations, in all arenas so far, found no room and
// went to malloc: 0 when every arena was reserved large enough.
std::size_t gmpArenaOverflows();
// How many of GMP's allocations arenas served so far.
std::size_t gmpArenaAllocations();

}  // namespace zembra
