// The module Quorvan.CTP.MdApiBase: the class MdApiBase's methods in class order, made into
// the module as extension_module.h makes every half's.
#include "extension_module.h"
#include "md_methods.h"

PyMethodDef MdHalf::methods[] = {
    QV_LEADING_ENTRIES(MdHalf),
    QV_DOCUMENTED(subscribe, kSubscribeDoc),
    QV_DOCUMENTED(unsubscribe, kUnsubscribeDoc),
    QV_CONTROL_ENTRIES(MdHalf),
#define SUBSCRIPTION(Name, ...) QV_ENTRY(Name),
#define REQUEST(Name, Record, Param, ...) QV_ENTRY(Name),
#include "md_requests.def"
#define EVENT(Shape, Name, Record, Param, Handler, ...) QV_ENTRY(Name),
#include "md_events.def"
    {nullptr, nullptr, 0, nullptr},
};

PyMODINIT_FUNC PyInit_MdApiBase(void) { return ExtensionModule<MdHalf>::init(); }
