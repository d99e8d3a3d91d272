"""Backtests per second of a sweep on one worker and on two.

Eight combinations of the moving-average example (examples/backtest_crossover.py) over the
bundled half hour of rebar, each run in a process of its own. With runs this independent, two
workers should finish at least 1.8 times the rate of one on a machine with two free cores;
the machine's other load shows as a lower figure, so the two engines of a round take turns.
"""
import sys
import time
from pathlib import Path

from Quorvan.backtest import sweep

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "examples"))
from backtest_crossover import DATA_FILE, Crossover  # noqa: E402

GRID = {"FAST": [5, 10, 15, 20], "SLOW": [60, 120]}
TARGET = 1.8
ROUNDS = 2


def rate(workers):
    started = time.perf_counter()
    result = sweep(Crossover, DATA_FILE, GRID, workers=workers, progress=False)
    seconds = time.perf_counter() - started
    assert not result.failed, result.failed[0].error
    return len(result) / seconds


def main():
    best = {1: 0.0, 2: 0.0}
    for _ in range(ROUNDS):
        for workers in best:
            best[workers] = max(best[workers], rate(workers))
    speedup = best[2] / best[1]
    print(f"8 runs, 1 worker:  {best[1]:.2f} runs/s")
    print(f"8 runs, 2 workers: {best[2]:.2f} runs/s")
    print(f"speed-up {speedup:.2f}x (target at least {TARGET}x on two free cores)")


if __name__ == "__main__":
    main()
