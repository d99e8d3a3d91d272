"""Backtests: a strategy class, the very one that trades live, run over recorded ticks
through the simulated broker, and what it did read back from the broker.

    import Quorvan.backtest as backtest
    result = backtest.run(Crossover, "ticks/*.csv", params={"FAST": 10})
    print(result.stats)
    result.report("crossover.html")
    table = backtest.sweep(Crossover, "ticks/*.csv", {"FAST": [10, 20], "SLOW": [60, 120]})
    table.to_csv("sweep.csv")

See docs/backtesting.md, and `python -m Quorvan.backtest --help` for the command line."""

from ._result import EquityPoint, Result
from ._runner import run
from ._sweep import SweepResult, SweepRow, sweep

__all__ = ["run", "Result", "EquityPoint", "sweep", "SweepResult", "SweepRow"]

# The public names are this package's own wherever they are written: help(), reprs and pickles
# name them Quorvan.backtest.x, the one place a user imports them from.
for _public in __all__:
    globals()[_public].__module__ = __name__
del _public
