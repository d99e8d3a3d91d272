// A vendor record as the broker keeps it for the day. A record is mostly the zeros that pad
// its text fields, so only its 8-byte words that are not zero are kept, behind a mask of
// where they go; packed as its difference from a like record (the one before it in a flow),
// it keeps only the words that changed.
#ifndef SIMTRADER_BROKER_PACKED_RECORD_H
#define SIMTRADER_BROKER_PACKED_RECORD_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace simtrader {

class PackedRecord {
 public:
  // `base`, when given, holds `size` bytes: the record is kept as its difference from them.
  PackedRecord(const void *record, std::size_t size, const void *base = nullptr);

  std::size_t size() const { return size_; }

  // Writes the record's size() bytes to `out`, given the base it was packed against.
  void UnpackTo(void *out, const void *base = nullptr) const;

 private:
  // An array rather than a vector: a day's orders keep millions of these, and its capacity
  // would be a word each.
  std::uint32_t size_;
  std::unique_ptr<std::uint64_t[]> words_;  // the mask's words, then the kept words in order
};

// The packed form as bytes, for a store that keeps it in a file: the words of the mask, then
// the bytes of the kept words that are not zero, in this machine's byte order (as the
// vendor's records themselves are).
std::vector<unsigned char> PackedBytes(const void *record, std::size_t size,
                                       const void *base = nullptr);
// Writes the `size` bytes of the record that `bytes` hold, packed against `base`, to `out`;
// false, with `out` left as it may be, when `length` bytes cannot be the packing of a record
// of that size, as a damaged file's cannot.
bool UnpackBytes(const unsigned char *bytes, std::size_t length, void *out, std::size_t size,
                 const void *base = nullptr);

}  // namespace simtrader

#endif
