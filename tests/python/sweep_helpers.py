"""Stand-ins for the backtest runner, run in the sweep's worker processes: importable there
because the workers start with the test run's sys.path."""
import os
import signal
import threading

from Quorvan.CTP.TraderApiBase import TraderApiBase


class Strategy(TraderApiBase):
    FAST = 10
    SLOW = 60


UNLUCKY, CRASHING = 13, 666


def fake_run(strategy, data, params, options):
    """Stats that depend on everything a run is given, and on nothing else."""
    if params.get("FAST") == UNLUCKY:
        raise ValueError("no trades at 13")
    if params.get("FAST") == CRASHING:
        # Dies of the signal itself, not of a handler's report (a sanitizer's, faulthandler's).
        signal.signal(signal.SIGSEGV, signal.SIG_DFL)
        os.kill(os.getpid(), signal.SIGSEGV)
    slow = params.get("SLOW", strategy.SLOW)
    return {"net": params["FAST"] * 1000 + slow, "strategy": strategy.__name__,
            "read": repr(data), "options": repr(sorted(options.items()))}


def blocking_run(strategy, data, params, options):
    """Tells the test its process id, then runs until stopped."""
    folder = os.environ["SWEEP_PID_FOLDER"]
    with open(os.path.join(folder, f"{os.getpid()}.tmp"), "w") as out:
        out.write(str(os.getpid()))
    os.rename(os.path.join(folder, f"{os.getpid()}.tmp"), os.path.join(folder, str(os.getpid())))
    threading.Event().wait()
