#include "call_log.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <mutex>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace simtrader {

// An entry's arguments follow it, each as its kind says: nothing for None, a long long for a
// bool or an int, and for bytes a PackedSize and then the packed words.
struct CallLog::Entry {
  const Entry *next;
  // The entry whose first argument this one's is packed against; null when it is packed
  // against zeros (it is whole, or not bytes).
  const Entry *base;
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

// Bytes are packed as 8-byte words, the last one padded with zeros, each word XORed with the
// word of a base (the same operation's previous record) or kept as it is. The words are taken
// in blocks of 64: each block is a mask of its words that are not zero, followed by those
// words. Finding them takes no branch that a run of zeros could mispredict.
constexpr std::size_t kWord = 8;
constexpr std::size_t kBlockWords = 64;
// How many differences may lie between a record and a whole one: what reading a record out
// of order costs at most.
constexpr std::size_t kLongestChain = 32;

std::size_t WordCount(std::size_t bytes) { return (bytes + kWord - 1) / kWord; }

std::uint64_t LoadWord(const char *at) {
  std::uint64_t word;
  std::memcpy(&word, at, kWord);
  return word;
}

// Without the instruction (not in the baseline x86-64) the compiler calls a helper.
unsigned CountBits(std::uint64_t mask) {
  mask = mask - ((mask >> 1) & 0x5555555555555555u);
  mask = (mask & 0x3333333333333333u) + ((mask >> 2) & 0x3333333333333333u);
  mask = (mask + (mask >> 4)) & 0x0f0f0f0f0f0f0f0fu;
  return static_cast<unsigned>((mask * 0x0101010101010101u) >> 56);
}

// Bytes about to be logged, with the masks of their blocks worked out once for both sizing
// the entry and writing it.
class PackedBytes {
 public:
  PackedBytes() = default;

  // `base`, when given, is the padded words the bytes are packed against.
  PackedBytes(std::string_view bytes, const char *base)
      : data_(bytes.data()), base_(base), full_words_(bytes.size() / kWord),
        words_(WordCount(bytes.size())) {
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
      throw std::length_error("more bytes than a call log entry holds");
    }
    std::memcpy(&tail_, data_ + full_words_ * kWord, bytes.size() - full_words_ * kWord);
    const std::size_t blocks = block_count();
    if (blocks > std::size(small_masks_)) large_masks_.resize(blocks);
    std::uint64_t *masks = blocks > std::size(small_masks_) ? large_masks_.data() : small_masks_;
    std::size_t packed = 0;
    for (std::size_t block = 0; block < blocks; ++block) {
      masks[block] = BlockMask(block);
      packed += kWord * (1 + CountBits(masks[block]));
    }
    size_ = {static_cast<std::uint32_t>(bytes.size()), static_cast<std::uint32_t>(packed)};
  }

  PackedSize size() const { return size_; }

  // Writes size().packed bytes.
  void WriteTo(unsigned char *out) const {
    const std::uint64_t *masks = large_masks_.empty() ? small_masks_ : large_masks_.data();
    for (std::size_t block = 0; block < block_count(); ++block) {
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

  // The bytes padded to whole words, as a later record is packed against them.
  void CopyWords(std::string &words) const {
    words.resize(words_ * kWord);
    std::memcpy(words.data(), data_, full_words_ * kWord);
    if (full_words_ < words_) std::memcpy(words.data() + full_words_ * kWord, &tail_, kWord);
  }

 private:
  std::size_t block_count() const { return (words_ + kBlockWords - 1) / kBlockWords; }

  std::uint64_t Word(std::size_t word) const {
    const std::uint64_t value = word == full_words_ ? tail_ : LoadWord(data_ + word * kWord);
    return base_ != nullptr ? value ^ LoadWord(base_ + word * kWord) : value;
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
  const char *base_ = nullptr;
  std::size_t full_words_ = 0;
  std::size_t words_ = 0;
  std::uint64_t tail_ = 0;
  // A vendor record fits the small masks; larger bytes (a test's) take the vector.
  std::uint64_t small_masks_[8] = {};
  std::vector<std::uint64_t> large_masks_;
  PackedSize size_ = {};
};

// XORs packed words into `words`, which holds at least the words they were packed from.
void ApplyPacked(const unsigned char *packed, std::size_t length, std::string &words) {
  for (std::size_t block = 0, offset = 0; offset < length; ++block) {
    std::uint64_t mask;
    std::memcpy(&mask, packed + offset, kWord);
    offset += kWord;
    for (; mask != 0; mask &= mask - 1) {
      char *at = words.data() + (block * kBlockWords + __builtin_ctzll(mask)) * kWord;
      const std::uint64_t word =
          LoadWord(at) ^ LoadWord(reinterpret_cast<const char *>(packed) + offset);
      std::memcpy(at, &word, kWord);
      offset += kWord;
    }
  }
}

// Writes a whole record's packed words into `words`, sized to hold them.
void UnpackWhole(PackedSize size, const unsigned char *packed, std::string &words) {
  words.assign(WordCount(size.bytes) * kWord, '\0');
  ApplyPacked(packed, size.packed, words);
}

// Walks the arguments that follow an entry.
class ArgReader {
 public:
  explicit ArgReader(const CallLog::Entry &entry)
      : next_(reinterpret_cast<const unsigned char *>(&entry + 1)) {}

  long long Number() {
    long long value;
    std::memcpy(&value, next_, sizeof value);
    next_ += sizeof value;
    return value;
  }

  // The packed bytes of the next argument, which is bytes.
  std::pair<PackedSize, const unsigned char *> Packed() {
    PackedSize size;
    std::memcpy(&size, next_, sizeof size);
    const unsigned char *packed = next_ + sizeof size;
    next_ = packed + size.packed;
    return {size, packed};
  }

  void Skip(Kind kind) {
    if (kind == kBool || kind == kInt) Number();
    if (kind == kBytes) Packed();
  }

 private:
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

CallLog::CallLog() : latest_(kOperationCount) {}

const CallLog::Entry &CallLog::Append(Operation operation, std::initializer_list<ArgView> args) {
  if (args.size() > kMaxArgs) {
    throw std::length_error(std::string(OperationName(operation)) +
                            " has more arguments than a call log entry holds");
  }
  std::lock_guard<SpinLock> lock(lock_);
  // The first argument is packed against the operation's previous one, under the lock that
  // orders them.
  Latest &latest = latest_[static_cast<std::size_t>(operation)];
  const std::string_view *record =
      args.size() > 0 ? std::get_if<std::string_view>(args.begin()) : nullptr;
  const bool against_latest = record != nullptr && latest.entry != nullptr &&
                              latest.words.size() == WordCount(record->size()) * kWord &&
                              latest.chain < kLongestChain;
  PackedBytes packed[kMaxArgs];
  std::size_t size = sizeof(Entry);
  std::size_t arg = 0;
  for (const ArgView &value : args) {
    if (const std::string_view *bytes = std::get_if<std::string_view>(&value)) {
      const char *base = arg == 0 && against_latest ? latest.words.data() : nullptr;
      packed[arg] = PackedBytes(*bytes, base);
      size += sizeof(PackedSize) + packed[arg].size().packed;
    } else if (value.index() != kNone) {
      size += sizeof(long long);
    }
    ++arg;
  }

  Entry *entry = ::new (arena_.Allocate(size))
      Entry{nullptr, against_latest ? latest.entry : nullptr, operation,
            static_cast<std::uint8_t>(args.size()), {}};
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
  if (record != nullptr) {
    packed[0].CopyWords(latest.words);
    latest.entry = entry;
    latest.chain = against_latest ? latest.chain + 1 : 0;
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

CallLog::Reader::Reader() : latest_(kOperationCount) {}

void CallLog::Reader::ReadBytes(const Entry &entry, std::size_t arg, std::string &bytes) {
  if (arg >= entry.arg_count || entry.kinds[arg] != kBytes) {
    throw std::invalid_argument("a call log argument read as bytes is not bytes");
  }
  if (arg != 0) {
    ArgReader reader(entry);
    for (std::size_t before = 0; before < arg; ++before) reader.Skip(Kind(entry.kinds[before]));
    const auto [size, packed] = reader.Packed();
    UnpackWhole(size, packed, bytes);
    bytes.resize(size.bytes);
    return;
  }
  // Back along the bases to a whole record, or to the last one read of this operation.
  Latest &latest = latest_[static_cast<std::size_t>(entry.operation)];
  const Entry *chain[kLongestChain + 1];
  std::size_t length = 0;
  for (const Entry *at = &entry; at != latest.entry; at = at->base) {
    if (at == nullptr || length == std::size(chain)) {
      throw std::logic_error("a call log record chain does not end in a whole record");
    }
    chain[length++] = at;
    // A whole record: the differences apply to zeros.
    if (at->base == nullptr) break;
  }
  // Forward again, applying each difference.
  while (length > 0) {
    const Entry &step = *chain[--length];
    const auto [size, packed] = ArgReader(step).Packed();
    if (step.base == nullptr) {
      UnpackWhole(size, packed, latest.words);
    } else {
      ApplyPacked(packed, size.packed, latest.words);
    }
  }
  latest.entry = &entry;
  bytes.assign(latest.words, 0, ArgReader(entry).Packed().first.bytes);
}

Call CallLog::Reader::Read(const Entry &entry) {
  Call call{entry.operation, {}};
  call.args.reserve(entry.arg_count);
  ArgReader reader(entry);
  for (std::size_t arg = 0; arg < entry.arg_count; ++arg) {
    switch (Kind(entry.kinds[arg])) {
      case kNone:
        call.args.emplace_back(std::monostate{});
        break;
      case kBool:
        call.args.emplace_back(reader.Number() != 0);
        break;
      case kInt:
        call.args.emplace_back(reader.Number());
        break;
      case kBytes: {
        std::string bytes;
        ReadBytes(entry, arg, bytes);
        reader.Skip(kBytes);
        call.args.emplace_back(std::move(bytes));
        break;
      }
    }
  }
  return call;
}

std::vector<Call> CallLog::Snapshot() const {
  const Entry *first;
  const Entry *last;
  std::vector<Call> calls;
  {
    std::lock_guard<SpinLock> lock(lock_);
    first = first_;
    last = last_;
    calls.reserve(count_);
  }
  // Entries up to the last one seen are complete and stay put, so they are read without the
  // lock, which the callers' appends need meanwhile. Only the last one's link may be written
  // now, and it is not followed.
  Reader reader;
  for (const Entry *entry = first; entry != nullptr;
       entry = entry == last ? nullptr : entry->next) {
    calls.push_back(reader.Read(*entry));
  }
  return calls;
}

}  // namespace simtrader
