// How the broker keeps its records: every size, sparse or dense, packed alone or against a
// like record, in memory or as the bytes a file keeps, unpacks to the very bytes it was given;
// bytes that cannot be a packing are refused.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

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
    unpacked.assign(size, '?');
    const std::vector<unsigned char> bytes =
        simtrader::PackedBytes(record.data(), size, base.data());
    EXPECT_TRUE(
        simtrader::UnpackBytes(bytes.data(), bytes.size(), unpacked.data(), size, base.data()));
    EXPECT_EQ(unpacked, record);
  }
}

TEST(PackedBytes, RefusesBytesThatCannotBeAPacking) {
  const std::size_t size = 392;  // 49 words: one word of mask
  const std::string record = Sparse(size, 2);
  const std::vector<unsigned char> bytes = simtrader::PackedBytes(record.data(), size);
  std::string out(size, '\0');
  const auto refused = [&](std::vector<unsigned char> damaged) {
    return !simtrader::UnpackBytes(damaged.data(), damaged.size(), out.data(), size);
  };
  EXPECT_TRUE(refused({}));
  EXPECT_TRUE(refused(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 7)));
  EXPECT_TRUE(refused(std::vector<unsigned char>(bytes.begin(), bytes.end() - 1)));
  std::vector<unsigned char> longer = bytes;
  longer.push_back(1);
  EXPECT_TRUE(refused(longer));
  std::vector<unsigned char> beyond = bytes;
  beyond[7] |= 0x80;  // a word past the record's 49, and a word kept for it
  beyond.insert(beyond.end(), {1, 42});
  EXPECT_TRUE(refused(beyond));
  std::vector<unsigned char> marks_more = bytes;
  marks_more[8] = 0xff;  // the first kept word's marks claim bytes that are not there
  EXPECT_TRUE(refused(marks_more));
  EXPECT_FALSE(refused(bytes));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PackedRecordSize,
                         testing::Values(0, 1, 7, 8, 88, 392, 496, 515, 856, 4000));

}  // namespace
