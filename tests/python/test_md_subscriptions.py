"""subscribe and unsubscribe, and the vendor's four subscription operations: every id checked
before anything is sent, any number of ids split into batches, each id remembered once in
the order first given."""
import pytest

import Quorvan.sim as sim
from conftest import SUBSCRIPTIONS, subscribed, subscription_batches, wait_until

BATCH = 100


@pytest.fixture
def md(make_md):
    md = make_md()
    wait_until(lambda: md.status == 0)
    return md


BAD_INPUT = [
    (5, TypeError, "iterable of instrument ids, not int"),
    (None, TypeError, "iterable of instrument ids, not NoneType"),
    ("rb2705", TypeError, "not a single str"),
    (b"rb2705", TypeError, "not a single bytes"),
    (["rb2705", 5], TypeError, "as str or bytes, not int"),
    (["rb2705", bytearray(b"cu2702")], TypeError, "as str or bytes, not bytearray"),
    (["rb2705", "x" * 81], ValueError, "1 to 80 bytes"),
    (["rb2705", "价" * 41], ValueError, "1 to 80 bytes"),
    (["rb2705", b"rb\0"], ValueError, "without NUL"),
    (["rb2705", ""], ValueError, "1 to 80 bytes"),
    (["rb2705", "\udc80"], UnicodeEncodeError, "can't encode"),
]


@pytest.mark.parametrize("operation", ("subscribe", "unsubscribe") + SUBSCRIPTIONS)
@pytest.mark.parametrize("instruments, error, message", BAD_INPUT)
def test_bad_input_is_refused_before_anything_is_sent(md, operation, instruments, error,
                                                      message):
    md.SubscribeMarketData(["au2706"])
    before = sim.calls(md)
    with pytest.raises(error, match=message):
        getattr(md, operation)(instruments)
    assert sim.calls(md) == before
    # Nothing was remembered either: a login renews only what went before.
    sent = len(subscription_batches(md, "SubscribeMarketData"))
    sim.disconnect(md, reconnect_after=0.01)
    wait_until(lambda: len(subscription_batches(md, "SubscribeMarketData")) > sent)
    assert subscription_batches(md, "SubscribeMarketData")[sent:] == [[b"au2706"]]


def test_a_failing_iterator_sends_nothing(md):
    def ids():
        yield "rb2705"
        raise LookupError("no more")

    before = sim.calls(md)
    with pytest.raises(LookupError):
        md.subscribe(ids())
    assert sim.calls(md) == before


@pytest.mark.parametrize("count", [1, BATCH, BATCH + 1, 2 * BATCH + 37])
@pytest.mark.parametrize("method, operation", [("subscribe", "SubscribeMarketData"),
                                               ("unsubscribe", "UnSubscribeMarketData")])
def test_many_ids_go_in_batches(md, count, method, operation):
    ids = [f"i{index}" for index in range(count)]
    assert getattr(md, method)(iter(ids)) == 0
    batches = subscription_batches(md, operation)
    assert [len(batch) for batch in batches] == [BATCH] * (count // BATCH) + (
        [count % BATCH] if count % BATCH else [])
    assert [item for batch in batches for item in batch] == [id.encode() for id in ids]


@pytest.mark.parametrize("operation", SUBSCRIPTIONS)
def test_the_vendors_operations_send_every_id_in_one_call(md, operation):
    ids = [f"i{index}" for index in range(BATCH + 5)]
    assert getattr(md, operation)(ids) == 0
    assert subscription_batches(md, operation) == [[id.encode() for id in ids]]


def test_ids_are_remembered_once_in_the_order_first_given(md):
    md.subscribe(["rb2705", "cu2702", "rb2705"])
    md.subscribe([b"au2706", "cu2702", "sc2702"])
    md.unsubscribe(["cu2702"])
    md.subscribe(["cu2702"])
    sent = len(subscription_batches(md, "SubscribeMarketData"))
    sim.disconnect(md, reconnect_after=0.01)
    wait_until(lambda: len(subscription_batches(md, "SubscribeMarketData")) > sent)
    assert subscription_batches(md, "SubscribeMarketData")[sent:] == [
        [b"rb2705", b"au2706", b"sc2702", b"cu2702"]]


def test_text_is_sent_in_the_vendors_encoding(md):
    md.subscribe(["苹果2705"])
    assert subscribed(md)[-1] == "苹果2705".encode("gb18030")


def test_a_refused_batch_stops_the_rest_and_is_returned(md):
    sim.fail_next(md, "SubscribeMarketData", -3)
    ids = [f"i{index}" for index in range(2 * BATCH)]
    assert md.subscribe(ids) == -3
    # The refused call shows in the log; the batch after it was never sent.
    assert len(subscription_batches(md, "SubscribeMarketData")) == 1


def test_unsubscribe_and_subscribe_with_nothing_send_nothing(md):
    before = sim.calls(md)
    assert md.subscribe([]) == md.unsubscribe(()) == 0
    assert sim.calls(md) == before
