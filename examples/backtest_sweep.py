"""A sweep of the moving-average example over its two averages' lengths.

Crossover (examples/backtest_crossover.py) is backtested once for every pair of FAST and
SLOW below over the bundled half hour of rebar, each run in a process of its own, and the
runs are printed best first and written to a CSV file.

After `make`, with the repository root on PYTHONPATH:
    python3 examples/backtest_sweep.py [out.csv] [--ray [ADDRESS]]

--ray runs the same sweep on a Ray cluster (pip install 'Quorvan[ray]'): the one at ADDRESS,
else a local one started for the sweep. The table is the same on both engines.

The workers import Crossover from backtest_crossover.py themselves, and each starts by
importing this script as a module (not as __main__): the sweep must be started under
`if __name__ == "__main__":`, as below.
"""
import sys

from backtest_crossover import DATA_FILE, Crossover
from Quorvan.backtest import sweep

GRID = {"FAST": [5, 10, 20], "SLOW": [60, 120]}


def main() -> None:
    arguments = sys.argv[1:]
    engine, address = "process", None
    if "--ray" in arguments:
        at = arguments.index("--ray")
        engine = "ray"
        if at + 1 < len(arguments) and not arguments[at + 1].endswith(".csv"):
            address = arguments.pop(at + 1)
        arguments.pop(at)
    out = arguments[0] if arguments else "sweep.csv"

    result = sweep(Crossover, DATA_FILE, GRID, engine=engine, address=address)
    result.to_csv(out)

    print(" FAST  SLOW  trades  net profit  max drawdown")
    ranked = sorted(result, key=lambda row: -row.stats["net_profit"] if row.stats else 0)
    for row in ranked:
        stats = row.stats
        if stats is None:   # the run failed: its error says why
            print(f"{row.params['FAST']:5} {row.params['SLOW']:5}  failed: "
                  f"{str(row.error).splitlines()[0]}")
            continue
        print(f"{row.params['FAST']:5} {row.params['SLOW']:5}  {stats['trades']:6}"
              f"  {stats['net_profit']:10,.2f}  {stats['max_drawdown']:12,.2f}")
    print(f"\n{len(result)} runs, {len(result.failed)} failed: {out}")


if __name__ == "__main__":
    main()
