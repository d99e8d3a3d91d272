// The vendor's error codes and messages for what the simulated broker refuses, as its brokers
// send them: "CTP:" and a GB18030 text (each written out in the comment beside it).
#ifndef SIMTRADER_BROKER_VENDOR_ERRORS_H
#define SIMTRADER_BROKER_VENDOR_ERRORS_H

#include "ThostFtdcUserApiStruct.h"
#include "broker/record_text.h"

namespace simtrader {

struct VendorError {
  int id;
  const char *message;
};

namespace vendor_error {

// CTP:正确
inline constexpr VendorError kNone{0, "CTP:\xd5\xfd\xc8\xb7"};
// CTP:不合法的登录
inline constexpr VendorError kInvalidLogin{3,
                                           "CTP:\xb2\xbb\xba\xcf\xb7\xa8\xb5\xc4\xb5\xc7\xc2\xbc"};
// CTP:还没有登录
inline constexpr VendorError kNotLoggedIn{6, "CTP:\xbb\xb9\xc3\xbb\xd3\xd0\xb5\xc7\xc2\xbc"};
// CTP:原口令不匹配
inline constexpr VendorError kOldPasswordMismatch{
    14, "CTP:\xd4\xad\xbf\xda\xc1\xee\xb2\xbb\xc6\xa5\xc5\xe4"};
// CTP:合约不能交易
inline constexpr VendorError kInstrumentNotTrading{
    17, "CTP:\xba\xcf\xd4\xbc\xb2\xbb\xc4\xdc\xbd\xbb\xd2\xd7"};
// CTP:报单字段有误
inline constexpr VendorError kBadOrderField{15,
                                            "CTP:\xb1\xa8\xb5\xa5\xd7\xd6\xb6\xce\xd3\xd0\xce\xf3"};
// CTP:找不到合约
inline constexpr VendorError kInstrumentNotFound{16,
                                                 "CTP:\xd5\xd2\xb2\xbb\xb5\xbd\xba\xcf\xd4\xbc"};
// CTP:报单错误：不允许重复报单
inline constexpr VendorError kDuplicateOrderRef{
    22,
    "CTP:\xb1\xa8\xb5\xa5\xb4\xed\xce\xf3\xa3\xba\xb2\xbb\xd4\xca\xd0\xed\xd6\xd8\xb8\xb4\xb1"
    "\xa8\xb5\xa5"};
// CTP:错误的报单操作字段
inline constexpr VendorError kBadOrderActionField{
    23, "CTP:\xb4\xed\xce\xf3\xb5\xc4\xb1\xa8\xb5\xa5\xb2\xd9\xd7\xf7\xd7\xd6\xb6\xce"};
// CTP:撤单找不到相应报单
inline constexpr VendorError kOrderNotFound{
    25, "CTP:\xb3\xb7\xb5\xa5\xd5\xd2\xb2\xbb\xb5\xbd\xcf\xe0\xd3\xa6\xb1\xa8\xb5\xa5"};
// CTP:报单已全成交或已撤销，不能再撤
inline constexpr VendorError kOrderFinished{
    26,
    "CTP:\xb1\xa8\xb5\xa5\xd2\xd1\xc8\xab\xb3\xc9\xbd\xbb\xbb\xf2\xd2\xd1\xb3\xb7\xcf\xfa\xa3"
    "\xac\xb2\xbb\xc4\xdc\xd4\xd9\xb3\xb7"};
// CTP:不支持的功能
inline constexpr VendorError kUnsupported{27,
                                          "CTP:\xb2\xbb\xd6\xa7\xb3\xd6\xb5\xc4\xb9\xa6\xc4\xdc"};
// CTP:平仓量超过持仓量
inline constexpr VendorError kOverClosePosition{
    30, "CTP:\xc6\xbd\xb2\xd6\xc1\xbf\xb3\xac\xb9\xfd\xb3\xd6\xb2\xd6\xc1\xbf"};
// CTP:资金不足
inline constexpr VendorError kInsufficientMoney{31, "CTP:\xd7\xca\xbd\xf0\xb2\xbb\xd7\xe3"};
// CTP:结算结果未确认
inline constexpr VendorError kSettlementNotConfirmed{
    42, "CTP:\xbd\xe1\xcb\xe3\xbd\xe1\xb9\xfb\xce\xb4\xc8\xb7\xc8\xcf"};
// CTP:平今仓位不足
inline constexpr VendorError kOverCloseToday{
    50, "CTP:\xc6\xbd\xbd\xf1\xb2\xd6\xce\xbb\xb2\xbb\xd7\xe3"};
// CTP:平昨仓位不足
inline constexpr VendorError kOverCloseYesterday{
    51, "CTP:\xc6\xbd\xd7\xf2\xb2\xd6\xce\xbb\xb2\xbb\xd7\xe3"};
// CTP:经纪公司不支持条件单
inline constexpr VendorError kConditionNotSupported{
    54, "CTP:\xbe\xad\xbc\xcd\xb9\xab\xcb\xbe\xb2\xbb\xd6\xa7\xb3\xd6\xcc\xf5\xbc\xfe\xb5\xa5"};
// CTP:交易所不支持的价格类型
inline constexpr VendorError kPriceTypeNotSupported{
    80,
    "CTP:\xbd\xbb\xd2\xd7\xcb\xf9\xb2\xbb\xd6\xa7\xb3\xd6\xb5\xc4\xbc\xdb\xb8\xf1\xc0\xe0\xd0\xcd"};
// CTP:客户端认证失败
inline constexpr VendorError kAuthenticationFailed{
    63, "CTP:\xbf\xcd\xbb\xa7\xb6\xcb\xc8\xcf\xd6\xa4\xca\xa7\xb0\xdc"};
// CTP:下单频率限制
inline constexpr VendorError kOrderFrequencyLimit{
    116, "CTP:\xcf\xc2\xb5\xa5\xc6\xb5\xc2\xca\xcf\xde\xd6\xc6"};

}  // namespace vendor_error

inline CThostFtdcRspInfoField RspInfoOf(const VendorError &error) {
  CThostFtdcRspInfoField info{};
  info.ErrorID = error.id;
  SetText(info.ErrorMsg, error.message);
  return info;
}

// The texts an order's StatusMsg carries, GB18030 as well.
namespace status_text {

// 报单已提交
inline constexpr const char kSubmitted[] = "\xb1\xa8\xb5\xa5\xd2\xd1\xcc\xe1\xbd\xbb";
// 未成交
inline constexpr const char kQueueing[] = "\xce\xb4\xb3\xc9\xbd\xbb";
// 部分成交
inline constexpr const char kPartTraded[] = "\xb2\xbf\xb7\xd6\xb3\xc9\xbd\xbb";
// 全部成交
inline constexpr const char kAllTraded[] = "\xc8\xab\xb2\xbf\xb3\xc9\xbd\xbb";
// 尚未触发: a conditional order the broker holds.
inline constexpr const char kNotTouched[] = "\xc9\xd0\xce\xb4\xb4\xa5\xb7\xa2";
// 已撤单
inline constexpr const char kCanceled[] = "\xd2\xd1\xb3\xb7\xb5\xa5";

// 已撤单报单被拒绝: an exchange's rejection, followed by the exchange and its reason.
inline constexpr const char kRejected[] =
    "\xd2\xd1\xb3\xb7\xb5\xa5\xb1\xa8\xb5\xa5\xb1\xbb\xbe\xdc\xbe\xf8";
// 报单价格不是最小变动价位的整数倍
inline constexpr const char kOffTick[] =
    "\xb1\xa8\xb5\xa5\xbc\xdb\xb8\xf1\xb2\xbb\xca\xc7\xd7\xee\xd0\xa1\xb1\xe4\xb6\xaf\xbc\xdb"
    "\xce\xbb\xb5\xc4\xd5\xfb\xca\xfd\xb1\xb6";
// 报单价格高于涨停板
inline constexpr const char kAboveUpperLimit[] =
    "\xb1\xa8\xb5\xa5\xbc\xdb\xb8\xf1\xb8\xdf\xd3\xda\xd5\xc7\xcd\xa3\xb0\xe5";
// 报单价格低于跌停板
inline constexpr const char kBelowLowerLimit[] =
    "\xb1\xa8\xb5\xa5\xbc\xdb\xb8\xf1\xb5\xcd\xd3\xda\xb5\xf8\xcd\xa3\xb0\xe5";

}  // namespace status_text

}  // namespace simtrader

#endif
