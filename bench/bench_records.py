"""How fast records convert: an event's record into a dict, a request's record from keywords.

- OrderField.from_address(address).to_dict() against the floor of building the same dict
  from a ready tuple of its values with dict(zip(names, values)) (target: at most 1.2);
- InputOrderField(**twelve_fields), checked, against a plain ctypes structure of the same
  fields built with the same keywords, unchecked (target: at most 1.0).
"""
import ctypes

from Quorvan.CTP.ApiStruct import InputOrderField, OrderField
from timing import best_seconds

ROUNDS = 20
DICT_TARGET = 1.2
KEYWORDS_TARGET = 1.0

# What an order entry gives a new order: its identity, its instrument and its terms.
TWELVE_FIELDS = dict(BrokerID=b"9999", InvestorID=b"000001", ExchangeID=b"SHFE",
                     InstrumentID=b"rb2410", OrderRef=b"12", UserID=b"000001",
                     OrderPriceType=b"2", Direction=b"0", CombOffsetFlag=b"0",
                     CombHedgeFlag=b"1", LimitPrice=3512.0, VolumeTotalOriginal=2)

PlainInputOrder = type("PlainInputOrder", (ctypes.Structure,),
                       {"_fields_": InputOrderField._fields_})


def filled_order():
    """An OrderField with every field set, text to a typical length."""
    values = {}
    for name, ctype in OrderField._fields_:
        if issubclass(ctype, ctypes.Array):
            values[name] = b"rb2410-9999"[:min(8, ctype._length_ - 1)] or b"0"
        elif ctype is ctypes.c_double:
            values[name] = 3512.5
        else:
            values[name] = 7
    return OrderField(**values)


def report(title, floor_label, floor, label, measured, target):
    width = max(len(floor_label), len(label))
    print(title)
    print(f"  {floor_label:<{width}} {floor * 1e6:8.2f} us")
    print(f"  {label:<{width}} {measured * 1e6:8.2f} us")
    print(f"  ratio {measured / floor:.2f} (target <= {target:g})")


def main():
    order = filled_order()
    sample = order.to_dict()
    namespace = {
        "OrderField": OrderField,
        "InputOrderField": InputOrderField,
        "PlainInputOrder": PlainInputOrder,
        "fields": TWELVE_FIELDS,
        "address": ctypes.addressof(order),
        "names": tuple(sample),
        "values": tuple(sample.values()),
    }
    statements = ["dict(zip(names, values))", "OrderField.from_address(address).to_dict()",
                  "PlainInputOrder(**fields)", "InputOrderField(**fields)"]
    dict_floor, to_dict, plain, checked = best_seconds(statements, namespace, ROUNDS)
    report(f"OrderField ({len(sample)} fields) into a dict", statements[0], dict_floor,
           statements[1], to_dict, DICT_TARGET)
    report(f"InputOrderField from {len(TWELVE_FIELDS)} keywords", statements[2] + " (unchecked)",
           plain, statements[3], checked, KEYWORDS_TARGET)


if __name__ == "__main__":
    main()
