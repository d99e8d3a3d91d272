"""Market-data objects released while ticks pour in, from any thread or from their own
handler, and at interpreter exit beside traders: nothing may crash, hang, or reach a handler
once Release has returned; a handler's exit request ends the program through the main
thread whichever module's object made it."""
import random
import subprocess
import sys
import textwrap
import threading

import pytest

import Quorvan.sim as sim
from Quorvan.CTP.ApiStruct import DepthMarketDataField
from conftest import Md, wait_until


class Counting(Md):
    def init_extra(self):
        self.delivered = 0
        self.release_began = False
        self.late = 0
        self.release_at = None

    def OnFrontConnected(self):
        pass

    def OnRtnDepthMarketData(self, pDepthMarketData):
        self.delivered += 1
        if self.release_began:
            self.late += 1
        if self.delivered == self.release_at:
            self.Release()


def flood(md, errors):
    try:
        sim.emit(md, "OnRtnDepthMarketData", DepthMarketDataField(InstrumentID=b"rb2705"),
                 count=10 ** 6)
    except Exception as error:  # the release cuts the flood short
        errors.append(error)


def release_and_count(md):
    md.Release()
    md.release_began = True


@pytest.mark.parametrize("round_", range(10))
def test_release_during_a_tick_flood(make_md, no_involuntary_switches, round_):
    md = make_md(Counting)
    errors = []
    emitter = threading.Thread(target=flood, args=(md, errors))
    emitter.start()
    stop_after = random.randrange(1, 500)
    wait_until(lambda: md.delivered >= stop_after or not emitter.is_alive())
    # Without switches the handlers wait for this thread until Release begins.
    md.release_began = True
    md.Release()
    emitter.join(60)
    assert not emitter.is_alive()
    assert md.late == 0 and errors


@pytest.mark.parametrize("round_", range(10))
def test_release_on_another_thread_during_a_tick_flood(make_md, round_):
    md = make_md(Counting)
    errors = []
    emitter = threading.Thread(target=flood, args=(md, errors))
    emitter.start()
    wait_until(lambda: md.delivered >= random.randrange(1, 500) or not emitter.is_alive())
    # Ticks go on until the other thread's Release begins; none may come after it returned.
    releaser = threading.Thread(target=release_and_count, args=(md,))
    releaser.start()
    releaser.join(60)
    emitter.join(60)
    assert not releaser.is_alive() and not emitter.is_alive()
    assert md.late == 0 and errors


@pytest.mark.parametrize("round_", range(10))
def test_release_from_a_handler_during_a_tick_flood(make_md, round_):
    md = make_md(Counting)
    md.release_at = random.randrange(1, 500)
    errors = []
    emitter = threading.Thread(target=flood, args=(md, errors))
    emitter.start()
    emitter.join(60)
    assert not emitter.is_alive()
    assert md.delivered == md.release_at and errors


EXIT_SCRIPT = """
    import sys, threading
    import Quorvan.sim as sim
    from Quorvan.CTP.ApiStruct import DepthMarketDataField, OrderField
    from Quorvan.CTP.MdApiBase import MdApiBase
    from Quorvan.CTP.TraderApiBase import TraderApiBase

    class Md(MdApiBase):
        def OnFrontConnected(self):
            pass
        def OnRtnDepthMarketData(self, tick):
            {handler}

    class Trader(TraderApiBase):
        def OnFrontConnected(self):
            pass

    md = Md("9999", "h:1", "U1", flow_path=sys.argv[1])
    trader = Trader("9999", "h:1", "U1", "p", "a", "c", flow_path=sys.argv[1])

    def flood(api, event, record):
        try:
            sim.emit(api, event, record, count=10 ** 8)
        except Exception:
            pass

    threading.Thread(target=flood, args=(md, "OnRtnDepthMarketData", DepthMarketDataField()),
                     daemon=True).start()
    threading.Thread(target=flood, args=(trader, "OnRtnOrder", OrderField()),
                     daemon=True).start()
    {ending}
    print("the end")
"""


# Exit releases every object of both modules while their events flow; an exit request from
# an md handler breaks into a main thread waiting on the trader, and the other way round.
@pytest.mark.parametrize("handler, ending, status, printed", [
    ("pass", "threading.Event().wait(0.2)", 0, True),
    ("sys.exit(5)", "md.Join()", 5, False),
    ("sys.exit(6)", "trader.Join()", 6, False),
    ("sys.exit(7)", "threading.Event().wait()", 7, False),
])
def test_exit_with_both_modules_live(tmp_path, handler, ending, status, printed):
    script = (textwrap.dedent(EXIT_SCRIPT).replace("{handler}", handler)
              .replace("{ending}", ending))
    done = subprocess.run([sys.executable, "-c", script, str(tmp_path)], capture_output=True,
                          text=True, timeout=120)
    assert done.returncode == status, done.stderr
    assert ("the end" in done.stdout) == printed
    assert "Fatal Python error" not in done.stderr
