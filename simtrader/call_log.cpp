#include "call_log.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <type_traits>

namespace simtrader {

// An entry's arguments follow it, each as its kind says: nothing for None, a long long for a
// bool or an int, and for bytes a PackedSize and then the packed words.
struct CallLog::Entry {
  const Entry *next;
  Operation operation;
  std::uint8_t arg_count;
  std::uint8_t kinds[kMaxArgs];  // ArgView's index of each argument
};

namespace {

// The arena frees its chunks without destroying what was built in them.
static_assert(std::is_trivially_destructible_v<CallLog::Entry>);

enum Kind : std::uint8_t { kNone, kBool, kInt, kBytes };
static_assert(std::is_same_v<std::variant_alternative_t<kBool, ArgView>, bool> &&
              std::is_same_v<std::variant_alternative_t<kInt, ArgView>, long long> &&
              std::is_same_v<std::variant_alternative_t<kBytes, ArgView>, std::string_view>);

struct PackedSize {
  std::uint32_t bytes;   // as the caller gave them
  std::uint32_t packed;  // as kept
};

// Bytes are packed as 8-byte words, the last one padded with zeros, in blocks of 64 words:
// each block is a mask of its words that are not zero, followed by those words. Finding them
// takes no branch that a run of zeros could mispredict.
constexpr std::size_t kWord = 8;
constexpr std::size_t kBlockWords = 64;

// Bytes about to be logged, with the masks of their blocks worked out once for both sizing
// the entry and writing it.
class PackedBytes {
 public:
  PackedBytes() = default;

  explicit PackedBytes(std::string_view bytes)
      : data_(bytes.data()), full_words_(bytes.size() / kWord),
        words_((bytes.size() + kWord - 1) / kWord) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
      throw std::length_error("more bytes than a call log entry holds");
    }
    std::memcpy(&tail_, data_ + full_words_ * kWord, bytes.size() - full_words_ * kWord);
    const std::size_t blocks = (words_ + kBlockWords - 1) / kBlockWords;
    if (blocks > std::size(small_masks_)) large_masks_.resize(blocks);
    std::uint64_t *masks = blocks > std::size(small_masks_) ? large_masks_.data() : small_masks_;
    std::size_t packed = 0;
    for (std::size_t block = 0; block < blocks; ++block) {
      masks[block] = BlockMask(block);
      packed += kWord * (1 + __builtin_popcountll(masks[block]));
    }
    masks_ = masks == small_masks_ ? nullptr : masks;
    size_ = {static_cast<std::uint32_t>(bytes.size()), static_cast<std::uint32_t>(packed)};
  }

  // The size to write, then what WriteTo writes after it.
  PackedSize size() const { return size_; }

  void WriteTo(unsigned char *out) const {
    const std::uint64_t *masks = masks_ != nullptr ? masks_ : small_masks_;
    const std::size_t blocks = (words_ + kBlockWords - 1) / kBlockWords;
    for (std::size_t block = 0; block < blocks; ++block) {
      std::uint64_t mask = masks[block];
      std::memcpy(out, &mask, kWord);
      out += kWord;
      for (; mask != 0; mask &= mask - 1) {
        const std::uint64_t word = Word(block * kBlockWords + __builtin_ctzll(mask));
        std::memcpy(out, &word, kWord);
        out += kWord;
      }
    }
  }

 private:
  std::uint64_t Word(std::size_t word) const {
    if (word == full_words_) return tail_;
    std::uint64_t value;
    std::memcpy(&value, data_ + word * kWord, kWord);
    return value;
  }

  std::uint64_t BlockMask(std::size_t block) const {
    const std::size_t first = block * kBlockWords;
    const std::size_t length = std::min(kBlockWords, words_ - first);
    std::uint64_t mask = 0;
    std::size_t word = 0;
    // Eight words at a time while all are whole: constant shifts, and no chain of them.
    for (; word + 8 <= length && first + word + 8 <= full_words_; word += 8) {
      std::uint64_t bits = 0;
#pragma GCC unroll 8
      for (std::size_t bit = 0; bit < 8; ++bit) {
        bits |= std::uint64_t{Word(first + word + bit) != 0} << bit;
      }
      mask |= bits << word;
    }
    for (; word < length; ++word) mask |= std::uint64_t{Word(first + word) != 0} << word;
    return mask;
  }

  const char *data_ = nullptr;
  std::size_t full_words_ = 0;
  std::size_t words_ = 0;
  std::uint64_t tail_ = 0;
  // A vendor record fits the small masks; larger bytes (a test's) take the vector.
  std::uint64_t small_masks_[8] = {};
  std::vector<std::uint64_t> large_masks_;
  const std::uint64_t *masks_ = nullptr;  // the vector's, when it is used
  PackedSize size_ = {};
};

void Unpack(const unsigned char *packed, PackedSize size, std::string &bytes) {
  const std::size_t words = (size.bytes + kWord - 1) / kWord;
  bytes.assign(words * kWord, '\0');
  for (std::size_t block = 0, offset = 0; offset < size.packed; ++block) {
    std::uint64_t mask;
    std::memcpy(&mask, packed + offset, kWord);
    offset += kWord;
    for (; mask != 0; mask &= mask - 1) {
      const std::size_t word = block * kBlockWords + __builtin_ctzll(mask);
      std::memcpy(bytes.data() + word * kWord, packed + offset, kWord);
      offset += kWord;
    }
  }
  bytes.resize(size.bytes);
}

// Walks the arguments that follow an entry.
class ArgReader {
 public:
  explicit ArgReader(const CallLog::Entry &entry)
      : next_(reinterpret_cast<const unsigned char *>(&entry + 1)) {}

  CallArg Owned(Kind kind) {
    switch (kind) {
      case kNone:
        return std::monostate{};
      case kBool:
        return Number() != 0;
      case kInt:
        return Number();
      case kBytes: {
        std::string bytes;
        ReadBytes(bytes);
        return bytes;
      }
    }
    throw std::logic_error("a call log entry of an unknown kind");
  }

  void Skip(Kind kind) {
    if (kind == kBool || kind == kInt) next_ += sizeof(long long);
    if (kind == kBytes) next_ += sizeof(PackedSize) + Size().packed;
  }

  void ReadBytes(std::string &bytes) {
    const PackedSize size = Size();
    Unpack(next_ + sizeof size, size, bytes);
    next_ += sizeof size + size.packed;
  }

 private:
  long long Number() {
    long long value;
    std::memcpy(&value, next_, sizeof value);
    next_ += sizeof value;
    return value;
  }

  PackedSize Size() const {
    PackedSize size;
    std::memcpy(&size, next_, sizeof size);
    return size;
  }

  const unsigned char *next_;
};

}  // namespace

ArgView TextArg(const char *text) {
  if (text == nullptr) return std::monostate{};
  return std::string_view(text);
}

ArgView RecordArg(const void *record, std::size_t size) {
  if (record == nullptr) return std::monostate{};
  return std::string_view(static_cast<const char *>(record), size);
}

const CallLog::Entry &CallLog::Append(Operation operation, std::initializer_list<ArgView> args) {
  if (args.size() > kMaxArgs) {
    throw std::length_error(std::string(OperationName(operation)) +
                            " has more arguments than a call log entry holds");
  }
  // Packed before the lock is taken: packing scans the bytes, which may be large.
  PackedBytes packed[kMaxArgs];
  std::size_t size = sizeof(Entry);
  std::size_t arg = 0;
  for (const ArgView &value : args) {
    if (const std::string_view *bytes = std::get_if<std::string_view>(&value)) {
      packed[arg] = PackedBytes(*bytes);
      size += sizeof(PackedSize) + packed[arg].size().packed;
    } else if (value.index() != kNone) {
      size += sizeof(long long);
    }
    ++arg;
  }

  std::lock_guard<std::mutex> lock(mutex_);
  Entry *entry = ::new (arena_.Allocate(size))
      Entry{nullptr, operation, static_cast<std::uint8_t>(args.size()), {}};
  unsigned char *out = reinterpret_cast<unsigned char *>(entry + 1);
  arg = 0;
  for (const ArgView &value : args) {
    entry->kinds[arg] = static_cast<std::uint8_t>(value.index());
    if (value.index() == kBytes) {
      const PackedSize packed_size = packed[arg].size();
      std::memcpy(out, &packed_size, sizeof packed_size);
      packed[arg].WriteTo(out + sizeof packed_size);
      out += sizeof packed_size + packed_size.packed;
    } else if (value.index() != kNone) {
      const long long number =
          value.index() == kBool ? std::get<bool>(value) : std::get<long long>(value);
      std::memcpy(out, &number, sizeof number);
      out += sizeof number;
    }
    ++arg;
  }
  if (last_ != nullptr) {
    last_->next = entry;
  } else {
    first_ = entry;
  }
  last_ = entry;
  ++count_;
  return *entry;
}

Operation CallLog::OperationOf(const Entry &entry) { return entry.operation; }

void CallLog::ReadBytes(const Entry &entry, std::size_t arg, std::string &bytes) {
  if (arg >= entry.arg_count || entry.kinds[arg] != kBytes) {
    throw std::invalid_argument("a call log argument read as bytes is not bytes");
  }
  ArgReader reader(entry);
  for (std::size_t before = 0; before < arg; ++before) reader.Skip(Kind(entry.kinds[before]));
  reader.ReadBytes(bytes);
}

Call CallLog::Read(const Entry &entry) {
  Call call{entry.operation, {}};
  call.args.reserve(entry.arg_count);
  ArgReader reader(entry);
  for (std::size_t arg = 0; arg < entry.arg_count; ++arg) {
    call.args.push_back(reader.Owned(Kind(entry.kinds[arg])));
  }
  return call;
}

std::vector<Call> CallLog::Snapshot() const {
  const Entry *first;
  const Entry *last;
  std::vector<Call> calls;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    first = first_;
    last = last_;
    calls.reserve(count_);
  }
  // Entries up to the last one seen are complete and stay put, so they are read without the
  // lock, which the callers' appends need meanwhile. Only the last one's link may be written
  // now, and it is not followed.
  for (const Entry *entry = first; entry != nullptr; entry = entry == last ? nullptr : entry->next) {
    calls.push_back(Read(*entry));
  }
  return calls;
}

}  // namespace simtrader
