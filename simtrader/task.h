// Work queued for an API object's thread: a move-only callable that keeps small work (a
// request above all) inside itself, so that queuing it allocates nothing. A request is queued
// from the caller's thread and finished on the object's: a heap block per request would be
// allocated on one thread and freed on the other, which is what glibc's allocator handles
// worst. Larger work is kept on the heap.
#ifndef SIMTRADER_TASK_H
#define SIMTRADER_TASK_H

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace simtrader {

class Task {
 public:
  // Room for a request: the session, its log entry and its id. A request is what a busy
  // object piles up most of, so the task is kept to half a cache line; other work (an event's
  // std::function, a control call's wait) is rarer and may take the heap.
  static constexpr std::size_t kInlineSize = 24;

  // Whether work of this type is kept inside the task rather than on the heap.
  template <typename Work>
  static constexpr bool kKeptInline = sizeof(Work) <= kInlineSize &&
                                      alignof(Work) <= alignof(void *) &&
                                      std::is_nothrow_move_constructible_v<Work>;

  Task() noexcept = default;

  // Implicit, so that a lambda is posted as it is written.
  template <typename Work,
            typename = std::enable_if_t<!std::is_same_v<std::decay_t<Work>, Task>>>
  Task(Work work) {
    if constexpr (kKeptInline<Work>) {
      Emplace(std::move(work));
    } else {
      Emplace(Boxed<Work>{std::make_unique<Work>(std::move(work))});
    }
  }

  Task(Task &&other) noexcept { TakeFrom(other); }
  Task &operator=(Task &&other) noexcept {
    if (this != &other) {
      Reset();
      TakeFrom(other);
    }
    return *this;
  }
  ~Task() { Reset(); }

  explicit operator bool() const noexcept { return ops_ != nullptr; }
  void operator()() { ops_->run(storage_); }

 private:
  // What a task does with the work in its storage, made once per type of work.
  struct Ops {
    void (*run)(void *storage);
    // Moves the work into other storage, destroying it where it was.
    void (*relocate)(void *from, void *to) noexcept;
    void (*destroy)(void *storage) noexcept;
  };

  // Work too large for the storage, kept on the heap behind a pointer that fits.
  template <typename Work>
  struct Boxed {
    std::unique_ptr<Work> work;
    void operator()() { (*work)(); }
  };

  template <typename Stored>
  static constexpr Ops kOps = {
      [](void *storage) { (*static_cast<Stored *>(storage))(); },
      [](void *from, void *to) noexcept {
        Stored *work = static_cast<Stored *>(from);
        ::new (to) Stored(std::move(*work));
        work->~Stored();
      },
      [](void *storage) noexcept { static_cast<Stored *>(storage)->~Stored(); },
  };

  template <typename Stored>
  void Emplace(Stored work) {
    static_assert(kKeptInline<Stored>);
    ::new (static_cast<void *>(storage_)) Stored(std::move(work));
    ops_ = &kOps<Stored>;
  }

  void TakeFrom(Task &other) noexcept {
    if (other.ops_ == nullptr) return;
    other.ops_->relocate(other.storage_, storage_);
    ops_ = std::exchange(other.ops_, nullptr);
  }

  void Reset() noexcept {
    if (ops_ != nullptr) std::exchange(ops_, nullptr)->destroy(storage_);
  }

  alignas(void *) unsigned char storage_[kInlineSize];
  const Ops *ops_ = nullptr;
};

}  // namespace simtrader

#endif
