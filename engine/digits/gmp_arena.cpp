#include "engine/digits/gmp_arena.h"

#include <gmp.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

namespace zembra {

// Every block starts with this header, and its last word repeats its size,
// so that a freed block finds the one before it.
struct GmpArena::Block {
  std::size_t size;  // the whole block, header and size word included
  bool free;
  Block* previousFree;
  Block* nextFree;
};

namespace {

constexpr std::size_t kAlignment = 16;
constexpr std::size_t kHeader =
    (sizeof(GmpArena::Block) + kAlignment - 1) / kAlignment * kAlignment;
constexpr std::size_t kTrailer = sizeof(std::size_t);
constexpr std::size_t kSmallestBlock = kHeader + kTrailer + kAlignment;

thread_local GmpArena* current = nullptr;
std::atomic<std::size_t> overflowsEverywhere = 0, servedEverywhere = 0;

std::size_t blockSizeFor(std::size_t bytes) {
  return (kHeader + bytes + kTrailer + kAlignment - 1) / kAlignment * kAlignment;
}

}  // namespace

GmpArena::GmpArena(std::size_t bytes)
    : memory_(static_cast<char*>(::operator new(bytes, std::align_val_t(kAlignment)))),
      capacity_(bytes / kAlignment * kAlignment) {
  auto* whole = reinterpret_cast<Block*>(memory_);
  whole->size = capacity_;
  insertFree(whole);
}

GmpArena::~GmpArena() { ::operator delete(memory_, std::align_val_t(kAlignment)); }

GmpArena::Use::Use(GmpArena& arena) : previous_(current) { current = &arena; }
GmpArena::Use::~Use() { current = previous_; }

GmpArena::Block* GmpArena::first() const { return reinterpret_cast<Block*>(memory_); }

bool GmpArena::holds(const void* block) const {
  const auto* at = static_cast<const char*>(block);
  return at >= memory_ && at < memory_ + capacity_;
}

void GmpArena::insertFree(Block* block) {
  block->free = true;
  block->previousFree = nullptr;
  block->nextFree = free_;
  if (free_) free_->previousFree = block;
  free_ = block;
  std::memcpy(reinterpret_cast<char*>(block) + block->size - kTrailer, &block->size, kTrailer);
}

void GmpArena::removeFree(Block* block) {
  if (block->previousFree) block->previousFree->nextFree = block->nextFree;
  if (block->nextFree) block->nextFree->previousFree = block->previousFree;
  if (free_ == block) free_ = block->nextFree;
  block->free = false;
}

// Joins the free block after `block` (free and out of the list) to it.
void GmpArena::mergeWithNext(Block* block) {
  char* end = reinterpret_cast<char*>(block) + block->size;
  if (end >= memory_ + capacity_) return;
  auto* next = reinterpret_cast<Block*>(end);
  if (!next->free) return;
  removeFree(next);
  block->size += next->size;
}

// Cuts a block in use down to `size`, where the rest can be a block of its
// own: that rest is free again.
void GmpArena::trim(Block* block, std::size_t size) {
  if (block->size - size >= kSmallestBlock) {
    auto* rest = reinterpret_cast<Block*>(reinterpret_cast<char*>(block) + size);
    rest->size = block->size - size;
    block->size = size;
    mergeWithNext(rest);
    insertFree(rest);
  }
  std::memcpy(reinterpret_cast<char*>(block) + block->size - kTrailer, &block->size, kTrailer);
}

// First fit; the rest of a larger block stays free.
void* GmpArena::allocate(std::size_t bytes) {
  const std::size_t size = blockSizeFor(bytes);
  for (Block* block = free_; block; block = block->nextFree) {
    if (block->size < size) continue;
    removeFree(block);
    trim(block, size);
    used_ += block->size;
    peak_ = std::max(peak_, used_);
    return reinterpret_cast<char*>(block) + kHeader;
  }
  return nullptr;
}

void GmpArena::release(void* payload) {
  auto* block = reinterpret_cast<Block*>(static_cast<char*>(payload) - kHeader);
  used_ -= block->size;
  mergeWithNext(block);
  if (block != first()) {
    std::size_t previousSize = 0;
    std::memcpy(&previousSize, reinterpret_cast<char*>(block) - kTrailer, kTrailer);
    auto* previous = reinterpret_cast<Block*>(reinterpret_cast<char*>(block) - previousSize);
    if (previous->free) {
      removeFree(previous);
      previous->size += block->size;
      block = previous;
    }
  }
  insertFree(block);
}

void* GmpArena::reallocate(void* payload, std::size_t bytes) {
  auto* block = reinterpret_cast<Block*>(static_cast<char*>(payload) - kHeader);
  const std::size_t size = blockSizeFor(bytes);
  const std::size_t before = block->size;
  if (before < size) mergeWithNext(block);  // grow into a free neighbour
  if (block->size >= size) {
    trim(block, std::max(size, before));
    used_ += block->size - before;
    peak_ = std::max(peak_, used_);
    return payload;
  }
  trim(block, before);  // not room enough: as it was
  void* moved = allocate(bytes);
  if (!moved) return nullptr;
  std::memcpy(moved, payload, block->size - kHeader - kTrailer);
  release(payload);
  return moved;
}

namespace {

[[noreturn]] void outOfMemory() {
  std::fputs("zembra32: not enough memory for the computation\n", stderr);
  std::abort();
}

void* gmpAllocate(std::size_t bytes) {
  if (current) {
    if (void* block = current->allocate(bytes)) return ++servedEverywhere, block;
    ++overflowsEverywhere;
  }
  void* block = std::malloc(bytes);
  if (!block) outOfMemory();
  return block;
}

void* gmpReallocate(void* block, std::size_t oldBytes, std::size_t bytes) {
  if (current && current->holds(block)) {
    if (void* moved = current->reallocate(block, bytes)) return moved;
    ++overflowsEverywhere;
    void* moved = std::malloc(bytes);
    if (!moved) outOfMemory();
    std::memcpy(moved, block, std::min(oldBytes, bytes));
    current->release(block);
    return moved;
  }
  void* moved = std::realloc(block, bytes);
  if (!moved) outOfMemory();
  return moved;
}

void gmpRelease(void* block, std::size_t) {
  if (current && current->holds(block)) return current->release(block);
  std::free(block);
}

}  // namespace

std::size_t headArenaBytes(long limbs) {
  // Measured: at most about 96 bytes a limb are in use at once around 45,000
  // digits (the base conversion's scratch), 79 at 100,000 and 45 at the
  // largest count; this leaves half as much again for the arena's gaps.
  return 72 * static_cast<std::size_t>(std::max(limbs, 1L)) + (512 << 10);
}

std::size_t gmpArenaOverflows() { return overflowsEverywhere.load(); }
std::size_t gmpArenaAllocations() { return servedEverywhere.load(); }

void useGmpArenas() {
  static std::once_flag once;
  std::call_once(once, [] { mp_set_memory_functions(&gmpAllocate, &gmpReallocate, &gmpRelease); });
}

}  // namespace zembra
