// The arguments of the events a broker answers with, for either kind of API object.
#ifndef SIMTRADER_BROKER_ANSWERS_H
#define SIMTRADER_BROKER_ANSWERS_H

#include <optional>
#include <string>
#include <string_view>

#include "ThostFtdcUserApiStruct.h"
#include "broker/vendor_errors.h"
#include "event_table.h"
#include "record_fields.h"

namespace simtrader {

// An event's arguments with the record copied in (none for a null record).
template <typename Record>
EventArgs ArgsOf(const Record *record, std::optional<CThostFtdcRspInfoField> rsp_info,
                 int request_id = 0, bool is_last = false) {
  EventArgs args;
  if (record != nullptr) {
    const auto *bytes = reinterpret_cast<const unsigned char *>(record);
    args.record.assign(bytes, bytes + sizeof(Record));
  }
  args.rsp_info = rsp_info;
  args.number = request_id;
  args.is_last = is_last;
  return args;
}

// A refused request's answer, a record of `response_class`, carrying what the vendor's
// carries: the request's own record, or, where the answer is of another record, the
// request's fields that it shares by name.
inline EventArgs RefusalAs(const RecordView &request, std::string_view response_class,
                           const VendorError &error, int request_id) {
  EventArgs args;
  const std::string record = WithSharedFields(request, response_class);
  args.record.assign(record.begin(), record.end());
  args.rsp_info = RspInfoOf(error);
  args.number = request_id;
  args.is_last = true;
  return args;
}

// A last response without a record.
inline EventArgs EmptyResponse(std::optional<CThostFtdcRspInfoField> rsp_info, int request_id) {
  EventArgs args;
  args.rsp_info = rsp_info;
  args.number = request_id;
  args.is_last = true;
  return args;
}

inline const CThostFtdcRspInfoField kSuccess = RspInfoOf(vendor_error::kNone);

}  // namespace simtrader

#endif
