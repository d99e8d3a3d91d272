"""A trader of a simulated broker that keeps its state in a store, for the tests that restart
the process: run as a program, it logs in and then follows commands, one a line on stdin,
answering each with one JSON line on stdout. Imported, it gives those tests its trader class.

    python store_client.py FRONT STORE FLOW_PATH PRIVATE_RESUME PUBLIC_RESUME

Commands: "flow" (the flow events received so far), "order" (buys one rb2705 lot at the ask
and answers once it has traded), "hold" (buys one lot, and the handler of the next flow event
records it, answers the flow so far and never returns, as a process killed in a handler
leaves it), "books" (the day's orders, trades and positions), "exit".
"""
import json
import queue
import sys
import threading

import Quorvan.sim as sim
from conftest import IDENTITY, Trader, send_query, wait_until

FLOW_EVENTS = ("OnRtnOrder", "OnRtnTrade", "OnRtnInstrumentStatus")
REBAR_ASK = 3201.0


def flow_item(name, record):
    """What identifies a flow event: an order's state, a trade, an instrument's status."""
    if name == "OnRtnOrder":
        return [name, record["OrderRef"].decode(), record["OrderStatus"].decode()]
    if name == "OnRtnTrade":
        return [name, record["TradeID"].decode().strip()]
    return [name, record["InstrumentID"].decode()]


class FlowTrader(Trader):
    """Keeps the flow events it receives, and every query's answers."""

    def init_extra(self):
        self.flow = []
        self.answers = []
        self.max_order_ref = None
        self.holding = None  # a queue: the next flow event's handler puts the flow, and stops

    def recorded(self, item):
        self.flow.append(item)
        if self.holding is not None:
            self.holding.put(list(self.flow))
            threading.Event().wait()

    def write_log(self, *items):
        pass

    def OnRspUserLogin(self, pRspUserLogin, pRspInfo, nRequestID, bIsLast):
        if pRspUserLogin:
            self.max_order_ref = int(pRspUserLogin["MaxOrderRef"] or b"0")
            # References go on from the day's highest, as a restarted strategy's should.
            self.order_ref = self.max_order_ref
        super().OnRspUserLogin(pRspUserLogin, pRspInfo, nRequestID, bIsLast)


def _flow_recorder(name):
    def record(self, record):
        self.recorded(flow_item(name, record))

    record.__name__ = name
    return record


def _answer_recorder(name):
    def record(self, record, rsp_info, request_id, is_last):
        self.answers.append((name, record, is_last))

    record.__name__ = name
    return record


for _name in FLOW_EVENTS:
    setattr(FlowTrader, _name, _flow_recorder(_name))
for _name in ("OnRspQryOrder", "OnRspQryTrade", "OnRspQryInvestorPosition"):
    setattr(FlowTrader, _name, _answer_recorder(_name))


def ask(trader, query, response):
    """The records a query answers, once its last answer has arrived."""
    start = len(trader.answers)
    assert send_query(trader, getattr(trader, query)) == 0

    def answered():
        return any(name == response and is_last for name, _, is_last in trader.answers[start:])

    wait_until(answered)
    return [record for name, record, _ in trader.answers[start:] if name == response and record]


def books(trader):
    """The day's orders, trades and positions as the broker answers them."""
    return {
        "orders": [[r["OrderRef"].decode(), r["OrderStatus"].decode()]
                   for r in ask(trader, "query_order", "OnRspQryOrder")],
        "trades": [r["TradeID"].decode().strip() for r in ask(trader, "query_trade", "OnRspQryTrade")],
        "positions": [[r["InstrumentID"].decode(), r["PosiDirection"].decode(), r["Position"]]
                      for r in ask(trader, "query_position", "OnRspQryInvestorPosition")],
    }


def buy(trader):
    """Buys one rb2705 lot at the ask; returns once the trade has arrived."""
    trades = sum(1 for item in trader.flow if item[0] == "OnRtnTrade")
    assert trader.buy_open(b"SHFE", b"rb2705", REBAR_ASK, 1) == 0
    wait_until(lambda: sum(1 for item in trader.flow if item[0] == "OnRtnTrade") > trades)
    return str(trader.order_ref)


def main(front, store, flow_path, private_resume, public_resume):
    sim.configure(front, store=store, limits=None)
    trader = FlowTrader(**dict(IDENTITY, td_server=front, flow_path=flow_path,
                               private_resume_type=int(private_resume),
                               public_resume_type=int(public_resume)))
    # The past flow comes right after the login answer, ahead of the confirmation.
    wait_until(lambda: trader.status == 0)
    print(json.dumps({"max_order_ref": trader.max_order_ref}), flush=True)
    for command in sys.stdin:
        command = command.strip()
        if command == "flow":
            answer = trader.flow
        elif command == "order":
            answer = buy(trader)
        elif command == "hold":
            trader.holding = queue.Queue()
            assert trader.buy_open(b"SHFE", b"rb2705", REBAR_ASK, 1) == 0
            answer = trader.holding.get(timeout=30)
        elif command == "books":
            answer = books(trader)
        else:
            break
        print(json.dumps(answer), flush=True)
    trader.Release()


if __name__ == "__main__":
    main(*sys.argv[1:])
