// How the broker keeps its records: every size, sparse or dense, packed alone or against a
// like record, unpacks to the very bytes it was given.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "broker/packed_record.h"

namespace {

using simtrader::PackedRecord;

// Text-like runs between zeros, the last byte included; `seed` varies where they fall.
std::string Sparse(std::size_t size, int seed) {
  std::string bytes(size, '\0');
  for (std::size_t index = 0; index < size; ++index) {
    if (index % (9 + seed) < 3 || index + 1 == size) {
      bytes[index] = static_cast<char>(index * 7 + seed + 1);
    }
  }
  return bytes;
}

class PackedRecordSize : public testing::TestWithParam<std::size_t> {};

TEST_P(PackedRecordSize, UnpacksToTheBytesGivenAloneOrAgainstABase) {
  const std::size_t size = GetParam();
  const std::string base = Sparse(size, 1);
  for (const std::string &record :
       {Sparse(size, 2), std::string(size, '\0'), base, std::string(size, '\xff')}) {
    std::string unpacked(size, '?');
    PackedRecord(record.data(), size).UnpackTo(unpacked.data());
    EXPECT_EQ(unpacked, record);
    unpacked.assign(size, '?');
    PackedRecord(record.data(), size, base.data()).UnpackTo(unpacked.data(), base.data());
    EXPECT_EQ(unpacked, record);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, PackedRecordSize,
                         testing::Values(0, 1, 7, 8, 88, 392, 496, 515, 856, 4000));

}  // namespace
