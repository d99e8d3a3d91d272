#include "log_arena.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <utility>

namespace simtrader {

namespace {

// Chunks start small, as most objects receive a few dozen calls, and double up to a size the
// kernel can back with huge pages: a log that grows by a request's record a call would
// otherwise take a page fault every few requests, on the caller's thread.
constexpr std::size_t kFirstChunkSize = std::size_t{4} << 10;
constexpr std::size_t kHugePageSize = std::size_t{2} << 20;
constexpr std::size_t kLargestChunkSize = 2 * kHugePageSize;

constexpr std::size_t RoundUp(std::size_t size, std::size_t multiple) {
  return (size + multiple - 1) / multiple * multiple;
}

}  // namespace

void LogArena::FreeChunk::operator()(void *chunk) const { std::free(chunk); }

void *LogArena::Allocate(std::size_t size) {
  size = RoundUp(std::max<std::size_t>(size, 1), kAlignment);
  if (size > left_) AddChunk(size);
  void *allocated = next_;
  next_ += size;
  left_ -= size;
  return allocated;
}

void LogArena::AddChunk(std::size_t at_least) {
  chunk_size_ = chunk_size_ == 0 ? kFirstChunkSize : std::min(2 * chunk_size_, kLargestChunkSize);
  const std::size_t wanted = std::max(chunk_size_, at_least);
  const std::size_t alignment =
      wanted >= kHugePageSize ? kHugePageSize : alignof(std::max_align_t);
  const std::size_t size = RoundUp(wanted, alignment);
  std::unique_ptr<void, FreeChunk> chunk(std::aligned_alloc(alignment, size));
  if (!chunk) throw std::bad_alloc();
  // Only advice: without transparent huge pages the chunk is simply made of small ones.
  if (alignment == kHugePageSize) madvise(chunk.get(), size, MADV_HUGEPAGE);
  chunks_.push_back(std::move(chunk));
  next_ = static_cast<unsigned char *>(chunks_.back().get());
  left_ = size;
}

}  // namespace simtrader
