"""Recorded ticks as a replay reads them: the rows of a CSV file or the dicts of an iterable,
each checked and turned into a tick, with where it came from for the messages."""

import csv
import datetime
import functools
import math
import numbers
import os
import re
import stat
from collections import namedtuple
from collections.abc import Iterable, Mapping, Sized

from Quorvan.utils.base_field import to_bytes

from ._library import INT_MAX


# The columns (or keys) a replayed tick must have; others are ignored.
_TICK_FIELDS = ("time", "instrument_id", "last", "bid", "ask", "bid_volume", "ask_volume")

_TICK_TIME = re.compile(
    r"(\d{4})-(\d{2})-(\d{2})[T ](\d{2}):(\d{2}):(\d{2})(?:[.,](\d{1,9}))?")

# The columns (or keys) a replayed tick may have besides: the exchange's figures for the day.
_TICK_FIGURES = ("volume", "turnover", "open_interest")

# The columns (or keys) a replayed tick may have for the levels of book behind the first:
# by side, each level's price and lots, bid2 and bid_volume2 to bid5 and bid_volume5.
_TICK_DEPTH = {side: tuple((f"{side}{level}", f"{side}_volume{level}")
                           for level in range(2, 6))
               for side in ("bid", "ask")}
_TICK_DEPTH_FIELDS = frozenset(name for levels in _TICK_DEPTH.values() for level in levels
                               for name in level)

# A tick as it is played: where it came from (for messages), its time, and the market. A tick
# with levels of book behind the first has its sides in bids and asks, bid, ask, bid_volume
# and ask_volume None; one without has bids and asks None.
_Tick = namedtuple("_Tick", "where time instrument last bid ask bid_volume ask_volume "
                            "volume turnover open_interest bids asks")


def _tick_time(value):
    if isinstance(value, datetime.datetime):
        if value.tzinfo is not None:
            raise ValueError(f"time {value!r} has a time zone: give the exchange's local time")
        return value
    if not isinstance(value, str):
        raise ValueError(f"time must be an ISO date and time, not {type(value).__name__}")
    match = _TICK_TIME.fullmatch(value.strip())
    if not match:
        raise ValueError(f"time {value!r} is not an ISO date and time "
                         "(YYYY-MM-DD HH:MM:SS, a fraction of a second allowed)")
    *fields, fraction = match.groups()
    microseconds = int((fraction or "0").ljust(6, "0")[:6])
    try:
        return datetime.datetime(*map(int, fields), microseconds)
    except ValueError as error:
        raise ValueError(f"time {value!r}: {error}") from None


def _tick_price(value, name):
    if isinstance(value, str):
        try:
            number = float(value)
        except ValueError:
            raise ValueError(f"{name} {value!r} is not a number") from None
    elif isinstance(value, numbers.Real) and not isinstance(value, bool):
        number = float(value)
    else:
        raise ValueError(f"{name} must be a number, not {type(value).__name__}")
    if not (math.isfinite(number) and number >= 0):
        raise ValueError(f"{name} {value!r} is not a price (0 for an empty side)")
    return number


def _tick_volume(value, name):
    if isinstance(value, str):
        try:
            number = int(value.strip())
        except ValueError:
            raise ValueError(f"{name} {value!r} is not a whole number of lots") from None
    elif isinstance(value, numbers.Integral) and not isinstance(value, bool):
        number = int(value)
    else:
        raise ValueError(f"{name} must be a whole number of lots, not {type(value).__name__}")
    if not 0 <= number <= INT_MAX:
        raise ValueError(f"{name} {value!r} is not a count of lots")
    return number


def _tick_levels(row, side, price, volume):
    """A side's levels of a row that has depth columns, best first: the first level, then
    those of the side's columns that the row fills in. A price of 0 or an empty cell is no
    level; a level after none is refused, as a book has no gaps."""
    levels = [(price, volume)] if price > 0 else []
    missing = None if levels else side
    for price_name, volume_name in _TICK_DEPTH[side]:
        price_cell, volume_cell = row.get(price_name), row.get(volume_name)
        if (price_cell in (None, "")) != (volume_cell in (None, "")):
            raise ValueError(f"{price_name} and {volume_name} go together: one is empty")
        level_price = 0 if price_cell in (None, "") else _tick_price(price_cell, price_name)
        if level_price == 0:
            missing = missing or price_name
        elif missing:
            raise ValueError(f"{price_name} follows an empty {missing}: a side's levels come "
                             "first")
        else:
            levels.append((level_price, _tick_volume(volume_cell, volume_name)))
    return levels


def tick_of(row, where):
    """The tick of one row (a dict); ValueError for a row that is not one."""
    if not isinstance(row, Mapping):
        raise ValueError(f"a tick is a dict, not {type(row).__name__}")
    missing = [name for name in _TICK_FIELDS if row.get(name) is None]
    if missing:
        raise ValueError(f"no {', '.join(missing)}")
    instrument = row["instrument_id"]
    if isinstance(instrument, str):
        instrument = instrument.strip()
    if not isinstance(instrument, (str, bytes)) or not instrument:
        raise ValueError(f"instrument_id {instrument!r} is not an instrument")
    # The library reads ids as C strings: one holding a NUL would name another instrument.
    if ("\0" if isinstance(instrument, str) else b"\0") in instrument:
        raise ValueError(f"instrument_id {instrument!r} holds a NUL character")
    # An empty cell of an optional column is a figure the recording does not have.
    volume, turnover, open_interest = (
        None if row.get(name) in (None, "") else
        (_tick_volume if name == "volume" else _tick_price)(row[name], name)
        for name in _TICK_FIGURES)
    bid, ask = _tick_price(row["bid"], "bid"), _tick_price(row["ask"], "ask")
    bid_volume = _tick_volume(row["bid_volume"], "bid_volume")
    ask_volume = _tick_volume(row["ask_volume"], "ask_volume")
    bids = asks = None
    # Rows without depth cost only this look: they move the first levels as before.
    if not _TICK_DEPTH_FIELDS.isdisjoint(row):
        bids = _tick_levels(row, "bid", bid, bid_volume)
        asks = _tick_levels(row, "ask", ask, ask_volume)
        bid = ask = bid_volume = ask_volume = None
    return _Tick(where, _tick_time(row["time"]), to_bytes(instrument),
                 _tick_price(row["last"], "last"), bid, ask, bid_volume, ask_volume, volume,
                 turnover, open_interest, bids, asks)


# A line longer than this is no row of ticks: refusing it keeps a file without line ends (or
# with a runaway field) from being read whole into memory.
_LINE_LIMIT = 1 << 20

# The file is decoded with surrogateescape, which puts a byte that is not UTF-8 in the text as
# one of these, so that the line holding it can be named when its row is reached.
_NOT_UTF8 = re.compile("[\udc80-\udcff]")


class _BadLine(ValueError):
    """A line of a tick file that is no text, raised through the csv reader."""

    def __init__(self, line, reason):
        super().__init__(reason)
        self.line = line


def _count_lines(fd):
    """The lines of an open file as an editor numbers them (ended by \\n, \\r\\n or \\r, the
    last one perhaps unended), read in blocks beside whoever else reads it."""
    lines = offset = 0
    last = b""
    while True:
        block = os.pread(fd, 1 << 20, offset)
        if not block:
            break
        lines += block.count(b"\n") + block.count(b"\r") - block.count(b"\r\n")
        if last == b"\r" and block[:1] == b"\n":
            lines -= 1
        offset += len(block)
        last = block[-1:]
    return lines + (last not in (b"", b"\n", b"\r"))


class _CsvTicks:
    """The rows of a CSV file of ticks, each named by the lines it spans as an editor numbers
    them. The file is decoded a line at a time, so that a line that is not UTF-8, holds a NUL
    or runs on past _LINE_LIMIT is refused when its row is reached, after the rows before it
    have played. The header is read at once, so that a file without the columns is refused
    before anything plays."""

    unit = "rows"

    def __init__(self, path):
        self.path = path
        self.name = os.fsdecode(path)
        # utf-8-sig drops the byte-order mark that spreadsheets put before the header.
        self._file = open(path, newline="", encoding="utf-8-sig", errors="surrogateescape")
        self._lines_read = 0
        self._total = None
        try:
            # strict: a quoted field never closed, or text after its closing quote, is an error
            # rather than a cell swallowing the lines after it.
            self._reader = csv.reader(self._lines(), strict=True)
            try:
                self._header = next(self._reader, [])
            except (_BadLine, csv.Error) as error:
                raise ValueError(f"{self.name} line {getattr(error, 'line', self._lines_read)}: "
                                 f"{error}") from None
            self._header_lines = self._lines_read
            missing = [name for name in _TICK_FIELDS if name not in self._header]
            if missing:
                raise ValueError(f"{self.name}: the header names no {', '.join(missing)} "
                                 f"(it needs {', '.join(_TICK_FIELDS)})")
            twice = sorted({name for name in (*_TICK_FIELDS, *_TICK_FIGURES,
                                              *_TICK_DEPTH_FIELDS)
                            if self._header.count(name) > 1})
            if twice:
                raise ValueError(f"{self.name}: the header names {', '.join(twice)} more than "
                                 "once")
        except BaseException:
            self._file.close()
            raise

    @property
    def header(self):
        return self._header

    @property
    def header_lines(self):
        return self._header_lines

    def fileno(self):
        return self._file.fileno()

    @property
    def rereadable(self):
        """Whether the file can be read again from a place (a regular file; not a pipe), as
        the library's reader hands a row back to this one."""
        return stat.S_ISREG(os.fstat(self._file.fileno()).st_mode)

    def resume_at(self, offset, line):
        """Reads on from the row that begins at byte `offset`, on `line`, after the rows before
        it were read elsewhere (the library's own reader)."""
        # A byte offset at a line's start is a position the text file can seek to: the
        # decoder holds nothing there, and the byte-order mark is long behind.
        self._file.seek(offset)
        self._lines_read = line - 1

    def read_elsewhere(self, lines_read):
        """Counts the lines the library's own reader has read, for position()."""
        self._lines_read = lines_read

    def _lines(self):
        for line in iter(functools.partial(self._file.readline, _LINE_LIMIT), ""):
            self._lines_read += 1
            if len(line) == _LINE_LIMIT and line[-1] not in "\r\n":
                raise _BadLine(self._lines_read, f"the line runs on past {_LINE_LIMIT:,} "
                                                 "characters: it is no row of ticks")
            if "\0" in line:
                raise _BadLine(self._lines_read, "the line holds a NUL character")
            if not line.isascii():
                bad = _NOT_UTF8.search(line)
                if bad:
                    raise _BadLine(self._lines_read,
                                   f"byte 0x{ord(bad.group()) - 0xDC00:02X} (column "
                                   f"{bad.start() + 1}) is not UTF-8 text")
            yield line

    def _where(self, first, last):
        if first == last:
            return f"{self.name} line {first}"
        return f"{self.name} lines {first}-{last}"

    def __iter__(self):
        try:
            while True:
                first = self._lines_read + 1
                try:
                    cells = next(self._reader)
                except StopIteration:
                    return
                except _BadLine as error:
                    yield f"{self.name} line {error.line}", error
                    return
                except csv.Error as error:
                    # Where a quoted field ran over lines, the row it began is named as well.
                    yield self._where(min(first, self._lines_read), self._lines_read), error
                    return
                if not cells:
                    continue  # a blank line
                where = self._where(first, self._lines_read)
                if len(cells) != len(self._header):
                    yield where, ValueError(f"{len(cells)} cells where the header has "
                                            f"{len(self._header)} columns")
                    return
                yield where, dict(zip(self._header, cells))
        finally:
            self._file.close()

    def position(self):
        """The rows read so far and the file's rows (its lines after the header), counted
        when first asked."""
        if self._total is None:
            try:
                self._total = _count_lines(self._file.fileno()) - self._header_lines
            except OSError:
                self._total = 0  # a pipe, which cannot be read twice: no total
        return self._lines_read - self._header_lines, self._total

    def close(self):
        self._file.close()


class _ItemTicks:
    unit = "ticks"

    def __init__(self, items, total):
        self._items = items
        self._total = total
        self._taken = 0

    def __iter__(self):
        for item in self._items:
            self._taken += 1
            yield f"tick {self._taken}", item

    def position(self):
        return self._taken, self._total

    def close(self):
        close = getattr(self._items, "close", None)
        if close is not None:
            close()


def ticks_of(source):
    if isinstance(source, (str, bytes, os.PathLike)):
        return _CsvTicks(source)
    if isinstance(source, Mapping) or not isinstance(source, Iterable):
        raise TypeError("source must be the path of a CSV file or an iterable of dicts, "
                        f"not {type(source).__name__}")
    return _ItemTicks(iter(source), len(source) if isinstance(source, Sized) else None)
