#include "record_fields.h"

#include <cstddef>
#include <cstring>
#include <iterator>

namespace simtrader {

namespace {

struct RecordSize {
  std::string_view record_class;
  std::size_t size;
};

struct FieldPlace {
  std::string_view record_class;
  std::string_view name;
  std::size_t offset;
  std::size_t size;
};

constexpr RecordSize kRecordSizes[] = {
#define RECORD(Name) {#Name "Field", sizeof(CThostFtdc##Name##Field)},
#define RECORD_FIELD(Name, Member)
#include "record_fields.def"
#undef RECORD
#undef RECORD_FIELD
};

// A record's fields lie next to each other, in declaration order.
constexpr FieldPlace kFieldPlaces[] = {
#define RECORD(Name)
#define RECORD_FIELD(Name, Member)                                    \
  {#Name "Field", #Member, offsetof(CThostFtdc##Name##Field, Member), \
   sizeof(CThostFtdc##Name##Field::Member)},
#include "record_fields.def"
#undef RECORD
#undef RECORD_FIELD
};

struct FieldRange {
  const FieldPlace *begin;
  const FieldPlace *end;
};

FieldRange FieldsOf(std::string_view record_class) {
  const FieldPlace *begin = std::begin(kFieldPlaces);
  while (begin != std::end(kFieldPlaces) && begin->record_class != record_class) ++begin;
  const FieldPlace *end = begin;
  while (end != std::end(kFieldPlaces) && end->record_class == record_class) ++end;
  return {begin, end};
}

}  // namespace

std::string WithSharedFields(const RecordView &from, std::string_view to_class) {
  std::string record;
  for (const RecordSize &known : kRecordSizes) {
    if (known.record_class == to_class) record.assign(known.size, '\0');
  }
  if (record.empty()) return record;
  const FieldRange from_fields = FieldsOf(from.record_class);
  const FieldRange to_fields = FieldsOf(to_class);
  for (const FieldPlace *to = to_fields.begin; to != to_fields.end; ++to) {
    for (const FieldPlace *field = from_fields.begin; field != from_fields.end; ++field) {
      if (field->name != to->name || field->size != to->size) continue;
      if (field->offset + field->size <= from.bytes.size()) {
        std::memcpy(&record[to->offset], from.bytes.data() + field->offset, field->size);
      }
      break;
    }
  }
  return record;
}

}  // namespace simtrader
