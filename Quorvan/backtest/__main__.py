"""The backtest command line: python -m Quorvan.backtest run|sweep ..."""
import argparse
import ast
import inspect
import json
import math
import os
import sys

from ._modules import module_from_file

_DESCRIPTION = """\
Backtest a strategy class over recorded ticks through the simulated broker: the same class
that trades live, run by Quorvan.backtest.run.

  python -m Quorvan.backtest run my_strategy.py:Crossover --data 'ticks/*.csv' \\
      --set FAST=10 --set SLOW=60 --report crossover.html

  python -m Quorvan.backtest sweep my_strategy.py:Crossover --data 'ticks/*.csv' \\
      --set FAST=10,20,30 --set SLOW=60,120 --out results.csv

Each command's --help tells its options."""

_STRATEGY_HELP = """the strategy, FILE.py:Class: a TraderApiBase subclass defined in FILE.py
(the file's folder is put on sys.path, so it imports its siblings)"""
_DATA_HELP = """tick files: CSV or Parquet (.parquet, needs pyarrow), or a quoted glob
('ticks/*.csv'); give several after one --data or repeat it. Each file needs the columns
time, instrument_id, last, bid, ask, bid_volume and ask_volume"""
_MD_HELP = """a market-data class, FILE.py:Class or Class in the strategy's file: an
MdApiBase subclass made beside the strategy and subscribed to the data's instruments"""
_LOOP_HELP = """the strategy's method that reads its md_queue, run on a thread of its own
and ended by a None after the last tick (default: run, when the strategy has one)"""


def _value(text):
    """A --set value as Python reads it (10, 2.5, True, 'text'), else the text itself."""
    try:
        return ast.literal_eval(text)
    except (ValueError, SyntaxError):
        return text


def _assignment(text):
    name, equals, value = text.partition("=")
    if not equals or not name.strip().isidentifier():
        raise argparse.ArgumentTypeError(f"{text!r} is not NAME=VALUE")
    return name.strip(), value


_loaded = {}


def _load_module(path):
    """The module of a strategy file, run once however many classes are taken from it."""
    key = os.path.realpath(path)
    if key in _loaded:
        return _loaded[key]
    if not os.path.isfile(path):
        raise SystemExit(f"backtest: no file {path}")
    folder = os.path.dirname(os.path.abspath(path))
    if folder not in sys.path:
        sys.path.insert(0, folder)
    name = os.path.splitext(os.path.basename(path))[0]
    module = module_from_file(name, path)
    _loaded[key] = module
    return module


def _load_class(reference, default_file=None):
    path, colon, name = reference.rpartition(":")
    if not colon:
        path, name = default_file, reference
    if not path or not name:
        raise SystemExit(f"backtest: {reference!r} is not FILE.py:Class")
    found = _load_module(path)
    for part in name.split("."):
        found = getattr(found, part, None)
        if found is None:
            raise SystemExit(f"backtest: {path} defines no {name}")
    return found, path


def _common(parser):
    parser.add_argument("strategy", metavar="FILE.py:Class", help=_STRATEGY_HELP)
    parser.add_argument("--data", nargs="+", action="extend", required=True, metavar="FILE",
                        help=_DATA_HELP)
    parser.add_argument("--md", metavar="FILE.py:Class", help=_MD_HELP)
    parser.add_argument("--loop", default="run", metavar="METHOD", help=_LOOP_HELP)
    parser.add_argument("--balance", type=float, default=1_000_000.0, metavar="YUAN",
                        help="the account's starting balance (default: 1,000,000)")


def _parser():
    parser = argparse.ArgumentParser(prog="python -m Quorvan.backtest", description=_DESCRIPTION,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    commands = parser.add_subparsers(dest="command", metavar="{run,sweep}", required=True)
    run = commands.add_parser(
        "run", help="backtest once and print the statistics",
        description="Backtest the strategy once over the data and print its statistics; "
                    "optionally write an HTML report, a PNG of the equity curve, and the "
                    "trades as CSV.")
    _common(run)
    run.add_argument("--set", action="append", type=_assignment, default=[],
                     metavar="NAME=VALUE", help="set the strategy's class attribute NAME "
                     "for the run (VALUE read as a Python literal, else as text); repeatable")
    run.add_argument("--report", metavar="OUT.html", help="write the HTML report here")
    run.add_argument("--plot", metavar="OUT.png",
                     help="write a PNG of the equity curve and drawdown here (needs matplotlib)")
    run.add_argument("--trades", metavar="OUT.csv", help="write the broker's trades here as CSV")
    run.add_argument("--json", action="store_true", help="print the statistics as JSON")
    sweep = commands.add_parser(
        "sweep", help="backtest every combination of parameter values",
        description="Backtest the strategy once for every combination of the values given "
                    "with --set, in parallel, and write one row of statistics per run.")
    _common(sweep)
    sweep.add_argument("--set", action="append", type=_assignment, default=[],
                       metavar="NAME=V1,V2,...", help="the values to try for the class "
                       "attribute NAME, separated by commas; repeatable, one per parameter")
    sweep.add_argument("--engine", choices=("process", "ray"), default="process",
                       help="process: a pool of processes on this machine (default); "
                            "ray: a Ray cluster (needs ray)")
    sweep.add_argument("--workers", type=int, metavar="N",
                       help="runs at a time (default: the machine's cores)")
    sweep.add_argument("--address", metavar="HOST:PORT",
                       help="the Ray cluster to use (default: a local one)")
    sweep.add_argument("--out", metavar="OUT.csv", required=True,
                       help="write one row per run here: the parameters and the statistics")
    return parser


def _stats_text(stats):
    from ._report import STAT_ROWS, stat_text
    width = max(len(label) for _, label, _ in STAT_ROWS)
    return "\n".join(f"{label:<{width}}  {stat_text(stats[key], form):>16}"
                     for key, label, form in STAT_ROWS)


def _plain(value):
    """A statistic as JSON takes it: no NaN or infinity, which JSON has no words for."""
    return value if not isinstance(value, float) or math.isfinite(value) else None


def _write_trades(result, path):
    import csv
    columns = list(dict.fromkeys(name for trade in result.trades for name in trade))
    with open(path, "w", newline="", encoding="utf-8") as out:
        writer = csv.DictWriter(out, fieldnames=columns)
        writer.writeheader()
        writer.writerows(result.trades)


def _options(arguments, strategy_file):
    md = _load_class(arguments.md, strategy_file)[0] if arguments.md else None
    return dict(md=md, loop=arguments.loop, balance=arguments.balance)


def main(argv=None):
    arguments = _parser().parse_args(argv)
    strategy, strategy_file = _load_class(arguments.strategy)
    if not inspect.isclass(strategy):
        raise SystemExit(f"backtest: {arguments.strategy} is not a class")
    options = _options(arguments, strategy_file)
    if arguments.command == "run":
        from Quorvan.backtest import run
        params = {name: _value(value) for name, value in arguments.set}
        result = run(strategy, arguments.data, params=params or None, **options)
        if arguments.json:
            print(json.dumps({name: _plain(value) for name, value in result.stats.items()},
                             indent=2))
        else:
            print(_stats_text(result.stats))
        if arguments.report:
            result.report(arguments.report)
        if arguments.plot:
            result.plot(arguments.plot)
        if arguments.trades:
            _write_trades(result, arguments.trades)
        return 0
    try:
        from Quorvan.backtest._sweep import sweep
    except ImportError as error:
        raise SystemExit(f"backtest: sweeps are not available in this installation ({error})")
    grid = {name: [_value(item) for item in value.split(",")] for name, value in arguments.set}
    if not grid:
        raise SystemExit("backtest: sweep needs at least one --set NAME=V1,V2,...")
    result = sweep(strategy, arguments.data, grid, engine=arguments.engine,
                   workers=arguments.workers, address=arguments.address, **options)
    result.to_csv(arguments.out)
    print(f"{len(result)} runs, {len(result.failed)} failed: {arguments.out}")
    return 1 if result.failed else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (ValueError, TypeError, FileNotFoundError, ImportError, RuntimeError) as error:
        sys.exit(f"backtest: {error}")
