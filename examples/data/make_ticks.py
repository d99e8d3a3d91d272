"""Writes rb2705_ticks.csv, the half hour of rebar ticks that examples/replay_strategy.py
replays: made up, but repeatable, so that the file can be made again byte for byte.

    python3 examples/data/make_ticks.py [path]
"""
import csv
import random
import sys
from datetime import datetime, timedelta
from pathlib import Path
from typing import Dict, Iterator, Union

COLUMNS = ("time", "instrument_id", "last", "bid", "ask", "bid_volume", "ask_volume", "volume")
DATA_FILE = Path(__file__).with_name("rb2705_ticks.csv")

Tick = Dict[str, Union[str, int]]


def ticks(count: int = 3600, seed: int = 20261207) -> Iterator[Tick]:
    """Two ticks a second from the morning open: a random walk on rebar's whole-yuan tick
    whose drift turns now and then, so that trends come and go; the bid is the last price or
    a tick under it, the ask a tick above the bid. Prices stay well inside the day's limits
    around yesterday's settlement of 3200."""
    rng = random.Random(seed)
    start = datetime(2026, 12, 7, 9, 0, 0)
    last, drift, volume = 3200, 0.0, 0
    for index in range(count):
        if index % 240 == 0:
            drift = rng.choice((-0.3, -0.15, 0.0, 0.15, 0.3))
        last = min(3320, max(3080, last + round(rng.gauss(drift, 1.2))))
        bid = last - rng.choice((0, 0, 1))
        traded = rng.randint(0, 40)
        volume += traded
        yield dict(time=(start + timedelta(milliseconds=500 * index)).isoformat(
                       sep=" ", timespec="milliseconds"),
                   instrument_id="rb2705", last=last, bid=bid, ask=bid + 1,
                   bid_volume=rng.randint(1, 60), ask_volume=rng.randint(1, 60), volume=volume)


def write(path: Path) -> None:
    with open(path, "w", newline="", encoding="utf-8") as file:
        writer = csv.DictWriter(file, COLUMNS, lineterminator="\n")
        writer.writeheader()
        writer.writerows(ticks())


if __name__ == "__main__":
    write(Path(sys.argv[1]) if len(sys.argv) > 1 else DATA_FILE)
