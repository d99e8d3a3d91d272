"""Parameter sweeps: one backtest per combination of a grid, each in a process of its own.

The simulated libraries keep one broker state per process, so two runs never share a
process: the local engine starts a fresh interpreter for every run (spawn, never fork, as the
extension's threads may already run in the caller), and the Ray engine gives each run a worker
that exits after it (max_calls=1).

The strategy class travels as a reference, not as a pickle: its module's name, its qualified
name and its file's source. A worker imports the module when it can, which keeps a class of an
installed package or of a module on sys.path what it is; a class of a script (``__main__``) or
of a file loaded by path is rebuilt from the file's source, which also reaches a remote Ray
node that lacks the file.
"""
import csv
import glob
import hashlib
import importlib
import importlib.util
import inspect
import itertools
import multiprocessing
import multiprocessing.connection
import os
import shutil
import signal
import socket
import sys
import tempfile
import time
import traceback
from pathlib import Path
from typing import (Any, Callable, Dict, Iterable, Iterator, List, Mapping, NamedTuple,
                    Optional, Sequence, Tuple, Union)

from ._modules import module_from_file

ENGINES = ("process", "ray")
# How long a worker that was told to stop may take before it is killed.
STOP_GRACE = 5.0
# How long a worker that has sent its result may take to exit before it is stopped.
EXIT_GRACE = 60.0

Params = Dict[str, Any]
Stats = Dict[str, Any]


def _run_one(strategy: type, data: Any, params: Params, options: Dict[str, Any]) -> Stats:
    """One backtest, in the worker's process; the stats are what crosses back."""
    from Quorvan.backtest import run   # the runner imports the extension: only in workers
    return dict(run(strategy, data, params=params, **options).stats)


class SweepRow(NamedTuple):
    params: Params
    data: Optional[str]       # the data set's name when each one ran on its own
    stats: Optional[Stats]    # None when the run failed
    error: Optional[str]      # why it failed: the exception, or how its process died


class SweepResult:
    """The runs of a sweep, one row each, in the grid's order."""

    def __init__(self, rows: Sequence[SweepRow], param_names: Sequence[str],
                 by_data: bool) -> None:
        self.rows: List[SweepRow] = list(rows)
        self.param_names = list(param_names)
        self.by_data = by_data

    def __len__(self) -> int:
        return len(self.rows)

    def __iter__(self) -> Iterator[SweepRow]:
        return iter(self.rows)

    def __getitem__(self, index: int) -> SweepRow:
        return self.rows[index]

    @property
    def failed(self) -> List[SweepRow]:
        return [row for row in self.rows if row.error is not None]

    @property
    def columns(self) -> List[str]:
        """The parameters, the data set (when each ran alone), every stat seen, the error."""
        stat_names: Dict[str, None] = {}
        for row in self.rows:
            for name in row.stats or ():
                stat_names.setdefault(name, None)
        return (self.param_names + (["data"] if self.by_data else []) + list(stat_names)
                + ["error"])

    def records(self) -> List[Dict[str, Any]]:
        """One flat dict a row, with every column; a failed run's stats are None."""
        columns = self.columns
        records = []
        for row in self.rows:
            record = dict.fromkeys(columns)
            record.update(row.params)
            if self.by_data:
                record["data"] = row.data
            record.update(row.stats or {})
            record["error"] = row.error
            records.append(record)
        return records

    def to_frame(self) -> Any:
        try:
            import pandas
        except ImportError as error:
            raise ImportError("SweepResult.to_frame needs pandas: pip install pandas") from error
        return pandas.DataFrame(self.records(), columns=self.columns)

    def to_csv(self, path: Union[str, "os.PathLike[str]"]) -> None:
        """Writes the table with a header row; an empty cell is a failed run's missing value."""
        with open(path, "w", newline="", encoding="utf-8") as out:
            writer = csv.DictWriter(out, fieldnames=self.columns)
            writer.writeheader()
            for record in self.records():
                writer.writerow({name: "" if value is None else value
                                 for name, value in record.items()})

    def __repr__(self) -> str:
        return (f"<SweepResult {len(self.rows)} runs, {len(self.failed)} failed,"
                f" columns {self.columns}>")


class _StrategyRef(NamedTuple):
    module: str
    qualname: str
    path: str
    source: str


def _strategy_ref(strategy: Any) -> _StrategyRef:
    if not inspect.isclass(strategy):
        raise TypeError(f"sweep: strategy must be a trader class, not {strategy!r}")
    if "<locals>" in strategy.__qualname__:
        raise TypeError(f"sweep: strategy {strategy.__qualname__} is defined inside a function;"
                        " define it at the top level of a module or file, where each worker"
                        " process can find it")
    module = sys.modules.get(strategy.__module__)
    path = getattr(module, "__file__", None)
    if not path:
        raise TypeError(f"sweep: strategy {strategy.__qualname__} was not defined in a file"
                        " (an interactive session?); define it in a module or file, where each"
                        " worker process can find it")
    path = os.path.realpath(path)
    with open(path, encoding="utf-8") as source:
        return _StrategyRef(strategy.__module__, strategy.__qualname__, path, source.read())


# A worker runs one task; the cache serves an engine that reuses its workers all the same.
_loaded: Dict[_StrategyRef, type] = {}


def _load_strategy(ref: _StrategyRef) -> type:
    if ref not in _loaded:
        _loaded[ref] = _find_class(_load_module(ref), ref.qualname)
    return _loaded[ref]


def _load_module(ref: _StrategyRef) -> Any:
    # A spawned process has run the caller's script already, as __mp_main__.
    script = sys.modules.get("__mp_main__")
    script_path = getattr(script, "__file__", None)
    if ref.module == "__main__" and script_path and os.path.realpath(script_path) == ref.path:
        return script
    if ref.module not in ("__main__", "__mp_main__"):
        try:
            module = importlib.import_module(ref.module)
        except ImportError:
            module = None
        # A module of the same name elsewhere is not the strategy's.
        path = getattr(module, "__file__", None)
        if path and os.path.realpath(path) == ref.path:
            return module
    # From the source, under a name that is not __main__, so that a script's main block stays
    # put; its folder goes on sys.path, so that it imports its siblings as it did.
    name = "_quorvan_strategy_" + hashlib.sha1(ref.source.encode()).hexdigest()[:12]
    if name in sys.modules:
        return sys.modules[name]
    folder = os.path.dirname(ref.path)
    if os.path.isdir(folder) and folder not in sys.path:
        sys.path.append(folder)
    return module_from_file(name, ref.path, ref.source)


def _find_class(module: Any, qualname: str) -> type:
    found = module
    for part in qualname.split("."):
        found = getattr(found, part)
    return found


class _Task(NamedTuple):
    runner: Callable[[type, Any, Params, Dict[str, Any]], Stats]
    strategy: _StrategyRef
    params: Params
    options: Dict[str, Any]


def _execute(task: _Task, data: Any) -> Tuple[Optional[Stats], Optional[str]]:
    """Runs the task, turning any failure into its row's message."""
    try:
        options = {name: _load_strategy(value) if isinstance(value, _StrategyRef) else value
                   for name, value in task.options.items()}
        stats = task.runner(_load_strategy(task.strategy), data, dict(task.params), options)
        return dict(getattr(stats, "stats", stats)), None
    except BaseException as error:   # a KeyboardInterrupt in a worker fails its row too
        return None, _describe(error)


def _describe(error: BaseException) -> str:
    lines = traceback.format_exception(type(error), error, error.__traceback__)
    return f"{type(error).__name__}: {error}\n{''.join(lines)}".rstrip()


def _died(exitcode: Optional[int]) -> str:
    if exitcode is not None and exitcode < 0:
        try:
            name = signal.Signals(-exitcode).name
        except ValueError:
            name = f"signal {-exitcode}"
        return f"the run's process died of {name}"
    return f"the run's process exited with status {exitcode} before reporting"


# --- the grid and the data -------------------------------------------------------------

def _combinations(grid: Any, strategy: type) -> Tuple[List[str], List[Params]]:
    if isinstance(grid, Mapping):
        names = list(grid)
        if not names:
            raise ValueError("sweep: the grid is empty: name at least one parameter")
        values = []
        for name in names:
            choices = grid[name]
            if isinstance(choices, (str, bytes)) or not isinstance(choices, Iterable):
                choices = [choices]
            choices = list(choices)
            if not choices:
                raise ValueError(f"sweep: the grid gives no value for {name!r}")
            values.append(choices)
        combinations = [dict(zip(names, chosen)) for chosen in itertools.product(*values)]
    elif isinstance(grid, Iterable) and not isinstance(grid, (str, bytes)):
        combinations = [dict(params) for params in grid]
        if not combinations:
            raise ValueError("sweep: the grid is empty: give at least one combination")
        names = list(dict.fromkeys(name for params in combinations for name in params))
    else:
        raise TypeError(f"sweep: the grid must map names to values or list combinations,"
                        f" not {grid!r}")
    for name in names:
        if not isinstance(name, str) or not hasattr(strategy, name):
            raise ValueError(f"sweep: the grid names {name!r}, which is no attribute of"
                             f" {strategy.__qualname__}")
    return names, combinations


def _is_path(item: Any) -> bool:
    return isinstance(item, (str, os.PathLike))


def _expand(item: Any) -> List[str]:
    """A path or a glob as the absolute paths of its files, checked to exist."""
    text = os.fspath(item)
    if glob.has_magic(text):
        matches = sorted(glob.glob(text))
        if not matches:
            raise FileNotFoundError(f"sweep: no data file matches {text}")
        return [os.path.abspath(match) for match in matches]
    if not os.path.exists(text):
        raise FileNotFoundError(f"sweep: no data file {text}")
    return [os.path.abspath(text)]


def _data_sets(data: Any, each: bool) -> List[Tuple[Optional[str], Any]]:
    """The data each run reads, named when each data set runs on its own."""
    if _is_path(data):
        files = _expand(data)
        if each:
            return [(os.path.basename(path), path) for path in files]
        # A glob keeps its order; a single file stays a single path.
        return [(None, files if glob.has_magic(os.fspath(data)) else files[0])]
    if not isinstance(data, Iterable):
        raise TypeError(f"sweep: data must be a file, a glob or an iterable, not {data!r}")
    # Every run reads the data again: an iterator would be spent by the first.
    items = list(data)
    if not items:
        raise ValueError("sweep: the data is empty")
    if all(_is_path(item) for item in items):
        files = [path for item in items for path in _expand(item)]
        if each:
            return [(os.path.basename(path), path) for path in files]
        return [(None, files)]
    if each:
        return [(os.fspath(item) if _is_path(item) else f"#{number}",
                 _expand(item)[0] if _is_path(item) else list(item))
                for number, item in enumerate(items)]
    return [(None, items)]


# --- progress ----------------------------------------------------------------------------

class _Progress:
    """A line on the terminal that counts the runs done."""

    def __init__(self, total: int, shown: Optional[bool]) -> None:
        self.total = total
        self.done = 0
        self.failed = 0
        self.started = time.monotonic()
        self.stream = sys.stderr
        self.shown = self.stream.isatty() if shown is None else shown

    def count(self, failed: bool) -> None:
        self.done += 1
        self.failed += failed
        if self.shown:
            elapsed = int(time.monotonic() - self.started)
            failures = f", {self.failed} failed" if self.failed else ""
            self.stream.write(f"\rsweep: {self.done}/{self.total} runs{failures},"
                              f" {elapsed // 60}:{elapsed % 60:02d} elapsed")
            if self.done == self.total:
                self.stream.write("\n")
            self.stream.flush()


# --- the local engine --------------------------------------------------------------------

class _NoTerminal:
    """The worker's stderr, for what goes there but a terminal's progress lines: the workers
    share the caller's terminal, where only the sweep's own line counts."""

    def __init__(self, stream: Any) -> None:
        self._stream = stream

    def isatty(self) -> bool:
        return False

    def __getattr__(self, name: str) -> Any:
        return getattr(self._stream, name)


def _process_main(sender: Any, task: _Task, data: Any) -> None:
    if sys.stderr is not None:
        sys.stderr = _NoTerminal(sys.stderr)
    outcome = _execute(task, data)
    try:
        sender.send(outcome)
    except Exception as error:   # stats that do not pickle
        sender.send((None, _describe(error)))
    sender.close()


def _run_processes(jobs: Sequence[Tuple[_Task, Any]], workers: int,
                   done: Callable[[int, Optional[Stats], Optional[str]], None]) -> None:
    context = multiprocessing.get_context("spawn")
    waiting = list(enumerate(jobs))
    waiting.reverse()
    running: Dict[Any, Tuple[int, Any]] = {}   # receiving end -> (job, process)
    try:
        while waiting or running:
            while waiting and len(running) < workers:
                index, (task, data) = waiting.pop()
                receiver, sender = context.Pipe(duplex=False)
                process = context.Process(target=_process_main, args=(sender, task, data),
                                          name=f"quorvan-sweep-{index}", daemon=True)
                process.start()
                # Only the child holds the sending end now: its death reads as end of file.
                sender.close()
                running[receiver] = (index, process)
            # The result is read before the process is joined: a large one fills the pipe,
            # and the child exits only once it is read.
            for receiver in multiprocessing.connection.wait(list(running)):
                index, process = running.pop(receiver)
                try:
                    stats, error = receiver.recv()
                except (EOFError, OSError):
                    process.join()
                    stats, error = None, _died(process.exitcode)
                else:
                    # The result is in: a process that hangs on its way out is stopped.
                    process.join(EXIT_GRACE)
                    _stop([process])
                receiver.close()
                done(index, stats, error)
    finally:
        # Reached with workers still running only on an interruption (Ctrl-C) or an error
        # here: they stop with the sweep.
        _stop([process for _, process in running.values()])
        for receiver in running:
            receiver.close()


def _stop(processes: Sequence[Any]) -> None:
    for process in processes:
        if process.is_alive():
            process.terminate()
    deadline = time.monotonic() + STOP_GRACE
    for process in processes:
        process.join(max(0.0, deadline - time.monotonic()))
        if process.is_alive():
            process.kill()
            process.join()


# --- the Ray engine ----------------------------------------------------------------------

def _import_ray() -> Any:
    try:
        import ray
    except ImportError as error:
        raise ImportError("sweep: engine='ray' needs Ray: pip install 'Quorvan[ray]'") from error
    return ray


def _check_ray_installed() -> None:
    if importlib.util.find_spec("ray") is None:
        raise ImportError("sweep: engine='ray' needs Ray: pip install 'Quorvan[ray]'")


# Ray reads these when it is imported and when it starts: a cluster of this machine alone
# stays on the loopback interface, and sends out no usage report.
_LOCAL_RAY_ENVIRONMENT = {"RAY_ENABLE_WINDOWS_OR_OSX_CLUSTER": "0", "RAY_USAGE_STATS_ENABLED": "0"}


def _start_local_ray(workers: Optional[int]) -> Any:
    saved = {name: os.environ.get(name) for name in _LOCAL_RAY_ENVIRONMENT}
    os.environ.update(_LOCAL_RAY_ENVIRONMENT)
    try:
        ray = _import_ray()
        ray.init(num_cpus=workers or os.cpu_count() or 1, include_dashboard=False,
                 log_to_driver=False)
    finally:
        for name, value in saved.items():
            if value is None:
                del os.environ[name]
            else:
                os.environ[name] = value
    return ray


def _check_address(address: str) -> None:
    """Fails fast on a cluster that does not answer, which Ray itself would wait for."""
    if address in ("auto", "local"):
        return
    host_port = address.split("://", 1)[-1].rstrip("/")
    host, _, port = host_port.rpartition(":")
    if not host or not port.isdigit():
        raise ValueError(f"sweep: the Ray address {address!r} is not host:port")
    try:
        with socket.create_connection((host.strip("[]"), int(port)), timeout=10):
            pass
    except OSError as error:
        raise ConnectionError(f"sweep: no Ray cluster answers at {address}: {error}") from None


class _ShippedFiles(NamedTuple):
    """Data files carried to the workers, for nodes that do not share the caller's disk."""
    names: List[str]
    contents: List[bytes]
    single: bool


def _ship(data: Any) -> Any:
    if isinstance(data, str):
        paths, single = [data], True
    elif isinstance(data, list) and data and all(isinstance(item, str) for item in data):
        paths, single = data, False
    else:
        return data   # records travel as they are
    return _ShippedFiles([os.path.basename(path) for path in paths],
                         [Path(path).read_bytes() for path in paths], single)


def _ray_main(task: _Task, data: Any) -> Tuple[Optional[Stats], Optional[str]]:
    if not isinstance(data, _ShippedFiles):
        return _execute(task, data)
    folder = tempfile.mkdtemp(prefix="quorvan-sweep-")
    try:
        paths = []
        # A folder a file, so that two files of the same name stay apart.
        for number, (name, content) in enumerate(zip(data.names, data.contents)):
            path = Path(folder, str(number), name)
            path.parent.mkdir()
            path.write_bytes(content)
            paths.append(str(path))
        return _execute(task, paths[0] if data.single else paths)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def _run_ray(jobs: Sequence[Tuple[_Task, Any]], workers: Optional[int], address: Optional[str],
             ship_data: bool, done: Callable[[int, Optional[Stats], Optional[str]], None]) -> None:
    started = False
    if "ray" in sys.modules and sys.modules["ray"].is_initialized():
        ray = sys.modules["ray"]
    elif address is not None:
        ray = _import_ray()
        ray.init(address=address, log_to_driver=False)
        started = True
    else:
        ray = _start_local_ray(workers)
        started = True
    try:
        remote = ray.remote(num_cpus=1, max_calls=1, max_retries=0)(_ray_main)
        # Each data set goes to the object store once, whatever the number of runs.
        stored: Dict[int, Any] = {}
        waiting = list(enumerate(jobs))
        waiting.reverse()
        running: Dict[Any, int] = {}
        limit = workers or len(jobs)
        try:
            while waiting or running:
                while waiting and len(running) < limit:
                    index, (task, data) = waiting.pop()
                    if id(data) not in stored:
                        stored[id(data)] = ray.put(_ship(data) if ship_data else data)
                    running[remote.remote(task, stored[id(data)])] = index
                ready, _ = ray.wait(list(running), num_returns=1)
                for reference in ready:
                    index = running.pop(reference)
                    try:
                        stats, error = ray.get(reference)
                    except Exception as failure:   # the worker died, or Ray lost the task
                        stats, error = None, f"the run's Ray worker failed: {failure}"
                    done(index, stats, error)
        finally:
            for reference in running:
                ray.cancel(reference, force=True)
    finally:
        if started:
            ray.shutdown()


# --- the entry point ---------------------------------------------------------------------

def sweep(strategy: type, data: Any, grid: Any, engine: str = "process",
          workers: Optional[int] = None, address: Optional[str] = None, *,
          each_data: bool = False, ship_data: bool = True, progress: Optional[bool] = None,
          **options: Any) -> SweepResult:
    """Backtests strategy once for every combination of grid, each run in its own process.

    grid maps attribute names of the strategy to the values to try ({"FAST": [10, 20],
    "SLOW": [60, 120]} gives four runs, the last name varying fastest), or lists the
    combinations as dicts. data is what run takes; with each_data, each of its files (a glob's
    files, a list's items) is a run of its own for every combination. options go to run.

    engine="process" runs on this machine, workers at a time (default: its cores);
    engine="ray" runs on the Ray cluster at address, or on a local one started for the sweep
    when Ray is not initialized already (one that is, is used as it is). With ship_data the
    data files travel with the runs; without, every node reads them at the same paths.

    Returns the runs in the grid's order; a run that fails, or whose process dies, has its
    error in its row, and the others go on. progress shows a count on stderr (default: when
    stderr is a terminal).
    """
    if engine not in ENGINES:
        raise ValueError(f"sweep: unknown engine {engine!r}: use one of {', '.join(ENGINES)}")
    if address is not None and engine != "ray":
        raise ValueError(f"sweep: address {address!r} names a Ray cluster: pass engine='ray'")
    if workers is not None and (isinstance(workers, bool) or not isinstance(workers, int)
                                or workers < 1):
        raise ValueError(f"sweep: workers must be a positive count, not {workers!r}")
    from ._runner import strategy_class
    strategy_class(strategy, None)   # a trader class, or the runner's own error
    ref = _strategy_ref(strategy)
    names, combinations = _combinations(grid, strategy)
    # A class among the options (a market-data class) travels as the strategy does.
    options = {name: _strategy_ref(value) if inspect.isclass(value) else value
               for name, value in options.items()}
    data_sets = _data_sets(data, each_data)
    if engine == "ray":
        if address is not None:
            _check_address(address)
        _check_ray_installed()

    task_runner = _run_one
    plan = [(params, name, data_set) for params in combinations for name, data_set in data_sets]
    jobs = [(_Task(task_runner, ref, params, dict(options)), data_set)
            for params, _, data_set in plan]
    outcomes: List[Optional[Tuple[Optional[Stats], Optional[str]]]] = [None] * len(jobs)
    counter = _Progress(len(jobs), progress)

    def done(index: int, stats: Optional[Stats], error: Optional[str]) -> None:
        outcomes[index] = (stats, error)
        counter.count(error is not None)

    if engine == "process":
        _run_processes(jobs, workers or os.cpu_count() or 1, done)
    else:
        _run_ray(jobs, workers, address, ship_data, done)

    rows = []
    for (params, name, _), outcome in zip(plan, outcomes):
        assert outcome is not None
        rows.append(SweepRow(dict(params), name, outcome[0], outcome[1]))
    return SweepResult(rows, names, each_data)
