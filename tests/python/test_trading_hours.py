"""The exchanges' hours, configured from Python: an order in a break is refused with the
vendor's error, and a bad trading_hours is refused naming its fault, changing nothing."""
import itertools
import os
from datetime import datetime

import pytest

import Quorvan.sim as sim
from conftest import wait_until
from test_broker import Recording, place

# 20261207 is a Monday: rb2705 (SHFE) breaks 10:15-10:30.
MONDAY = "20261207"


_fronts = itertools.count()


@pytest.fixture
def front():
    return f"sim-hours-{os.getpid()}-{next(_fronts)}:1"


# A dict of no products keeps every product's exchange hours, as "exchange" does.
@pytest.mark.parametrize("hours", ["exchange", {}])
def test_trading_hours_refuse_an_order_in_a_break_and_bad_hours_change_nothing(make_trader,
                                                                                front, hours):
    sim.configure(front, trading_hours=hours, trading_day=MONDAY)
    for bad, message in [
            ({"rb": [("09:00", "11:30")], "xx": [("09:00", "10:00")]},
             "product_id 'xx' is not the product of a listed instrument"),
            ({"rb": [("09:00", "25:00")]}, "'25:00', which is not a time"),
            ({"rb": [("09:00", "10:00"), ("09:30", "11:00")]}, "overlap"),
            ({"rb": ["09:00-10:00"]}, r"trading_hours\['rb'\] has the session '09:00-10:00'"),
            ({"rb": []}, "has no session"),
            ("always", "'always'")]:
        with pytest.raises(ValueError, match=message):
            sim.configure(front, trading_hours=bad)

    trader = make_trader(Recording, td_server=front)
    wait_until(lambda: trader.status == 0)
    # Had rb's sessions become 09:00-11:30, the break would trade.
    sim.set_market("rb2705", time=datetime(2026, 12, 7, 10, 20), front=front)
    refusal = place(trader, "buy_open", b"SHFE", "rb2705", 3201.0, 1)
    assert refusal["ErrorID"] == 17
    sim.set_market("rb2705", time=datetime(2026, 12, 7, 10, 30), front=front)
    assert place(trader, "buy_open", b"SHFE", "rb2705", 3201.0, 1)["OrderStatus"] == b"0"
