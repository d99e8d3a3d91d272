"""How fast a vendor record becomes a dict, the conversion every event goes through.

Measures OrderField.from_address(address).to_dict() against the floor of building the same
dict from a ready tuple of its values with dict(zip(names, values)), and prints both and
their ratio (target: at most 2).
"""
import ctypes

from Quorvan.CTP.ApiStruct import OrderField
from timing import best_seconds

ROUNDS = 20
TARGET_RATIO = 2.0


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


def main():
    order = filled_order()
    sample = order.to_dict()
    namespace = {
        "OrderField": OrderField,
        "address": ctypes.addressof(order),
        "names": tuple(sample),
        "values": tuple(sample.values()),
    }
    floor, measured = best_seconds(
        ["dict(zip(names, values))", "OrderField.from_address(address).to_dict()"], namespace, ROUNDS)
    print(f"OrderField ({len(sample)} fields)")
    print(f"  dict(zip(names, values))                   {floor * 1e6:8.2f} us")
    print(f"  OrderField.from_address(address).to_dict() {measured * 1e6:8.2f} us")
    print(f"  ratio {measured / floor:.2f} (target <= {TARGET_RATIO:g})")


if __name__ == "__main__":
    main()
