// The memory a call log keeps its entries in: handed out in order, never moved, and freed
// only with the arena, so that an entry can be read for as long as its log lives.
#ifndef SIMTRADER_LOG_ARENA_H
#define SIMTRADER_LOG_ARENA_H

#include <cstddef>
#include <memory>
#include <vector>

namespace simtrader {

class LogArena {
 public:
  LogArena() = default;
  LogArena(const LogArena &) = delete;
  LogArena &operator=(const LogArena &) = delete;

  // How allocations are aligned: enough for pointers and 8-byte numbers, which is all a log
  // entry holds, and no more, since every byte of padding is fresh memory a caller pays for.
  static constexpr std::size_t kAlignment = alignof(void *);

  // `size` bytes, aligned to kAlignment and not zeroed. Throws std::bad_alloc.
  void *Allocate(std::size_t size);

 private:
  struct FreeChunk {
    void operator()(void *chunk) const;
  };

  void AddChunk(std::size_t at_least);

  std::vector<std::unique_ptr<void, FreeChunk>> chunks_;
  // The size the last chunk was made for; the next one doubles it.
  std::size_t chunk_size_ = 0;
  unsigned char *next_ = nullptr;
  std::size_t left_ = 0;
};

}  // namespace simtrader

#endif
