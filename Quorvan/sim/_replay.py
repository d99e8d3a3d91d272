"""replay: recorded ticks played into a broker's markets on a thread of its own, as
set_market moves them, and handed on to a strategy's md_queue."""

import atexit
import ctypes
import datetime
import math
import numbers
import os
import queue
import sys
import threading
import time

from Quorvan.CTP.ApiStruct import DepthMarketDataField

from ._flows import WAIT_SLICE, deliveries_waited
from ._library import OK, PLAY_DECLINED, PLAY_END, TIMED_OUT, check, control
from ._market import market, move_market
from ._naming import front_address
from ._ticks import _CsvTicks, tick_of, ticks_of

# How many ticks of a file the library plays between two looks at stop() and the progress
# line: a few milliseconds' worth.
_FILE_CHUNK = 1024
# How long a replay waiting for its strategy's task_done goes before it delivers what the
# strategy sent meanwhile to the objects whose work it holds: a strategy that waits for an
# answer is not left waiting for the tick's end.
_HOSTED_SLICE = 0.001
_RECORD_SIZE = ctypes.sizeof(DepthMarketDataField)
# What _play_file returns once the whole file has played (or the replay was stopped).
_PLAYED = object()
# What a pull returns once the replay has ended.
_ENDED = object()
# How long the strategy's thread may take no tick before the objects' own threads deliver
# their events again, until its next get().
_IDLE_PULLS = 0.005


class _Host:
    """The work of the front's API objects, lent to the thread playing the replay (the
    library's host_begin): every tick, its fills, the handlers' orders and their answers run
    there, one at a time, with no handoff between threads. Falsy when the replay was stopped
    before a callback the objects were running returned."""

    def __init__(self, front, stopped):
        self._handle = ctypes.c_void_p()
        while True:
            code = control.host_begin(front, WAIT_SLICE, ctypes.byref(self._handle))
            if code != TIMED_OUT or stopped():
                break
        if code not in (OK, TIMED_OUT):
            check(code)

    def __bool__(self):
        return bool(self._handle)

    def deliver(self):
        check(control.host_deliver(self._handle))

    def release(self):
        """Lets the objects' own threads deliver until the next delivery here, for a wait in
        code that is not the replay's."""
        if self._handle:
            check(control.host_release(self._handle))

    def close(self):
        handle, self._handle = self._handle, ctypes.c_void_p()
        control.host_end(handle)


class _TickFile:
    """A CSV file of ticks as the library reads it, from the row after the header: the file
    the reader here has open, whatever has become of its path."""

    def __init__(self, ticks, stop_flag):
        header = (ctypes.c_char_p * len(ticks.header))(
            *(name.encode("utf-8", "surrogateescape") for name in ticks.header))
        self._handle = ctypes.c_void_p()
        check(control.tick_file_open(os.dup(ticks.fileno()), header, len(ticks.header),
                                     ticks.header_lines, ctypes.byref(self._handle)))
        self._stop = ctypes.byref(stop_flag)
        self.played = (ctypes.c_longlong * 12)()
        self._record = self._record_ref = None

    def play(self, host, most, record=None):
        """Delivers what is due, then plays up to `most` ticks, none once the replay is
        stopped; with a DepthMarketDataField, copies the market of the last one into it."""
        if record is None:
            code = control.host_play_file(host._handle, self._handle, most, self._stop,
                                          self.played, None, 0)
        else:
            if self._record is not record:
                self._record, self._record_ref = record, ctypes.byref(record)
            code = control.host_play_file(host._handle, self._handle, most, self._stop,
                                          self.played, self._record_ref, _RECORD_SIZE)
        if code:
            check(code)
        return self.played

    def close(self):
        handle, self._handle = self._handle, ctypes.c_void_p()
        control.tick_file_close(handle)


def _duration(seconds):
    minutes, seconds = divmod(int(seconds + 0.5), 60)
    hours, minutes = divmod(minutes, 60)
    return f"{hours}:{minutes:02d}:{seconds:02d}"


class _Terminal:
    """What a replay says on stderr. A line saying how far a long replay has come, only when
    stderr is a terminal and once the replay has run a while, so that a short one prints
    nothing; and warnings, on lines of their own wherever stderr goes."""

    _FIRST_AFTER = 1.0
    _EVERY = 0.5

    def __init__(self, ticks):
        self._ticks = ticks
        self._stream = sys.stderr
        try:
            self._shown = self._stream is not None and self._stream.isatty()
        except (AttributeError, ValueError):
            self._shown = False
        self._started = time.monotonic()
        self._next = self._started + self._FIRST_AFTER
        self._drawn = False

    def update(self, count, at):
        if not self._shown or time.monotonic() < self._next:
            return
        now = time.monotonic()
        self._next = now + self._EVERY
        done, total = self._ticks.position()
        if total:
            # The pace so far carries on, as good a guess as any for recorded ticks.
            left = (now - self._started) * max(0, total - done) / done if done else None
            text = (f"replay: {done:,} / {total:,} {self._ticks.unit} "
                    f"({min(100, 100 * done // total)}%)"
                    + (f", {_duration(left)} left" if left is not None else ""))
        else:
            text = f"replay: {count:,} ticks"
        self._draw(f"{text}, at {at:%Y-%m-%d %H:%M:%S}")

    def finish(self, count):
        if self._drawn:
            self._draw(f"replay: {count:,} ticks", end="\n")

    def say(self, text):
        if self._stream is None:
            return
        try:
            # Over the progress line, which the next update draws again below.
            self._stream.write(("\r\x1b[K" if self._drawn else "") + text + "\n")
            self._stream.flush()
        except (OSError, ValueError):
            pass

    def _draw(self, text, end=""):
        try:
            # Back to the line's start, the text, then the rest of the line cleared.
            self._stream.write(f"\r{text}\x1b[K{end}")
            self._stream.flush()
            self._drawn = True
        except (OSError, ValueError):
            self._shown = False


# How long a replay waits on its md_queue before it says on stderr what it waits for.
_HELD_SAY_AFTER = 5.0


class Replay:
    """A replay running on its own thread, as replay() returns it."""

    def __init__(self, ticks, front, speed, md_queue):
        self._ticks = ticks
        self._front = front
        self._speed = speed
        self._md_queue = md_queue
        self._stop = threading.Event()
        # The same, where the library looks between two ticks it plays.
        self._stop_flag = ctypes.c_int(0)
        self._finished = threading.Event()
        self._error = None
        self._progress = 0
        self._terminal = _Terminal(ticks)
        self._held_said = False
        # The play by the strategy's thread, through a ReplayQueue: one pull at a time.
        self._pull_lock = threading.Lock()
        self._pull_steps = self._pull_host = self._pull_error = None
        self._pull_ended = threading.Event()
        self._puller = None  # the thread in a pull
        self._file_playing = False
        self._thread = threading.Thread(target=self._run, name="Quorvan replay", daemon=True)

    @property
    def progress(self):
        """How many ticks have been played so far."""
        return self._progress

    def wait(self, timeout=None):
        """Waits for the replay to end and re-raises what ended it, if anything did: True once
        it has ended, False if `timeout` seconds passed first. RuntimeError on the replay's own
        thread (from an md_queue's put), which would wait for itself."""
        if self._playing_here() and not self._finished.is_set():
            raise RuntimeError("a replay cannot wait for itself: wait() from another thread")
        if not self._finished.wait(timeout):
            return False
        if threading.current_thread() is not self._thread:
            self._thread.join()
        if self._error is not None:
            raise self._error
        return True

    def stop(self):
        """Ends the replay after the tick in progress and returns once its thread has ended
        (at once when called from that thread, from an md_queue's put). No error is raised:
        wait() reports what ended it."""
        self._stop.set()
        self._stop_flag.value = 1
        condition = getattr(self._md_queue, "all_tasks_done", None)
        if condition is not None:
            with condition:
                condition.notify_all()
        if not self._playing_here():
            self._finished.wait()
            self._thread.join()

    def _playing_here(self):
        """Whether the calling thread plays the replay: its own, or the one taking ticks from
        its ReplayQueue (in a handler, or between two gets)."""
        current = threading.current_thread()
        return current is self._thread or current is self._puller or (
            self._pulled() and self._md_queue._taker is current
            and not self._pull_ended.is_set() and not self._stop.is_set())

    def _start(self):
        unfinished = getattr(self._md_queue, "unfinished_tasks", 0)
        if self._speed is None and self._awaits_task_done() and unfinished:
            # Said before the first tick, and instead of a word later: the wait these cause
            # would otherwise be blamed on the strategy's handling of this replay's ticks.
            self._held_said = True
            self._terminal.say(
                f"Quorvan.sim.replay: md_queue {self._md_queue!r} holds {unfinished:,} "
                "unfinished item(s) from before this replay, put but not yet marked done with "
                "task_done(). With speed None the replay waits after each tick until every "
                "item put to md_queue is done, so it waits for these as well.")
        with _running_lock:
            _running_replays.add(self)
        self._thread.start()

    def _run(self):
        try:
            self._play()
        except BaseException as error:  # wait() hands on whatever ended the replay
            self._error = error
        finally:
            self._ticks.close()
            self._terminal.finish(self._progress)
            with _running_lock:
                _running_replays.discard(self)
            self._finished.set()

    def _play(self):
        if self._pulled():
            self._wait_for_pulls()
            return
        host = _Host(self._front, self._stop.is_set) if self._speed is None else None
        try:
            for item, at in self._steps(host):
                self._hand_on(item, host)
                if self._speed is None:
                    self._strategy_done(host)
                    self._delivered(host)
                self._count(1, at)
        finally:
            if host is not None:
                host.close()

    def _pulled(self):
        """Whether the strategy's own thread plays the ticks, taking them from a ReplayQueue."""
        return self._speed is None and isinstance(self._md_queue, ReplayQueue)

    def _count(self, ticks, at):
        self._progress += ticks
        self._terminal.update(self._progress, at)

    def _steps(self, host):
        """Plays the ticks in order, each delivered at speed None before the next: a generator
        yielding, with an md_queue, the record each tick hands on and its time, after its tick.
        The ticks it yields are counted played by whoever takes them; the others it counts."""
        previous = None
        if host and isinstance(self._ticks, _CsvTicks) and self._ticks.rereadable:
            previous = yield from self._file_steps(host)
            if previous is _PLAYED:
                return
        yield from self._row_steps(host, previous)

    def _file_steps(self, host):
        """Plays the file's plain rows in the library, which reads, plays and delivers them
        without coming back here per tick (a chunk at a time; one at a time with an md_queue),
        up to the end or to a row it leaves to the reader here: the time of the last tick it
        played, or _PLAYED when nothing is left to play."""
        tick_file = _TickFile(self._ticks, self._stop_flag)
        record = DepthMarketDataField() if self._md_queue is not None else None
        previous = None
        self._file_playing = True
        try:
            while True:
                if self._stop.is_set():
                    return _PLAYED
                played = tick_file.play(host, 1 if record else _FILE_CHUNK, record)
                status, ticks, lines_read, line, offset = played[:5]
                self._ticks.read_elsewhere(lines_read)
                if ticks:
                    previous = datetime.datetime(*played[5:12])
                    if record is not None:
                        yield record.to_dict(), previous
                    else:
                        self._count(ticks, previous)
                if status == PLAY_END:
                    return _PLAYED
                if status == PLAY_DECLINED:
                    self._ticks.resume_at(offset, line)
                    return previous
        finally:
            self._file_playing = False
            tick_file.close()

    def _row_steps(self, host, previous):
        started = None
        for where, row in self._ticks:
            if self._stop.is_set():
                return
            if isinstance(row, Exception):
                raise ValueError(f"{where}: {row}") from row
            try:
                tick = tick_of(row, where)
                if previous is not None and tick.time < previous:
                    raise ValueError(f"time {tick.time} is before the tick before it "
                                     f"({previous}): ticks play in time order")
            except ValueError as error:
                raise ValueError(f"{where}: {error}") from None
            previous = tick.time
            if self._speed is not None:
                if started is None:
                    started = (time.monotonic(), tick.time)
                due = started[0] + (tick.time - started[1]).total_seconds() / self._speed
                if self._stop.wait(max(0.0, due - time.monotonic())):
                    return
            self._apply(tick)
            if self._speed is None:
                # The fills this tick made reach the handlers before the strategy sees the tick.
                self._delivered(host)
            if self._md_queue is not None:
                yield self._market_data(tick), tick.time
            else:
                self._count(1, tick.time)

    def _apply(self, tick):
        try:
            move_market(self._front, tick.instrument, bid=tick.bid, ask=tick.ask,
                        last=tick.last, bid_volume=tick.bid_volume,
                        ask_volume=tick.ask_volume, volume=tick.volume,
                        turnover=tick.turnover, open_interest=tick.open_interest,
                        time=tick.time, bids=tick.bids, asks=tick.asks)
        except ValueError as error:
            raise ValueError(f"{tick.where}: {error}") from None

    def _wait_for_pulls(self):
        """On the replay's thread while the strategy's thread plays the ticks: waits for the
        end, or for stop(), which ends the play between two ticks. While the strategy takes
        no tick for a while (it works, or waits for an answer between two gets), the objects'
        own threads deliver their events; the next get() borrows them again."""
        self._md_queue._attach(self)
        say_at = self._held_say_at()
        pulled = self._progress
        while not self._pull_ended.wait(_IDLE_PULLS):
            taker = self._md_queue._taker
            if self._stop.is_set():
                with self._pull_lock:
                    self._end_pulls()
            elif taker is not None and not taker.is_alive():
                with self._pull_lock:
                    if self._pull_error is None and not self._pull_ended.is_set():
                        self._pull_error = RuntimeError(
                            f"the thread taking the replay's ticks from md_queue, "
                            f"{taker.name}, ended after taking {self._progress:,} of them, "
                            "before the replay did")
                    self._end_pulls()
            elif self._progress != pulled:
                pulled, say_at = self._progress, self._held_say_at()
            else:
                with self._pull_lock:
                    if self._pull_host is not None and not self._pull_ended.is_set():
                        self._pull_host.release()
                if say_at is not None and time.monotonic() >= say_at:
                    say_at = None
                    self._say_held("whose get() plays the next tick: the strategy has not "
                                   "taken it")
        if self._pull_error is not None:
            raise self._pull_error

    def _pull(self):
        """On the thread taking from the ReplayQueue: delivers what the strategy sent for the
        tick before, then plays the next tick here: its record, or _ENDED once the replay has
        ended."""
        with self._pull_lock:
            if self._pull_ended.is_set():
                return _ENDED
            self._puller = threading.current_thread()
            try:
                if self._pull_steps is None:
                    self._pull_host = _Host(self._front, self._stop.is_set)
                    self._pull_steps = self._steps(self._pull_host)
                elif not self._file_playing:
                    # (The library delivers before it plays a file's next row.)
                    self._delivered(self._pull_host)
                item, at = next(self._pull_steps)
                self._count(1, at)
                return item
            except StopIteration:
                self._end_pulls()
            except BaseException as error:  # wait() hands it on, as the replay's own
                self._pull_error = error
                self._end_pulls()
            finally:
                self._puller = None
            return _ENDED

    def _end_pulls(self):
        """Ends the play by the strategy's thread, with _pull_lock held: the objects' work goes
        back to their own threads."""
        if self._pull_ended.is_set():
            return
        try:
            if self._pull_steps is not None:
                self._pull_steps.close()
        finally:
            if self._pull_host is not None:
                self._pull_host.close()
            self._md_queue._detach(self)
            self._pull_ended.set()

    def _delivered(self, host):
        if host:
            host.deliver()
        else:
            deliveries_waited(self._front, self._stop.is_set)

    def _hand_on(self, item, host):
        """Puts the tick to md_queue; a full queue.Queue is waited on in slices, so that stop()
        is not held up by a strategy that stopped taking ticks, the objects' events delivered
        meanwhile. Another md_queue's put may wait for anything: the objects' own threads
        deliver while it runs."""
        if not isinstance(self._md_queue, queue.Queue):
            if host:
                host.release()
            self._md_queue.put(item)
            return
        say_at = self._held_say_at()
        while not self._stop.is_set():
            try:
                self._md_queue.put(item, timeout=WAIT_SLICE)
                return
            except queue.Full:
                if host:
                    host.deliver()
                if say_at is not None and time.monotonic() >= say_at:
                    say_at = None
                    self._say_held(f"which is full, holding {self._md_queue.qsize():,} "
                                   "item(s) nobody takes")

    def _awaits_task_done(self):
        if self._pulled():
            return False  # the next tick waits for the strategy's next get() instead
        return (getattr(self._md_queue, "all_tasks_done", None) is not None
                and hasattr(self._md_queue, "unfinished_tasks"))

    def _strategy_done(self, host):
        """Waits until the strategy has called task_done for every tick it took, where the
        queue counts them (queue.Queue); the orders it sent for the tick are then out. With
        the objects' work lent to this thread, what the strategy sends is delivered while it
        waits, outside the queue's lock, which the objects' handlers may need."""
        if not self._awaits_task_done():
            return
        condition = self._md_queue.all_tasks_done
        say_at = self._held_say_at()
        slice_ = _HOSTED_SLICE if host else WAIT_SLICE
        while True:
            with condition:
                if not self._md_queue.unfinished_tasks or self._stop.is_set():
                    return
                condition.wait(slice_)
                unfinished = self._md_queue.unfinished_tasks
                if not unfinished or self._stop.is_set():
                    return
            if host:
                host.deliver()
            if say_at is not None and time.monotonic() >= say_at:
                # Said outside the queue's lock: a stderr nobody reads may block the write,
                # and the strategy must still be able to take and finish its ticks meanwhile.
                say_at = None
                self._say_held(
                    f"which has {unfinished:,} unfinished item(s): with speed None the next "
                    "tick plays only once every item put to md_queue is marked done, so the "
                    "strategy must call md_queue.task_done() for each tick it takes")

    def _held_say_at(self):
        """When a wait that started now has lasted long enough to be worth a word: None once
        this replay has said one."""
        return None if self._held_said else time.monotonic() + _HELD_SAY_AFTER

    def _say_held(self, which):
        self._held_said = True
        self._terminal.say(f"Quorvan.sim.replay: held at tick {self._progress + 1:,} for "
                           f"{_HELD_SAY_AFTER:g} s, waiting for md_queue {self._md_queue!r}, "
                           f"{which}. stop() ends the replay.")

    def _market_data(self, tick):
        # The broker's market carries the tick's time and the day's range: the record a
        # market-data front publishes for the tick.
        return market(tick.instrument, self._front).to_dict()


class ReplayQueue(queue.Queue):
    """An md_queue for a strategy that takes its ticks on a thread of its own, the fastest way
    to feed one. Given to replay() at speed None, it has the strategy's thread play the
    replay: each get() delivers what the strategy sent for the tick before, answers included,
    then plays the next tick on the calling thread (moving the market, delivering the fills it
    makes and the tick to the handlers, which run on this thread meanwhile) and returns its
    record. No tick waits for another thread, and task_done() is not waited for. The first
    thread to get() a replay's tick plays the rest of it; once the replay has ended, get()
    waits for what others put, as a queue.Queue's does (the None a strategy stops at). A
    strategy that stops taking ticks holds the replay (said on stderr after 5 seconds) until
    stop(); one whose thread ends first ends the replay with RuntimeError. At another speed
    it is a plain queue.Queue."""

    def __init__(self, maxsize=0):
        super().__init__(maxsize)
        self._replay = None
        self._taker = None

    def _attach(self, replay):
        with self.mutex:
            self._replay, self._taker = replay, None
            self.not_empty.notify_all()

    def _detach(self, replay):
        with self.mutex:
            if self._replay is replay:
                self._replay = None

    def get(self, block=True, timeout=None):
        if not block:
            return self._get_now()
        if timeout is not None and timeout < 0:
            raise ValueError("'timeout' must be a non-negative number")
        deadline = None if timeout is None else time.monotonic() + timeout
        taker = threading.current_thread()
        while True:
            item = self._take_or_play(taker)
            if item is not _ENDED:
                return item
            with self.not_empty:
                while not self._qsize() and (self._replay is None
                                             or self._taker not in (None, taker)):
                    remaining = None if deadline is None else deadline - time.monotonic()
                    if remaining is not None and remaining <= 0:
                        raise queue.Empty
                    self.not_empty.wait(remaining)

    def _get_now(self):
        """get_nowait(): an item put, or else the replay's next tick played here, if this
        thread is the one to play it."""
        item = self._take_or_play(threading.current_thread())
        if item is _ENDED:
            raise queue.Empty
        return item

    def _take_or_play(self, taker):
        """An item put, or else the replay's next tick played on `taker`'s thread if that is
        the thread to play it; _ENDED when there is neither."""
        with self.mutex:
            if self._qsize():
                item = self._get()
                if self.maxsize > 0:
                    self.not_full.notify()
                return item
            replay = self._replay if self._taker in (None, taker) else None
            if replay is None:
                return _ENDED
            self._taker = taker
        # The tick goes straight to the taker, counted as a put would count it.
        item = replay._pull()
        if item is not _ENDED:
            with self.mutex:
                self.unfinished_tasks += 1
        return item


_running_lock = threading.Lock()
_running_replays = set()


@atexit.register
def _stop_replays():
    """A replay left running when the interpreter exits ends here, between two ticks, rather
    than being cut off wherever its daemon thread happens to be."""
    with _running_lock:
        running = list(_running_replays)
    for replay_ in running:
        replay_.stop()


def replay(source, front=None, speed=None, md_queue=None):
    """Plays recorded ticks into the markets of the broker of `front` (a trader, or a front
    address; with None every broker's and the configuration brokers start from), in time
    order, on a thread of its own; returns its Replay at once.

    source: the path of a CSV file (UTF-8, a byte-order mark allowed) whose header names at
    least the columns time, instrument_id, last, bid, ask, bid_volume and ask_volume (others
    are ignored), each row with a cell for every column (blank lines skipped, a quoted cell
    may run over lines), or an iterable of dicts with those keys. time is the exchange's local date and time in ISO form,
    "2026-12-07 09:00:00.500" (a fraction of a second allowed; a datetime in a dict), and never
    goes back. Optional columns (or keys) volume, turnover and open_interest carry the
    exchange's figures for the day at the tick (an empty cell: none), and bid2 to bid5,
    bid_volume2 to bid_volume5, ask2 to ask5 and ask_volume2 to ask_volume5 the levels of
    book behind the first (an empty cell or a price of 0: no level; a level after none, or a
    price without its volume, is malformed). A tick moves each side's whole book: one
    without levels behind the first quotes its first level alone. Each tick moves its
    instrument's market as set_market(time=) does, stamped with the tick's time, which the
    broker's records carry until the next tick (see "The market's clock" in
    help(Quorvan.sim)): resting orders it crosses fill, conditional orders its last price
    meets trigger, and every MdApiBase
    subscribed to the instrument at a market-data front publishing the broker receives it as
    OnRtnDepthMarketData (see "Market data" in help(Quorvan.sim)).

    speed: None plays as fast as the strategy keeps up: after each tick the fills it made and
    the tick itself are delivered to the front's traders and market-data objects (their
    handlers have returned, and whatever those handlers sent answered) before the tick goes
    to md_queue, and with a queue.Queue the replay then waits until the strategy
    has called task_done() for it and its orders have been answered, before the next tick: a
    backtest through the live code path, whose trades are the same on every run. It waits
    for every item put to the queue, those left unfinished from before included: held so,
    it says on stderr, once, what it waits for (at once for items from before, after 5
    seconds otherwise, and for a bounded queue that stays full). A number
    plays at that multiple of real time (2 plays a minute of ticks in 30 seconds), the ticks
    following each other as they would from an exchange, without waiting for anyone.

    At speed None the replay's thread borrows the work of the front's API objects: their
    handlers run on it, one at a time (a tick's fills before the tick), and no tick waits on
    another thread; wait_delivered() on that thread delivers there. A file's plain rows are
    read and played in the simulated library, a chunk at a time; the first row it is unsure
    of and the rest are read here, to the same ticks and messages. A ReplayQueue as md_queue
    has the strategy's own thread play the ticks inside its get() (see ReplayQueue). One
    replay of a front plays at a time at speed None: a second one meanwhile ends with
    RuntimeError.

    md_queue: any object with put(), given each tick after it moved the market as the
    DepthMarketDataField dict (a record's to_dict(): text as bytes) of the broker's market,
    the record a market-data front publishes for it: TradingDay the broker's, ActionDay,
    UpdateTime and UpdateMillisec the tick's, the last price, the five levels of bids and asks
    with their volumes, the day's figures, the limits and yesterday's settlement, and the day's open, high and
    low. It is for a strategy that takes no market data of its own: one that subscribes
    through an MdApiBase gets each tick from it and passes no md_queue here, or it would get
    each tick twice.

    The Replay's progress counts the ticks played; wait() waits for the end and re-raises what
    ended it; stop() ends it after the tick in progress. On a terminal (stderr), a replay that
    runs more than a second shows how far it has come: the rows read of a file's rows, or the
    ticks of an iterable's len(), with the percentage and the time left at the pace so far;
    the ticks played where no total is known. A malformed row (a missing or malformed field,
    a time going back, a market set_market refuses, an instrument id holding a NUL, more or
    fewer cells than the header has columns, a line that is not UTF-8, holds a NUL or runs
    on past 1,048,576 characters, a quote never closed) ends the replay before it, nothing
    of it applied, the rows before it played: wait() raises ValueError naming the file and
    line as an editor numbers it ("lines N-M" for a row over several; "tick N", counted
    from 1, for an iterable). A file without the columns or naming one twice, with a
    malformed header, or that cannot be opened, raises at once. A replay still running when
    the interpreter exits is stopped."""
    if speed is not None:
        if isinstance(speed, bool) or not isinstance(speed, numbers.Real):
            raise TypeError(f"speed must be a multiple of real time or None, "
                            f"not {type(speed).__name__}")
        if not (math.isfinite(speed) and speed > 0):
            raise ValueError(f"speed must be a positive multiple of real time or None, "
                             f"not {speed!r}")
        speed = float(speed)
    if md_queue is not None and not callable(getattr(md_queue, "put", None)):
        raise TypeError(f"md_queue must have a put method, not be {type(md_queue).__name__}")
    address = front_address(front)
    handle = Replay(ticks_of(source), address, speed, md_queue)
    handle._start()
    return handle
