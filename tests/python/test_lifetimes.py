"""Events, requests and releases on several threads at once: nothing may crash, hang, or reach
a handler once Release has returned."""
import importlib
import os
import queue
import random
import signal
import subprocess
import sys
import textwrap
import threading

import pytest

import Quorvan.sim as sim
from Quorvan.CTP.ApiStruct import OrderField, QryOrderField
from conftest import IDENTITY, MD_IDENTITY, Idle, wait_until


class Counting(Idle):
    def init_extra(self):
        self.delivered = 0
        self.release_began = False
        self.late = 0

    def OnRtnOrder(self, pOrder):
        self.delivered += 1
        if self.release_began:
            self.late += 1


def flood(trader, count, errors):
    try:
        sim.emit(trader, "OnRtnOrder", OrderField(OrderRef=b"1"), count=count)
    except Exception as error:  # the release cuts the flood short
        errors.append(error)


@pytest.mark.parametrize("round_", range(30))
def test_release_during_an_event_flood(make_trader, no_involuntary_switches, round_):
    trader = make_trader(Counting)
    errors = []
    emitter = threading.Thread(target=flood, args=(trader, 10 ** 6, errors))
    emitter.start()
    stop_after = random.randrange(1, 500)
    wait_until(lambda: trader.delivered >= stop_after or not emitter.is_alive())
    trader.release_began = True
    trader.Release()
    emitter.join(60)
    assert not emitter.is_alive()
    assert trader.late == 0


class ReleasingInTheFlood(Counting):
    def OnRtnOrder(self, pOrder):
        super().OnRtnOrder(pOrder)
        if self.delivered == self.release_at:
            self.Release()


@pytest.mark.parametrize("round_", range(10))
def test_release_from_a_handler_during_an_event_flood(make_trader, round_):
    trader = make_trader(ReleasingInTheFlood)
    trader.release_at = random.randrange(1, 500)
    errors = []
    emitter = threading.Thread(target=flood, args=(trader, 10 ** 6, errors))
    emitter.start()
    emitter.join(60)
    assert not emitter.is_alive()
    assert trader.delivered == trader.release_at and errors


def test_release_from_inside_a_handler(make_trader):
    class ReleasingInHandler(Counting):
        def OnRtnOrder(self, pOrder):
            super().OnRtnOrder(pOrder)
            self.Release()

    trader = make_trader(ReleasingInHandler)
    with pytest.raises(Exception):
        sim.emit(trader, "OnRtnOrder", OrderField(), count=5)
    assert trader.delivered == 1
    assert trader.GetTradingDay() == b""
    assert sim.calls(trader)[-1] == ("Release",)


class Blocking(Idle):
    """Its OnRtnOrder holds the vendor's thread until the test lets it go."""

    def init_extra(self):
        self.entered = threading.Event()
        self.let_go = threading.Event()

    def OnRtnOrder(self, pOrder):
        self.entered.set()
        self.let_go.wait(60)


def release_while_a_handler_blocks(trader, finished):
    """Starts an event whose handler blocks, then a Release on another thread, which waits
    for the handler; returns the threads once that Release is under way."""
    emitter = threading.Thread(target=flood, args=(trader, 1, []))
    emitter.start()
    assert trader.entered.wait(60)
    first = threading.Thread(target=lambda: (trader.Release(), finished.append("first")))
    first.start()
    wait_until(lambda: sim.calls(trader)[-1] == ("RegisterSpi", False))
    return emitter, first


def test_a_second_release_waits_for_the_first(make_trader, no_involuntary_switches):
    trader = make_trader(Blocking)
    finished = []
    emitter, first = release_while_a_handler_blocks(trader, finished)

    def release_again():
        # Keeps the interpreter lock from here until Release waits: a Release that returned
        # at once would record itself before the handler could end.
        trader.let_go.set()
        trader.Release()
        finished.append("second")

    second = threading.Thread(target=release_again)
    second.start()
    for thread in (second, first, emitter):
        thread.join(60)
        assert not thread.is_alive()
    assert finished == ["first", "second"]


def test_release_from_a_handler_while_another_thread_releases(make_trader):
    class ReleasingWhenLetGo(Blocking):
        def OnRtnOrder(self, pOrder):
            super().OnRtnOrder(pOrder)
            # The Release under way waits for this handler: waiting for it in turn would
            # never end.
            self.Release()
            self.released_inside = True

    trader = make_trader(ReleasingWhenLetGo)
    finished = []
    emitter, first = release_while_a_handler_blocks(trader, finished)
    trader.let_go.set()
    for thread in (first, emitter):
        thread.join(60)
        assert not thread.is_alive()
    assert trader.released_inside and finished == ["first"]


@pytest.mark.parametrize("round_", range(10))
def test_requests_on_several_threads_while_another_releases(make_trader, unlimited_front,
                                                           round_):
    trader = make_trader(td_server=unlimited_front)
    record = QryOrderField(BrokerID=b"9999")
    results = {}

    def send(index):
        seen = results.setdefault(index, [])
        while not seen or seen[-1] != -1:
            seen.append(trader.ReqQryOrder(record, index))
            trader.GetTradingDay()

    threads = [threading.Thread(target=send, args=(index,)) for index in range(4)]
    for thread in threads:
        thread.start()
    wait_until(lambda: sum(len(seen) for seen in results.values()) > random.randrange(1, 200))
    trader.Release()
    for thread in threads:
        thread.join(60)
        assert not thread.is_alive()
    for seen in results.values():
        # Once a request found the object gone, none went to the vendor again.
        assert seen[-1] == -1 and -1 not in seen[:seen.index(-1)] and set(seen) <= {0, -1}
        assert seen.index(-1) == len(seen) - 1


def emit_once(directory, event, record):
    try:
        sim.emit(directory, event, record)
    except Exception:  # the release cut it short
        pass


@pytest.mark.parametrize("module_name, identity, con, event, record_name", [
    ("TraderApiBase", IDENTITY, "td.con", "OnRtnOrder", "OrderField"),
    ("MdApiBase", MD_IDENTITY, "md.con", "OnRtnDepthMarketData", "DepthMarketDataField"),
])
def test_no_handler_runs_once_the_program_dropped_its_object(
        tmp_path, monkeypatch, no_involuntary_switches, module_name, identity, con, event,
        record_name):
    """The program drops its only reference to an object while an event's record is being
    converted (by a record class whose to_dict waits for the drop): the object is released
    there and then, and the handler never runs."""
    module = importlib.import_module(f"Quorvan.CTP.{module_name}")
    record_class = getattr(module, record_name)
    converting, let_go = threading.Event(), threading.Event()
    dropped, ran_after_drop = [], []

    class Waiting(record_class):
        def to_dict(self):
            converting.set()
            let_go.wait(60)
            return super().to_dict()

    def handler(self, record):
        if dropped:
            ran_after_drop.append(record)

    cls = type("Dropping", (getattr(module, module_name),),
               {event: handler, "OnFrontConnected": lambda self: None})
    api = cls(**identity, flow_path=str(tmp_path))
    monkeypatch.setattr(module, record_name, Waiting)
    emitter = threading.Thread(target=emit_once,
                               args=(api.flow_path + con + os.sep, event, record_class()))
    emitter.start()
    assert converting.wait(60)
    let_go.set()
    # Without involuntary switches this thread keeps the lock through both statements.
    del api
    dropped.append(True)
    emitter.join(60)
    assert not emitter.is_alive()
    assert ran_after_drop == []


TEARDOWN_SCRIPT = """
    import os, sys
    import Quorvan.sim as sim
    from Quorvan.CTP.ApiStruct import OrderField
    from Quorvan.CTP.TraderApiBase import TraderApiBase

    class Trader(TraderApiBase):
        def OnFrontConnected(self):
            pass
        def OnRtnOrder(self, pOrder):
            print("handler ran", flush=True)

    class EmitsWhenCollected:
        def __init__(self, directory):
            self.directory = directory
        def __del__(self):
            sim.emit(self.directory, "OnRtnOrder", OrderField())
            print("emitted", flush=True)

    trader = Trader("9999", "h:1", "U1", "p", "a", "c", flow_path=sys.argv[1])
    trader.guard = EmitsWhenCollected(trader.flow_path + "td.con" + os.sep)
    del trader
    print("dropped", flush=True)
"""


def test_an_event_raised_while_the_attributes_go_reaches_no_handler(tmp_path):
    # A trader's attributes go first in its teardown, and one of them raises an event then.
    done = subprocess.run([sys.executable, "-c", textwrap.dedent(TEARDOWN_SCRIPT),
                           str(tmp_path)], capture_output=True, text=True, timeout=120)
    assert (done.returncode, done.stdout) == (0, "emitted\ndropped\n"), done.stderr


EXIT_SCRIPT = """
    import sys, threading
    import Quorvan.sim as sim
    from Quorvan.CTP.ApiStruct import OrderField
    from Quorvan.CTP.TraderApiBase import TraderApiBase

    class Busy(TraderApiBase):
        def OnFrontConnected(self):
            pass
        def OnRtnOrder(self, pOrder):
            self.seen = getattr(self, "seen", 0) + 1
            if self.seen == 50:
                started.set()

    def flood(trader):
        try:
            sim.emit(trader, "OnRtnOrder", OrderField(), count=10 ** 8)
        except Exception:
            pass

    started = threading.Event()
    traders = [Busy("9999", "h:1", "U%d" % i, "p", "a", "c", flow_path=sys.argv[1])
               for i in range(3)]
    for trader in traders:
        threading.Thread(target=flood, args=(trader,), daemon=True).start()
    started.wait(60)
    {ending}
"""


@pytest.mark.parametrize("ending, status", [
    ("pass", 0),
    ("sys.exit(7)", 7),
    ("raise KeyError('uncaught')", 1),
    # Exit's own release then meets one under way, which it waits for.
    ("threading.Thread(target=traders[0].Release, daemon=True).start()", 0),
])
def test_exit_with_live_traders_and_events_flowing(tmp_path, ending, status):
    script = textwrap.dedent(EXIT_SCRIPT).replace("{ending}", ending)
    done = subprocess.run([sys.executable, "-c", script, str(tmp_path)], capture_output=True,
                          text=True, timeout=120)
    assert done.returncode == status, done.stderr
    assert "Fatal Python error" not in done.stderr
    assert "Segmentation fault" not in done.stderr


CYCLE_AT_EXIT = """
    import sys, time
    import Quorvan.sim as sim
    from Quorvan.CTP.TraderApiBase import TraderApiBase

    class Trader(TraderApiBase):
        def write_log(self, *args, sep=" "):
            pass

    sim.configure("cycle:1", limits=None, reset=True)
    trader = Trader("9999", "cycle:1", "U1", "p", "a", "c", flow_path=sys.argv[1])
    while trader.status != 0:
        time.sleep(0.01)
    trader.me = trader
"""


def test_a_logged_in_trader_in_a_cycle_at_exit(tmp_path):
    # Only the interpreter's last collection frees it, once its class is half torn down.
    done = subprocess.run([sys.executable, "-c", textwrap.dedent(CYCLE_AT_EXIT), str(tmp_path)],
                          capture_output=True, text=True, timeout=120)
    assert done.returncode == 0, done.stderr
    assert "Exception ignored" not in done.stderr


EXIT_FROM_HANDLER = """
    import sys, threading, time
    import Quorvan.sim as sim
    from Quorvan.CTP.ApiStruct import OrderField
    from Quorvan.CTP.TraderApiBase import TraderApiBase

    class Quitting(TraderApiBase):
        def OnFrontConnected(self):
            pass
        def OnRtnOrder(self, pOrder):
            sys.exit(4)

    {before}
    trader = Quitting("9999", "h:1", "U1", "p", "a", "c", flow_path=sys.argv[1])
    threading.Thread(target=sim.emit, args=(trader, "OnRtnOrder", OrderField()),
                     daemon=True).start()
    {wait}
    print("after the exit request")
"""

DROPPED_DURING_THE_EXITING_HANDLER = """
    import os, sys, threading
    import Quorvan.sim as sim
    from Quorvan.CTP.ApiStruct import OrderField
    from Quorvan.CTP.TraderApiBase import TraderApiBase

    entered, let_go = threading.Event(), threading.Event()

    class Quitting(TraderApiBase):
        def OnFrontConnected(self):
            pass
        def OnRtnOrder(self, pOrder):
            entered.set()
            let_go.wait(60)
            sys.exit(4)

    trader = Quitting("9999", "h:1", "U1", "p", "a", "c", flow_path=sys.argv[1])
    threading.Thread(target=sim.emit, args=(trader.flow_path + "td.con" + os.sep, "OnRtnOrder",
                                            OrderField()), daemon=True).start()
    entered.wait(60)
    del trader  # the handler's own frame holds the last reference now
    let_go.set()
    threading.Event().wait()
    print("after the exit request")
"""


def test_a_handler_exits_after_the_program_dropped_its_trader(tmp_path):
    done = subprocess.run([sys.executable, "-c", textwrap.dedent(
        DROPPED_DURING_THE_EXITING_HANDLER), str(tmp_path)], capture_output=True, text=True,
                          timeout=120)
    assert (done.returncode, done.stdout) == (4, ""), done.stderr
    assert "Fatal Python error" not in done.stderr


# The program's own handler of the signal the extension would take is left in place.
OWN_SIGNAL_HANDLER = ("import signal; mine = lambda number, frame: None; "
                      "signal.signal(signal.SIGRTMAX, mine)")


# Each wait outlasts the test's patience many times over (input() reads a pipe that stays
# open), so the exit has to break into it; the release that ends Join goes with it.
@pytest.mark.parametrize("before, wait", [
    ("", "trader.Join()"),
    ("", "threading.Event().wait()"),
    ("", "time.sleep(3600)"),
    ("", "input()"),
    (OWN_SIGNAL_HANDLER, "assert signal.getsignal(signal.SIGRTMAX) is mine; time.sleep(3600)"),
])
def test_a_handler_exits_the_program_through_the_main_thread(tmp_path, before, wait):
    script = (textwrap.dedent(EXIT_FROM_HANDLER).replace("{before}", before)
              .replace("{wait}", wait))
    with subprocess.Popen([sys.executable, "-c", script, str(tmp_path)], stdin=subprocess.PIPE,
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True) as program:
        try:
            status = program.wait(60)
        finally:
            program.kill()
            out, err = program.communicate()
    assert status == 4, err
    assert "after the exit request" not in out
    assert "Fatal Python error" not in err


def keep_calling(call, until):
    """Calls `call` until it returns `until`, as a program does until Release cuts it off."""
    def loop():
        while call() != until:
            pass
    return loop


def test_calls_racing_with_release(make_trader):
    # The simulated library frees a released API object, so under the sanitizers a call that
    # reached it after (or while) another thread released it shows as a use after free.
    record = QryOrderField()
    joined = []
    for _ in range(300):
        trader = make_trader(Idle)
        joining = threading.Event()

        def join():
            joining.set()
            joined.append(trader.Join())

        def release():
            joining.wait(30)
            trader.Release()

        workers = [join, join, release, release,
                   keep_calling(lambda: trader.ReqQryOrder(record, 1), -1),
                   keep_calling(trader.GetTradingDay, b"")]
        start = threading.Barrier(len(workers))
        threads = [threading.Thread(target=lambda work=work: (start.wait(), work()))
                   for work in workers]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join(60)
        assert not any(thread.is_alive() for thread in threads)
    # Most Joins wait through a Release; some find the trader released already.
    assert 0 in joined and set(joined) <= {0, -1}


JOIN_SCRIPT = """
    import signal, sys, threading, time
    from Quorvan.CTP.MdApiBase import MdApiBase
    from Quorvan.CTP.TraderApiBase import TraderApiBase

    class Trader(TraderApiBase):
        def OnFrontConnected(self):
            pass

    class Md(MdApiBase):
        def OnFrontConnected(self):
            pass

    class Stop(Exception):
        pass

    handled = []

    def on_term(number, frame):
        handled.append(number)
        print("handled", len(handled), flush=True)
        if len(handled) == 2:
            raise Stop

    def join_here():
        api.Join()

    def announce():
        # Once the main thread is at the Join call, so that the signal finds it waiting there.
        while sys._current_frames()[threading.main_thread().ident].f_code.co_name != "join_here":
            time.sleep(0.001)
        print("joining", flush=True)

    # A suite started in the background by a shell inherits SIGINT ignored; what is tested
    # is Python's own handler.
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, on_term)
    if sys.argv[2] == "md":
        api = Md("9999", "h:1", "U1", flow_path=sys.argv[1])
    else:
        api = Trader("9999", "h:1", "U1", "p", "a", "c", flow_path=sys.argv[1])
    threading.Thread(target=announce, daemon=True).start()
    try:
        join_here()
    except (KeyboardInterrupt, Stop) as error:
        print("interrupted by", type(error).__name__, flush=True)
    finally:
        print("finally", flush=True)
"""


# Join waits without the interpreter lock, yet the main thread's signal handlers run while it
# waits: one that returns lets the wait go on, one that raises (a Ctrl-C's KeyboardInterrupt)
# ends it with its exception.
@pytest.mark.parametrize("kind, signals, raised", [
    ("trader", [signal.SIGINT], "KeyboardInterrupt"),
    ("md", [signal.SIGINT], "KeyboardInterrupt"),
    ("trader", [signal.SIGTERM, signal.SIGTERM], "Stop"),
])
def test_a_signal_reaches_the_main_thread_waiting_in_join(tmp_path, kind, signals, raised):
    script = textwrap.dedent(JOIN_SCRIPT)
    with subprocess.Popen([sys.executable, "-c", script, str(tmp_path), kind],
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True) as program:
        lines = queue.Queue()
        reader = threading.Thread(target=lambda: [lines.put(line.strip())
                                                  for line in program.stdout])
        reader.start()
        try:
            assert lines.get(timeout=60) == "joining"
            for count, number in enumerate(signals, 1):
                program.send_signal(number)
                if count < len(signals):
                    assert lines.get(timeout=60) == f"handled {count}"
            status = program.wait(60)
        finally:
            program.kill()
            reader.join(60)
        err = program.stderr.read()
    assert status == 0, err
    assert list(lines.queue)[-2:] == [f"interrupted by {raised}", "finally"], err
