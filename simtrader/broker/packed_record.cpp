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

std::size_t MaskWordCount(std::size_t size) {
  return (WordCount(size) + kMaskBits - 1) / kMaskBits;
}

// The mask's words, then the words of the record that differ from the base's. Every record
// put is packed, some twice: the whole words are read as such, and room for all is made once.
std::vector<std::uint64_t> PackWords(const void *record, std::size_t size, const void *base) {
  const std::size_t words = WordCount(size);
  const std::size_t whole_words = size / kWord;
  std::vector<std::uint64_t> packed(MaskWordCount(size), 0);
  packed.reserve(packed.size() + words);
  const auto *bytes = static_cast<const unsigned char *>(record);
  const auto *base_bytes = static_cast<const unsigned char *>(base);
  for (std::size_t index = 0; index < words; ++index) {
    std::uint64_t word;
    if (index < whole_words) {
      std::memcpy(&word, bytes + index * kWord, kWord);
      if (base_bytes != nullptr) {
        std::uint64_t base_word;
        std::memcpy(&base_word, base_bytes + index * kWord, kWord);
        word ^= base_word;
      }
    } else {
      word = WordAt(record, size, index) ^ WordAt(base, size, index);
    }
    if (word == 0) continue;
    packed[index / kMaskBits] |= std::uint64_t{1} << (index % kMaskBits);
    packed.push_back(word);
  }
  return packed;
}

// `words` holds the mask's words and as many kept words as it has bits set.
void UnpackWords(const std::uint64_t *words, void *out, std::size_t size, const void *base) {
  const std::size_t count = WordCount(size);
  std::size_t kept = MaskWordCount(size);
  auto *bytes = static_cast<unsigned char *>(out);
  for (std::size_t index = 0; index < count; ++index) {
    std::uint64_t word = WordAt(base, size, index);
    if ((words[index / kMaskBits] >> (index % kMaskBits)) & 1) word ^= words[kept++];
    const std::size_t offset = index * kWord;
    std::memcpy(bytes + offset, &word, std::min(kWord, size - offset));
  }
}

}  // namespace

PackedRecord::PackedRecord(const void *record, std::size_t size, const void *base)
    : size_(static_cast<std::uint32_t>(size)) {
  if (size_ != size) throw std::length_error("a record too large to pack");
  const std::vector<std::uint64_t> packed = PackWords(record, size, base);
  if (packed.empty()) return;
  words_ = std::make_unique<std::uint64_t[]>(packed.size());
  std::copy(packed.begin(), packed.end(), words_.get());
}

void PackedRecord::UnpackTo(void *out, const void *base) const {
  UnpackWords(words_.get(), out, size_, base);
}

// Each kept word goes as a byte that marks which of its bytes are not zero, then those bytes:
// a changed word of text is mostly its zero padding, or the one or two characters that changed.
std::vector<unsigned char> PackedBytes(const void *record, std::size_t size, const void *base) {
  const std::vector<std::uint64_t> packed = PackWords(record, size, base);
  const std::size_t mask_words = MaskWordCount(size);
  std::vector<unsigned char> bytes(mask_words * kWord);
  if (!bytes.empty()) std::memcpy(bytes.data(), packed.data(), bytes.size());
  for (std::size_t index = mask_words; index < packed.size(); ++index) {
    unsigned char word[kWord];
    std::memcpy(word, &packed[index], kWord);
    const std::size_t marks = bytes.size();
    bytes.push_back(0);
    for (std::size_t byte = 0; byte < kWord; ++byte) {
      if (word[byte] == 0) continue;
      bytes[marks] |= static_cast<unsigned char>(1u << byte);
      bytes.push_back(word[byte]);
    }
  }
  return bytes;
}

bool UnpackBytes(const unsigned char *bytes, std::size_t length, void *out, std::size_t size,
                 const void *base) {
  const std::size_t mask_words = MaskWordCount(size);
  if (length < mask_words * kWord) return false;
  std::vector<std::uint64_t> words(mask_words);
  if (!words.empty()) std::memcpy(words.data(), bytes, mask_words * kWord);
  // Every bit set must stand for a word of the record, and have a word that is not zero.
  std::size_t kept = 0;
  const std::size_t count = WordCount(size);
  for (std::size_t mask = 0; mask < mask_words; ++mask) {
    const std::size_t bits = std::min(kMaskBits, count - mask * kMaskBits);
    if (bits < kMaskBits && (words[mask] >> bits) != 0) return false;
    kept += static_cast<std::size_t>(__builtin_popcountll(words[mask]));
  }
  std::size_t at = mask_words * kWord;
  for (std::size_t index = 0; index < kept; ++index) {
    if (at >= length || bytes[at] == 0) return false;
    const unsigned marks = bytes[at++];
    unsigned char word[kWord] = {};
    for (std::size_t byte = 0; byte < kWord; ++byte) {
      if (!((marks >> byte) & 1u)) continue;
      if (at >= length) return false;
      word[byte] = bytes[at++];
    }
    std::uint64_t value;
    std::memcpy(&value, word, kWord);
    words.push_back(value);
  }
  if (at != length) return false;
  UnpackWords(words.data(), out, size, base);
  return true;
}

}  // namespace simtrader
