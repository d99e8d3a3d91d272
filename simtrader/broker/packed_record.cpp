#include "broker/packed_record.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace simtrader {

namespace {

constexpr std::size_t kWord = sizeof(std::uint64_t);
constexpr std::size_t kMaskBits = 64;

std::size_t WordCount(std::size_t size) { return (size + kWord - 1) / kWord; }

// Word `index` of `size` bytes, the last one padded with zeros; zero without bytes.
std::uint64_t WordAt(const void *bytes, std::size_t size, std::size_t index) {
  std::uint64_t word = 0;
  if (bytes != nullptr) {
    const std::size_t offset = index * kWord;
    std::memcpy(&word, static_cast<const unsigned char *>(bytes) + offset,
                std::min(kWord, size - offset));
  }
  return word;
}

}  // namespace

PackedRecord::PackedRecord(const void *record, std::size_t size, const void *base)
    : size_(static_cast<std::uint32_t>(size)) {
  if (size_ != size) throw std::length_error("a record too large to pack");
  const std::size_t words = WordCount(size);
  const std::size_t mask_words = (words + kMaskBits - 1) / kMaskBits;
  std::vector<std::uint64_t> packed(mask_words, 0);
  for (std::size_t index = 0; index < words; ++index) {
    const std::uint64_t word = WordAt(record, size, index) ^ WordAt(base, size, index);
    if (word == 0) continue;
    packed[index / kMaskBits] |= std::uint64_t{1} << (index % kMaskBits);
    packed.push_back(word);
  }
  if (packed.empty()) return;
  words_ = std::make_unique<std::uint64_t[]>(packed.size());
  std::copy(packed.begin(), packed.end(), words_.get());
}

void PackedRecord::UnpackTo(void *out, const void *base) const {
  const std::size_t words = WordCount(size_);
  const std::size_t mask_words = (words + kMaskBits - 1) / kMaskBits;
  std::size_t kept = mask_words;
  auto *bytes = static_cast<unsigned char *>(out);
  for (std::size_t index = 0; index < words; ++index) {
    std::uint64_t word = WordAt(base, size_, index);
    if ((words_[index / kMaskBits] >> (index % kMaskBits)) & 1) word ^= words_[kept++];
    const std::size_t offset = index * kWord;
    std::memcpy(bytes + offset, &word, std::min(kWord, size_ - offset));
  }
}

}  // namespace simtrader
