"""The ticks a backtest plays: CSV or Parquet files, globs of them, or an iterable of dicts,
each source in time order, merged across sources into one stream in time order and cut into
trading days."""
import datetime
import glob
import heapq
import itertools
import os
from collections.abc import Iterable, Mapping

from Quorvan.sim._ticks import _TICK_FIELDS, tick_of, ticks_of

# Ticks from this hour on belong to the next trading day: the night session opens the day the
# exchange settles the following afternoon.
NIGHT_SESSION_FROM = datetime.time(18, 0)
_GLOB_CHARACTERS = frozenset("*?[")


def next_weekday(day):
    day += datetime.timedelta(days=1)
    while day.weekday() >= 5:
        day += datetime.timedelta(days=1)
    return day


def trading_day_of(time):
    """The trading day a tick at the exchange's local `time` counts to: its own date by day,
    the next weekday for a night session (and for the small hours after it, the weekday that
    follows a Friday night)."""
    day = time.date()
    if time.time() >= NIGHT_SESSION_FROM:
        return next_weekday(day)
    if day.weekday() >= 5:
        # Saturday's small hours close Friday's night session, which trades for Monday.
        return next_weekday(day)
    return day


class _ParquetTicks:
    """The rows of a Parquet file, a batch at a time, each named by its row (counted from 1)."""

    def __init__(self, path):
        try:
            import pyarrow.parquet as parquet
        except ImportError:
            raise ImportError(f"{os.fsdecode(path)}: reading Parquet needs pyarrow "
                              "(pip install pyarrow, or Quorvan[backtest])") from None
        self.name = os.fsdecode(path)
        try:
            self._file = parquet.ParquetFile(path)
        except Exception as error:  # pyarrow's own errors say what is wrong with the file
            raise ValueError(f"{self.name}: not a Parquet file of ticks ({error})") from None
        columns = self._file.schema_arrow.names
        missing = [name for name in _TICK_FIELDS if name not in columns]
        if missing:
            raise ValueError(f"{self.name}: the file has no column {', '.join(missing)} "
                             f"(it needs {', '.join(_TICK_FIELDS)})")

    def __iter__(self):
        row = 0
        for batch in self._file.iter_batches():
            for values in batch.to_pylist():
                row += 1
                yield f"{self.name} row {row}", values


def _checked(where_rows):
    """The ticks of (where, row) pairs, a row that is none failing the run named by where it
    came from."""
    for where, row in where_rows:
        if isinstance(row, Exception):
            raise ValueError(f"{where}: {row}") from row
        try:
            tick = tick_of(row, where)
        except ValueError as error:
            raise ValueError(f"{where}: {error}") from None
        yield tick, row


def _file_rows(path):
    if os.fsdecode(path).lower().endswith((".parquet", ".pq")):
        return _ParquetTicks(path)
    return ticks_of(path)


def _paths(pattern):
    text = os.fsdecode(pattern)
    if _GLOB_CHARACTERS.isdisjoint(text):
        if not os.path.isfile(text):
            raise FileNotFoundError(f"no tick file {text}")
        return [text]
    paths = sorted(glob.glob(text))
    if not paths:
        raise FileNotFoundError(f"no tick file matches {text}")
    return paths


def _is_path(item):
    return isinstance(item, (str, bytes, os.PathLike))


class Ticks:
    """The ticks of a backtest's data, opened (files found, headers read) when made so that
    bad data fails before a run starts, and played once."""

    def __init__(self, data):
        if _is_path(data):
            data = [data]
        elif isinstance(data, Mapping) or not isinstance(data, Iterable):
            raise TypeError("data must be a tick file, a glob, a list of them, or an iterable "
                            f"of dicts, not {type(data).__name__}")
        elif isinstance(data, (list, tuple)) and data and all(map(_is_path, data)):
            pass
        else:
            self._sources = [_checked((f"tick {number}", row)
                                      for number, row in enumerate(data, 1))]
            return
        paths = list(itertools.chain.from_iterable(map(_paths, data)))
        self._sources = []
        for path in dict.fromkeys(paths):
            self._sources.append(_checked(iter(_file_rows(path))))

    def __iter__(self):
        """(tick, row) in time order; ties keep the order of the sources."""
        keyed = [self._keyed(index, source) for index, source in enumerate(self._sources)]
        for _, tick, row in (keyed[0] if len(keyed) == 1 else heapq.merge(*keyed)):
            yield tick, row

    @staticmethod
    def _keyed(index, source):
        """A source's ticks keyed for the merge, each checked not to go back in time against
        the one before it in its own source, whose order the merge relies on."""
        previous = None
        for number, (tick, row) in enumerate(source):
            if previous is not None and tick.time < previous:
                raise ValueError(f"{tick.where}: time {tick.time} is before the tick before it "
                                 f"({previous}): ticks play in time order")
            previous = tick.time
            yield (tick.time, index, number), tick, row
