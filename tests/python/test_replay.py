"""Replayed markets end to end: ticks from a file or from dicts move the simulated broker's
markets, reach a strategy through its md_queue, and drive its orders as live ticks would."""
import csv
import datetime
import io
import itertools
import queue
import re
import sys
import threading

import pytest

import Quorvan.sim as sim
from conftest import QuietMd, Trader, wait_until

FRONT = "127.0.0.1:41251"
FIELDS = ("time", "instrument_id", "last", "bid", "ask", "bid_volume", "ask_volume")


def ticks(count, start=3200, step=1):
    """rb2705 (tick 1) walking up and down in a repeatable zigzag, a second apart."""
    rows = []
    price = start
    for index in range(count):
        price += step if (index // 7) % 2 == 0 else -step
        rows.append(dict(time=f"2026-12-07 09:{index // 60:02d}:{index % 60:02d}.250",
                         instrument_id="rb2705", last=price, bid=price, ask=price + 1,
                         bid_volume=3, ask_volume=3))
    return rows


def write_csv(path, rows, extra_column=True):
    columns = FIELDS + (("volume",) if extra_column else ())
    with open(path, "w", newline="") as file:
        writer = csv.DictWriter(file, columns, extrasaction="ignore")
        writer.writeheader()
        for row in rows:
            writer.writerow(dict(row, volume=1))
    return path


class Collector:
    """An md_queue that is not a queue.Queue: the replay only puts to it."""

    def __init__(self):
        self.items = []

    def put(self, item):
        self.items.append(item)


@pytest.fixture
def front():
    sim.configure(FRONT, reset=True, limits=None)
    return FRONT


class Follower(Trader):
    """Buys two lots after two rising ticks and sells after two falling ones, and bids a tick
    under the market whenever flat, an order that rests until a later tick fills it: its
    trades depend on every tick and on every fill arriving before the next tick."""

    def init_extra(self):
        self.trades = []
        self.position = 0

    def OnRtnTrade(self, pTrade):
        self.trades.append((pTrade["Direction"], pTrade["Price"], pTrade["Volume"]))
        self.position += pTrade["Volume"] if pTrade["Direction"] == b"0" else -pTrade["Volume"]

    def follow(self, md_queue):
        lasts = []
        while True:
            tick = md_queue.get()
            if tick is None:
                return
            lasts.append(tick["LastPrice"])
            rising = lasts[-3:] == sorted(lasts[-3:]) and len(set(lasts[-3:])) == 3
            falling = lasts[-3:] == sorted(lasts[-3:], reverse=True) and len(set(lasts[-3:])) == 3
            if self.position == 0 and rising:
                assert self.buy_open(b"SHFE", "rb2705", tick["AskPrice1"], 2) == 0
            elif self.position == 0 and len(lasts) % 5 == 0:
                assert self.buy_open(b"SHFE", "rb2705", tick["BidPrice1"] - 1, 1) == 0
            elif self.position > 0 and falling:
                assert self.sell_close(b"SHFE", "rb2705", tick["BidPrice1"],
                                       self.position) == 0
            md_queue.task_done()


def run_strategy(make_trader, source, queue_class=queue.Queue):
    sim.configure(FRONT, reset=True, limits=None)
    trader = make_trader(Follower, td_server=FRONT)
    wait_until(lambda: trader.status == 0)
    md_queue = queue_class()
    strategy = threading.Thread(target=trader.follow, args=(md_queue,))
    strategy.start()
    try:
        played = sim.replay(source, front=FRONT, md_queue=md_queue)
        assert played.wait(timeout=120)
    finally:
        md_queue.put(None)
        strategy.join()
    trader.Release()
    return played.progress, trader.trades


def test_a_replay_through_md_queue_drives_a_strategy_to_the_same_trades_every_time(
        make_trader, tmp_path):
    source = write_csv(tmp_path / "day.csv", ticks(300))
    first = run_strategy(make_trader, source)
    second = run_strategy(make_trader, source)
    # The strategy's own thread playing the ticks makes the same trades.
    pulled = run_strategy(make_trader, source, sim.ReplayQueue)
    assert first == second == pulled
    count, trades = first
    assert count == 300
    # Opens filled at the ask, closes at the bid, and resting bids filled by later ticks.
    assert {direction for direction, _, _ in trades} == {b"0", b"1"}
    assert len(trades) > 20


def test_the_queued_records_carry_the_ticks_time_and_the_brokers_market(front):
    rows = ticks(5)
    collected = Collector()
    assert sim.replay(rows, front=front, md_queue=collected).wait(timeout=60)
    first, last = collected.items[0], collected.items[-1]
    assert (last["InstrumentID"], last["ExchangeID"]) == (b"rb2705", b"SHFE")
    assert (last["ActionDay"], last["UpdateTime"], last["UpdateMillisec"]) == (
        b"20261207", b"09:00:04", 250)
    assert (last["LastPrice"], last["BidPrice1"], last["AskPrice1"], last["BidVolume1"],
            last["AskVolume1"]) == (3205.0, 3205.0, 3206.0, 3, 3)
    assert (last["OpenPrice"], last["HighestPrice"], last["LowestPrice"]) == (3201.0, 3205.0,
                                                                                3201.0)
    assert last["TradingDay"] == sim.market("rb2705", front).TradingDay
    assert last["LowerLimitPrice"] < 3201 < 3206 < last["UpperLimitPrice"]
    assert last["PreSettlementPrice"] > 0 and first["UpdateTime"] == b"09:00:00"


@pytest.mark.parametrize("speed", [None, 1000.0])
def test_ticks_from_dicts_play_in_order_at_any_speed(front, speed):
    rows = ticks(40)
    collected = Collector()
    played = sim.replay(iter(rows), front=front, speed=speed, md_queue=collected)
    assert played.wait(timeout=60)
    assert played.progress == 40
    assert [item["LastPrice"] for item in collected.items] == [row["last"] for row in rows]
    assert sim.market("rb2705", front).LastPrice == rows[-1]["last"]


MALFORMED = [
    ("a price off the tick", dict(bid=3203.5), "tick"),
    ("a price that is no number", dict(ask="x"), "not a number"),
    ("a bid above the ask", dict(bid=3210, ask=3209), "bid"),
    ("an unlisted instrument", dict(instrument_id="zz9999"), "zz9999"),
    ("no volume", dict(bid_volume=""), "bid_volume"),
    ("a negative volume", dict(ask_volume=-1), "ask_volume"),
    ("a time going back", dict(time="2026-12-07 08:59:59"), "time order"),
    ("a time that is none", dict(time="09:00:03"), "ISO"),
]


@pytest.mark.parametrize("case, change, said", MALFORMED, ids=[case for case, _, _ in MALFORMED])
def test_a_malformed_row_stops_the_replay_before_it_and_names_its_line(
        front, tmp_path, case, change, said):
    rows = ticks(6)
    rows[3] = dict(rows[3], **change)
    path = write_csv(tmp_path / "day.csv", rows)
    collected = Collector()
    played = sim.replay(path, front=front, md_queue=collected)
    with pytest.raises(ValueError, match=rf"day\.csv line 5: .*{said}"):
        played.wait(timeout=60)
    assert played.progress == 3 and len(collected.items) == 3
    quote = sim.market("rb2705", front)
    assert (quote.LastPrice, quote.BidPrice1, quote.AskPrice1, quote.BidVolume1,
            quote.AskVolume1) == (rows[2]["last"], rows[2]["bid"], rows[2]["ask"], 3, 3)


def replace_cell(old, new):
    return lambda lines: lines.__setitem__(249, lines[249].replace(old, new))


def cells_on_line_250(edit):
    def edited(lines):
        cells = lines[249].rstrip(b"\r\n").split(b",")
        lines[249] = b",".join(edit(cells)) + b"\r\n"
    return edited


def quote_the_volume_over_two_lines_then_break_the_next_row(lines):
    lines[248] = lines[248].replace(b",1\r\n", b',"1\r\n"\r\n')
    replace_cell(b"rb2705", b"zz9999")(lines)


# Each breaks the row on line 250 of a file of 300, past the first block the file is read in.
MALFORMED_TEXT = [
    ("a byte that is not UTF-8", replace_cell(b"rb2705", b"rb27\xff05"),
     r"line 250: byte 0xFF \(column 29\) is not UTF-8"),
    ("a field of 3 MB", replace_cell(b"rb2705", b"rb2705" + b"5" * 3_000_000),
     r"line 250: the line runs on"),
    ("a NUL in the instrument id", replace_cell(b"rb2705", b"rb2705\0x"), r"line 250: .*NUL"),
    ("a cell too many", cells_on_line_250(lambda cells: cells + [b"1"]),
     r"line 250: 9 cells where the header has 8 columns"),
    ("a cell too few", cells_on_line_250(lambda cells: cells[:-1]),
     r"line 250: 7 cells where the header has 8 columns"),
    ("a quote never closed", replace_cell(b"rb2705", b'"rb2705'),
     r"lines 250-301: unexpected end of data"),
    ("a row after a cell spanning lines", quote_the_volume_over_two_lines_then_break_the_next_row,
     r"line 251: .*zz9999"),
]


@pytest.mark.parametrize("case, edit, said", MALFORMED_TEXT,
                         ids=[case for case, _, _ in MALFORMED_TEXT])
def test_a_row_that_is_no_text_stops_the_replay_before_it_and_names_its_line(
        front, tmp_path, case, edit, said):
    rows = ticks(300)
    path = write_csv(tmp_path / "day.csv", rows)
    lines = path.read_bytes().splitlines(keepends=True)
    edit(lines)
    path.write_bytes(b"".join(lines))
    collected = Collector()
    played = sim.replay(path, front=front, md_queue=collected)
    with pytest.raises(ValueError, match=r"day\.csv " + said):
        played.wait(timeout=60)
    assert played.progress == 248 and len(collected.items) == 248
    assert sim.market("rb2705", front).LastPrice == rows[247]["last"]


def test_depth_columns_move_the_levels_behind_the_first(front, tmp_path):
    rows = ticks(3)
    rows[1].update(bid2=rows[1]["bid"] - 2, bid_volume2=4, ask2=rows[1]["ask"] + 1,
                   ask_volume2=6, ask3="", ask_volume3="")
    columns = FIELDS + ("bid2", "bid_volume2", "ask2", "ask_volume2", "ask3", "ask_volume3")
    path = tmp_path / "depth.csv"
    with open(path, "w", newline="") as file:
        writer = csv.DictWriter(file, columns, restval="")
        writer.writeheader()
        writer.writerows(rows)
    collected = Collector()
    assert sim.replay(path, front=front, md_queue=collected).wait(timeout=60)
    second, third = collected.items[1:]
    assert (second["BidPrice1"], second["BidVolume1"], second["BidPrice2"],
            second["BidVolume2"]) == (rows[1]["bid"], 3, rows[1]["bid"] - 2, 4)
    assert (second["AskPrice2"], second["AskVolume2"], second["AskPrice3"]) == (
        rows[1]["ask"] + 1, 6, 0)
    # A row whose depth cells are empty quotes its first levels alone.
    assert (third["BidPrice1"], third["BidPrice2"], third["AskPrice2"]) == (rows[2]["bid"], 0, 0)


@pytest.mark.parametrize("change, said", [
    (dict(bid2=3000, bid_volume2=""), "tick 2: bid2 and bid_volume2 go together"),
    (dict(bid3=3000, bid_volume3=1), "tick 2: bid3 follows an empty bid2"),
    (dict(ask2=3100, ask_volume2=1), "tick 2: .*ask2 3100 is not above ask"),
    (dict(last=None), "tick 2: no last"),
    (dict(instrument_id="rb2705\0x"), "tick 2: instrument_id .* holds a NUL"),
    (dict(instrument_id=b"rb2705\0x"), "tick 2: instrument_id .* holds a NUL"),
])
def test_a_malformed_dict_is_named_by_its_place(front, change, said):
    rows = ticks(3)
    rows[1].update(change)
    with pytest.raises(ValueError, match=said):
        sim.replay(rows, front=front).wait(timeout=60)
    assert sim.market("rb2705", front).LastPrice == rows[0]["last"]


@pytest.mark.parametrize("speed, maxsize, progress", [
    (1.0, 0, {1}),      # the next tick is a day away at real speed
    (None, 0, {1}),     # the strategy never finishes a tick
    (1e9, 1, {2, 3}),   # the strategy stopped taking ticks from a bounded queue
])
def test_stop_ends_a_replay_promptly_wherever_it_waits(front, speed, maxsize, progress):
    rows = ticks(3)
    rows[1]["time"] = rows[2]["time"] = "2026-12-08 09:00:00"
    md_queue = queue.Queue(maxsize)
    played = sim.replay(rows, front=front, speed=speed, md_queue=md_queue)
    md_queue.get(timeout=30)
    if maxsize:
        wait_until(md_queue.full)
    played.stop()
    assert played.wait(timeout=0)
    assert played.progress in progress
    assert not any(thread.name == "Quorvan replay" for thread in threading.enumerate())


@pytest.mark.parametrize("source, speed, error", [
    ({"time": "2026-12-07 09:00:00"}, None, TypeError),
    (42, None, TypeError),
    ([], 0, ValueError),
    ([], float("nan"), ValueError),
    ([], "fast", TypeError),
])
def test_what_a_replay_cannot_take_is_refused_at_once(source, speed, error):
    with pytest.raises(error):
        sim.replay(source, front=FRONT, speed=speed)


def test_a_file_without_the_columns_is_refused_before_anything_plays(front, tmp_path):
    path = tmp_path / "day.csv"
    path.write_text("time,instrument_id,last,bid,ask\n2026-12-07 09:00:00,rb2705,3300,3300,3301\n")
    with pytest.raises(ValueError, match="bid_volume, ask_volume"):
        sim.replay(path, front=front)
    assert sim.market("rb2705", front).LastPrice == 3200


def test_waiting_for_deliveries_inside_a_handler_is_refused(make_trader, front):
    seen = []

    class Waiter(Trader):
        def OnRtnOrder(self, pOrder):
            try:
                sim.wait_delivered(FRONT)
            except ValueError as error:
                seen.append(error)

    trader = make_trader(Waiter, td_server=front)
    wait_until(lambda: trader.status == 0)
    assert trader.buy_open(b"SHFE", "rb2705", 3100.0, 1) == 0
    sim.wait_delivered(front, timeout=60)
    assert seen and "its callbacks" in str(seen[0])


def test_a_replay_waited_for_from_its_own_thread_refuses_and_goes_on(front):
    refused = []
    started = threading.Event()

    class Impatient(Collector):
        def put(self, item):
            super().put(item)
            started.wait(30)
            try:
                played.wait()
            except RuntimeError as error:
                refused.append(error)

    collected = Impatient()
    played = sim.replay(ticks(3), front=front, md_queue=collected)
    started.set()
    assert played.wait(timeout=60)
    assert len(refused) == 3 and len(collected.items) == 3


class Stderr(io.StringIO):
    def __init__(self, terminal):
        super().__init__()
        self.terminal = terminal

    def isatty(self):
        return self.terminal


class CountedWaits(threading.Condition):
    """A queue's all_tasks_done that counts the replay's waits on it."""

    waits = 0

    def wait(self, timeout=None):
        self.waits += 1
        return super().wait(timeout)


def left_unfinished_from_before(md_queue):
    md_queue.put("from an earlier run")
    md_queue.get()


@pytest.mark.parametrize("speed, maxsize, before, said", [
    (None, 0, None, r"held at tick 1 .*has 1 unfinished item.*md_queue\.task_done\(\)"),
    (None, 0, left_unfinished_from_before, r"holds 1 unfinished item\(s\) from before"),
    (1e9, 1, None, r"held at tick 2 .*is full, holding 1 item\(s\) nobody takes"),
])
def test_a_replay_held_by_its_md_queue_says_so_once(front, monkeypatch, speed, maxsize, before,
                                                    said):
    stderr = Stderr(terminal=False)
    monkeypatch.setattr(sys, "stderr", stderr)
    monkeypatch.setattr(sim._replay, "_HELD_SAY_AFTER", 0.1)
    md_queue = queue.Queue(maxsize)
    md_queue.all_tasks_done = CountedWaits(md_queue.mutex)
    md_queue.not_full = CountedWaits(md_queue.mutex)
    if before:
        before(md_queue)
    played = sim.replay(ticks(3), front=front, speed=speed, md_queue=md_queue)
    try:
        wait_until(lambda: re.search(said, stderr.getvalue()))
        assert repr(md_queue) in stderr.getvalue()
        # The replay goes on waiting, and says nothing more.
        waits = md_queue.all_tasks_done.waits + md_queue.not_full.waits
        wait_until(lambda: md_queue.all_tasks_done.waits + md_queue.not_full.waits > waits + 5)
    finally:
        played.stop()
    assert stderr.getvalue().count("Quorvan.sim.replay") == 1


@pytest.mark.parametrize("source, shown", [
    # The library plays a file's rows a chunk at a time, and the line follows each chunk.
    ("file", r"replay: 6 / 6 rows \(100%\), \d+:\d\d:\d\d left, at 2026-12-07 09:00:05"),
    (list, r"replay: 3 / 6 ticks \(50%\), \d+:\d\d:\d\d left, at 2026-12-07 09:00:02"),
    (iter, r"replay: 3 ticks, at 2026-12-07 09:00:02"),
])
def test_the_progress_line_shows_the_total_and_time_left_where_known(
        front, tmp_path, monkeypatch, source, shown):
    stderr = Stderr(terminal=True)
    monkeypatch.setattr(sys, "stderr", stderr)
    monkeypatch.setattr(sim._replay._Terminal, "_FIRST_AFTER", 0)
    monkeypatch.setattr(sim._replay._Terminal, "_EVERY", 0)
    rows = ticks(6)
    played = sim.replay(write_csv(tmp_path / "day.csv", rows) if source == "file"
                        else source(rows), front=front)
    assert played.wait(timeout=60)
    assert re.search(shown, stderr.getvalue())
    assert stderr.getvalue().endswith("replay: 6 ticks\x1b[K\n")


@pytest.mark.parametrize("queue_class", [queue.Queue, sim.ReplayQueue])
def test_a_strategy_that_waits_within_a_tick_for_its_fill_gets_it(make_trader, front,
                                                                  queue_class):
    """At speed None the objects' events are delivered on the thread playing the replay: a
    strategy thread that waits for its order's fill before it takes the next tick is answered
    meanwhile."""

    class Patient(Trader):
        def init_extra(self):
            self.filled = threading.Event()

        def OnRtnTrade(self, pTrade):
            self.filled.set()

    trader = make_trader(Patient, td_server=front)
    wait_until(lambda: trader.status == 0)
    md_queue = queue_class()
    fills = []

    def follow():
        while (tick := md_queue.get()) is not None:
            trader.filled.clear()
            assert trader.buy_open(b"SHFE", "rb2705", tick["AskPrice1"], 1) == 0
            fills.append(trader.filled.wait(60))
            md_queue.task_done()

    strategy = threading.Thread(target=follow)
    strategy.start()
    try:
        assert sim.replay(ticks(5), front=front, md_queue=md_queue).wait(timeout=120)
    finally:
        md_queue.put(None)
        strategy.join()
    assert fills == [True] * 5


def test_releasing_a_subscriber_while_a_replay_plays_its_ticks(make_trader, make_md, tmp_path):
    md_front = "tcp://127.0.0.1:41252"
    sim.configure(md_front, reset=True, limits=None)
    seen = threading.Event()

    class Subscriber(QuietMd):
        def OnRtnDepthMarketData(self, pDepthMarketData):
            seen.set()

    md = make_md(Subscriber, md_server=md_front)
    wait_until(lambda: md.status == 0)
    md.subscribe(["rb2705"])
    sim.wait_delivered(md_front, timeout=60)
    played = sim.replay(write_csv(tmp_path / "day.csv", ticks(3000)), front=md_front)
    assert seen.wait(60)
    md.Release()
    assert played.wait(timeout=120) and played.progress == 3000


def test_a_file_plays_as_its_rows_do_wherever_the_library_leaves_it_to_python(tmp_path):
    """The library reads a file's plain rows; the first it is unsure of (here a quoted row)
    and the rest are read here. Either way each tick is what its row says."""
    rows = ticks(40)
    for index, row in enumerate(rows):
        level = index % 3 != 0  # "0,0": a level the recording leaves empty
        row.update(bid2=row["bid"] - 1 if level else 0, bid_volume2=2 if level else 0)
    path = tmp_path / "mixed.csv"
    columns = FIELDS + ("bid2", "bid_volume2")
    with open(path, "w", newline="") as file:
        csv.DictWriter(file, columns).writeheader()
        csv.DictWriter(file, columns).writerows(rows[:25])
        csv.DictWriter(file, columns, quoting=csv.QUOTE_ALL).writerow(rows[25])
        csv.DictWriter(file, columns).writerows(rows[26:])
    played = {}
    for source, at in ((path, "127.0.0.1:41253"), (rows, "127.0.0.1:41254")):
        sim.configure(at, reset=True, limits=None)
        played[at] = Collector()
        assert sim.replay(source, front=at, md_queue=played[at]).wait(timeout=60)
    from_file, from_dicts = played.values()
    assert len(from_file.items) == 40 and from_file.items == from_dicts.items


def test_a_replay_queue_whose_taker_ends_early_ends_the_replay(make_trader, front):
    md_queue = sim.ReplayQueue()
    taker = threading.Thread(target=lambda: [md_queue.get() for _ in range(3)], name="taker")
    taker.start()
    played = sim.replay(ticks(10), front=front, md_queue=md_queue)
    taker.join()
    with pytest.raises(RuntimeError, match="taker, ended after taking 3 of them"):
        played.wait(timeout=60)


@pytest.mark.parametrize("md_queue_class", [None, sim.ReplayQueue])
def test_stop_from_a_handler_ends_the_replay_at_its_tick(make_trader, front, tmp_path,
                                                          md_queue_class):
    """A fill's handler stops the replay: no tick after the fill's moves the market, whether
    the library plays the file's rows or the strategy's thread plays them (ReplayQueue)."""
    traded, replays, ready = [], [], threading.Event()

    class Stopper(Trader):
        def OnRtnTrade(self, pTrade):
            traded.append(pTrade["TradeTime"])
            ready.wait(60)
            replays[0].stop()

    trader = make_trader(Stopper, td_server=front)
    wait_until(lambda: trader.status == 0)
    # Rests under the ask; the zigzag's last price comes down to it at its 14th tick.
    assert trader.buy_open(b"SHFE", "rb2705", 3200.0, 1) == 0
    sim.wait_delivered(front, timeout=60)
    md_queue = md_queue_class() if md_queue_class else None
    replays.append(sim.replay(write_csv(tmp_path / "day.csv", ticks(3000), extra_column=False),
                              front=front, md_queue=md_queue))
    ready.set()
    if md_queue is not None:
        taker = threading.Thread(target=lambda: list(iter(md_queue.get, None)))
        taker.start()
    try:
        assert replays[0].wait(timeout=60)
    finally:
        if md_queue is not None:
            md_queue.put(None)
            taker.join()
    assert traded and sim.market("rb2705", front).UpdateTime == traded[0]


def test_a_file_renamed_once_its_replay_began_plays_as_it_was(front, tmp_path):
    path = write_csv(tmp_path / "day.csv", ticks(5))
    md_queue = sim.ReplayQueue()
    played = sim.replay(path, front=front, md_queue=md_queue)
    # Its ticks are read from the file only once the strategy takes the first.
    path.rename(tmp_path / "kept.csv")
    write_csv(path, ticks(5, start=3100))
    lasts = []
    taker = threading.Thread(
        target=lambda: lasts.extend(tick["LastPrice"] for tick in iter(md_queue.get, None)))
    taker.start()
    try:
        assert played.wait(timeout=60)
    finally:
        md_queue.put(None)
        taker.join()
    assert lasts == [row["last"] for row in ticks(5)]


def test_waiting_for_deliveries_in_a_handler_during_a_replay_is_refused(make_trader, front):
    """The replay's thread delivers the objects' events: a wait there, inside a handler,
    would run other handlers within it."""
    seen = []

    class Waiter(Trader):
        def OnRtnTrade(self, pTrade):
            try:
                sim.wait_delivered(None)
            except ValueError as error:
                seen.append(error)

    trader = make_trader(Waiter, td_server=front)
    wait_until(lambda: trader.status == 0)
    assert trader.buy_open(b"SHFE", "rb2705", 3200.0, 1) == 0
    sim.wait_delivered(front, timeout=60)
    try:
        # Every front's objects are lent to the replay's thread, the trader's among them.
        assert sim.replay(ticks(20), front=None).wait(timeout=60)
    finally:
        sim.configure(None, reset=True)  # the markets brokers start from, moved too
    assert seen and "inside a callback" in str(seen[0])


def test_a_tick_of_a_year_before_1000_plays(front):
    row = dict(ticks(1)[0], time=datetime.datetime(999, 12, 7, 9, 0, 0))
    assert sim.replay([row], front=front).wait(timeout=60)
