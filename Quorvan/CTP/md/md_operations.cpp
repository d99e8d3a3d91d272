// The market-data object's control operations and requests, as vendor_controls.h and
// vendor_requests.h make them for every vendor object, and its write_log.
#include "log_writer.h"
#include "md_methods.h"
#include "vendor_controls.h"
#include "vendor_requests.h"

QV_METHOD(method_write_log) { return write_log(".md", self, args, nargs, kwnames); }

QV_METHOD(method_connect) {
  return vendor_controls::connect<MdObject>(self, args, nargs, kwnames,
                                            "Error:MdApi instance is NULL.");
}

QV_METHOD(method_GetApiVersion) {
  (void)self;
  return vendor_controls::get_api_version<MdObject>(args, nargs, kwnames);
}

QV_METHOD(method_Release) {
  (void)args;
  return vendor_controls::release<MdObject>(self, nargs, kwnames);
}

QV_METHOD(method_Join) {
  (void)args;
  return vendor_controls::join<MdObject>(self, nargs, kwnames);
}

QV_METHOD(method_GetTradingDay) {
  (void)args;
  return vendor_controls::get_trading_day<MdObject>(self, nargs, kwnames);
}

QV_METHOD(method_RegisterFront) {
  return vendor_controls::register_address<MdObject>(self, args, nargs, kwnames, "RegisterFront",
                                                     &CThostFtdcMdApi::RegisterFront);
}

QV_METHOD(method_RegisterNameServer) {
  return vendor_controls::register_address<MdObject>(
      self, args, nargs, kwnames, "RegisterNameServer", &CThostFtdcMdApi::RegisterNameServer);
}

QV_METHOD(method_RegisterFensUserInfo) {
  return vendor_controls::register_fens_user_info<MdObject>(self, args, nargs, kwnames);
}

#define REQUEST(Name, Record, Param, ...) \
  QV_REQUEST_METHOD(MdObject, CThostFtdcMdApi, Name, Record, Param)
#include "md_requests.def"
