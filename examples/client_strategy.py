"""A small strategy on the asyncio client, against the simulated broker.

It logs in on both sides, reads its account and one instrument (the queries queue behind each
other and wait out the broker's flow control by themselves), takes the first tick of rebar,
buys one lot at its ask and waits until the order is filled, rests a bid below the market and
cancels it, closes the position at the bid of the next tick and prints its positions and
account. The simulated broker's market is moved with Quorvan.sim, as a feed would move it.

Run it after `make` with the repository root on PYTHONPATH:
    python3 examples/client_strategy.py
"""
import asyncio
from typing import Any, Dict

import Quorvan.sim as sim
from Quorvan.client import Client

EXCHANGE, INSTRUMENT = "SHFE", "rb2705"
FRONT = "127.0.0.1:40003"
TIMEOUT = 30.0


async def main() -> None:
    async with Client(broker_id="9999", td_server=FRONT, md_server=FRONT,
                      investor_id="client01", password="client-password",
                      app_id="quorvan_client", auth_code="0000000000000000") as client:
        await asyncio.wait_for(client.ready(), TIMEOUT)
        account = await client.account()
        print(f"Balance {account['Balance']:,.2f}, available {account['Available']:,.2f}")
        (instrument,) = await client.instruments(INSTRUMENT)
        tick_size = instrument["PriceTick"]
        print(f"{INSTRUMENT}: {instrument['InstrumentName'].decode('gb18030')}, "
              f"tick {tick_size:g}, {instrument['VolumeMultiple']} per lot")

        ticks = client.ticks([INSTRUMENT])
        tick: Dict[str, Any] = await asyncio.wait_for(ticks.__anext__(), TIMEOUT)
        print(f"First tick: bid {tick['BidPrice1']:g} ask {tick['AskPrice1']:g}")

        order = await client.buy_open(EXCHANGE, INSTRUMENT, tick["AskPrice1"], 1)
        await asyncio.wait_for(order.done(), TIMEOUT)
        print(f"Bought {order.filled} at {order.trades[0]['Price']:g}")

        resting = await client.buy_open(EXCHANGE, INSTRUMENT,
                                        tick["BidPrice1"] - 10 * tick_size, 1)
        await asyncio.wait_for(client.cancel(resting), TIMEOUT)
        print(f"Bid {resting.price:g} rested and was cancelled: "
              f"{resting.record['StatusMsg'].decode('gb18030')}")

        sim.set_market(INSTRUMENT, bid=tick["BidPrice1"] + tick_size,
                       ask=tick["AskPrice1"] + tick_size, front=FRONT)
        tick = await asyncio.wait_for(ticks.__anext__(), TIMEOUT)
        close = await client.sell_close(EXCHANGE, INSTRUMENT, tick["BidPrice1"], 1)
        await asyncio.wait_for(close.done(), TIMEOUT)
        print(f"Sold {close.filled} at {close.trades[0]['Price']:g}")
        await ticks.aclose()

        for position in await client.positions():
            print(f"Position {position['InstrumentID'].decode()}: {position['Position']}, "
                  f"close profit {position['CloseProfit']:,.2f}")
        account = await client.account()
        print(f"Balance {account['Balance']:,.2f}, close profit {account['CloseProfit']:,.2f}, "
              f"commission {account['Commission']:,.2f}")


if __name__ == "__main__":
    asyncio.run(main())
