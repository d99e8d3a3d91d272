"""The asyncio client against the simulated broker with its default flow control."""
import asyncio
from datetime import datetime

import pytest

import Quorvan.sim as sim
from conftest import Trader, wait_until
from Quorvan.CTP.ApiConst import OrderStatus_AllTraded, OrderStatus_Canceled
from Quorvan.client import Client, CTPError

FRONT = "127.0.0.1:41401"
TIMEOUT = 30.0


@pytest.fixture
def front():
    sim.configure(FRONT, reset=True)
    sim.set_market("rb2705", bid=3200, ask=3201, last=3200, front=FRONT)
    return FRONT


def identity(tmp_path, investor_id="C01", **overrides):
    arguments = dict(broker_id="9999", td_server=FRONT, md_server=FRONT,
                     investor_id=investor_id, password="secret", app_id="app",
                     auth_code="0000000000000000", flow_path=str(tmp_path))
    arguments.update(overrides)
    return arguments


def run(tmp_path, body, **overrides):
    """Runs body(client) in a fresh loop with a ready client."""
    async def main():
        async with Client(**identity(tmp_path, **overrides)) as client:
            await asyncio.wait_for(client.ready(), TIMEOUT)
            return await asyncio.wait_for(body(client), TIMEOUT)
    return asyncio.run(main())


def test_queries_asked_together_wait_out_the_flow_control(front, tmp_path):
    async def body(client):
        # One query a second and none while another is unanswered: sent at once, all but
        # the first would be held back (-2, -3).
        return await asyncio.gather(client.account(), client.positions(),
                                    client.instruments("rb2705"), client.orders())
    account, positions, instruments, orders = run(tmp_path, body)
    assert account["Balance"] == 10_000_000 and positions == [] and orders == []
    assert [record["InstrumentID"] for record in instruments] == [b"rb2705"]
    held_back = [call for call in sim.calls(str(tmp_path / "C01") + "/td.con/")
                 if call[0].startswith("ReqQry")]
    assert len(held_back) > 4  # some were sent again


def test_an_order_is_filled_and_a_resting_one_cancelled(front, tmp_path):
    async def body(client):
        filled = await client.buy_open(b"SHFE", "rb2705", 3201, 2)
        await filled.done()
        resting = await client.buy_open("SHFE", b"rb2705", 3190, 1)
        cancelled = await client.cancel(resting)
        return filled, cancelled, await client.trades()
    filled, cancelled, trades = run(tmp_path, body)
    assert filled.status == OrderStatus_AllTraded and filled.filled == 2
    assert [trade["Price"] for trade in filled.trades] == [3201]
    assert cancelled.status == OrderStatus_Canceled and cancelled.trades == []
    assert [trade["OrderRef"] for trade in trades] == [filled.ref]


@pytest.mark.parametrize("price, volume, error_id, message", [
    (3201, 501, 15, "CTP:报单字段有误"),         # over the exchange's cap: the counter refuses
    (3201.5, 1, 0, "最小变动价位"),             # off the tick: the exchange rejects
])
def test_a_refused_order_raises(front, tmp_path, price, volume, error_id, message):
    async def body(client):
        with pytest.raises(CTPError) as refused:
            await client.buy_open("SHFE", "rb2705", price, volume)
        return refused.value
    error = run(tmp_path, body)
    assert error.error_id == error_id and message in error.message


def test_ticks_of_the_subscribed_instruments(front, tmp_path):
    async def body(client):
        ticks = client.ticks(["rb2705"])
        first = await ticks.__anext__()   # the subscription's current market
        sim.set_market("cu2702", bid=78000, ask=78010, last=78000, front=FRONT)
        sim.set_market("rb2705", bid=3205, ask=3206, last=3205, front=FRONT)
        second = await ticks.__anext__()
        await ticks.aclose()
        return first, second
    first, second = run(tmp_path, body)
    assert (first["InstrumentID"], first["LastPrice"]) == (b"rb2705", 3200)
    assert (second["InstrumentID"], second["LastPrice"]) == (b"rb2705", 3205)


def test_ready_outlasts_a_dropped_line_and_raises_a_refusal(front, tmp_path):
    sim.configure(FRONT, accounts={"C01": dict(password="secret"), "C02": dict(password="right")})

    async def main():
        async with Client(**identity(tmp_path, investor_id="C01")) as client:
            sim.disconnect(client.trader, reconnect_after=0.2)
            await asyncio.wait_for(client.ready(), TIMEOUT)
            ready = client.trader.status
        async with Client(**identity(tmp_path, investor_id="C02", password="wrong")) as client:
            with pytest.raises(CTPError) as refused:
                await asyncio.wait_for(client.ready(), TIMEOUT)
        return ready, refused.value
    status, error = asyncio.run(main())
    assert status == 0
    assert error.error_id != 0 and error.message


def test_a_given_trader_keeps_its_handlers_and_the_closed_loop_hears_nothing(
        front, tmp_path, unraisable):
    class Own(Trader):
        def init_extra(self):
            self.orders = []

        def OnRtnOrder(self, pOrder):
            self.orders.append(pOrder)

    trader = Own(broker_id="9999", td_server=FRONT, investor_id="C03", password="secret",
                 app_id="app", auth_code="0000000000000000", flow_path=str(tmp_path))
    try:
        async def main():
            client = Client(trader=trader)
            client.start()   # and never closed: the loop ends under it
            await asyncio.wait_for(client.ready(), TIMEOUT)
            order = await client.buy_open("SHFE", "rb2705", 3201, 1)
            await order.done()
            return order
        order = asyncio.run(main())
        assert order.status == OrderStatus_AllTraded
        wait_until(lambda: len(trader.orders) >= 2)
        # Events after the loop closed go nowhere, and nothing fails on the vendor's thread.
        seen = len(trader.orders)
        trader.buy_open(b"SHFE", "rb2705", 3201, 1)
        wait_until(lambda: len(trader.orders) > seen)
        sim.wait_delivered(FRONT)
        assert unraisable == []
    finally:
        trader.Release()


def test_a_replay_waits_for_the_strategy_on_each_tick(front, tmp_path):
    ticks = [dict(time=datetime(2026, 12, 7, 9, 0, second), instrument_id="rb2705",
                  last=3200 + second, bid=3200 + second, ask=3201 + second, bid_volume=10,
                  ask_volume=10) for second in range(5)]

    async def body(client):
        stream = client.ticks(["rb2705"])
        replay = sim.replay(ticks, front=FRONT, md_queue=client.md_queue)
        seen = []
        async for tick in stream:
            # The broker's market is still this tick's while the strategy handles it.
            seen.append((tick["LastPrice"], sim.market("rb2705", FRONT).LastPrice))
            if tick["LastPrice"] == 3202:
                order = await client.buy_open("SHFE", "rb2705", tick["AskPrice1"], 1)
                await order.done()
            if len(seen) == len(ticks):
                break
        await stream.aclose()
        await asyncio.get_running_loop().run_in_executor(None, replay.wait, TIMEOUT)
        return seen, order
    # No market-data object: a backtest's ticks come from the replay alone.
    seen, order = run(tmp_path, body, md_server=None)
    assert seen == [(3200 + second, 3200 + second) for second in range(5)]
    assert [trade["Price"] for trade in order.trades] == [3203]
