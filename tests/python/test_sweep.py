import csv
import itertools
import os
import signal
import socket
import subprocess
import sys
import textwrap

import pytest

from Quorvan.backtest import _sweep, run, sweep
from Quorvan.backtest._modules import module_from_file
from sweep_helpers import CRASHING, UNLUCKY, Strategy, fake_run
from conftest import wait_until


@pytest.fixture
def fake_runner(monkeypatch):
    monkeypatch.setattr(_sweep, "_run_one", fake_run)


@pytest.fixture
def data_files(tmp_path):
    files = []
    for day in ("20261207", "20261208"):
        path = tmp_path / f"rb_{day}.csv"
        path.write_text("InstrumentID,LastPrice\n")
        files.append(path)
    return files


@pytest.mark.parametrize("each_data", [False, True])
def test_rows_follow_the_grid_and_equal_runs_made_one_by_one(fake_runner, data_files, tmp_path,
                                                           each_data):
    grid = {"FAST": [20, 10], "SLOW": [120, 60]}
    result = sweep(Strategy, str(tmp_path / "rb_*.csv"), grid, workers=2, each_data=each_data,
                   progress=False, balance=1e6)

    data_sets = ([[str(path)] for path in data_files] if each_data
                 else [[str(path) for path in data_files]])
    expected = [(dict(FAST=fast, SLOW=slow), data)
                for fast, slow in itertools.product(grid["FAST"], grid["SLOW"])
                for data in data_sets]
    assert [row.params for row in result] == [params for params, _ in expected]
    assert [row.stats for row in result] == [
        fake_run(Strategy, data[0] if each_data else data, params, {"balance": 1e6})
        for params, data in expected]
    assert [row.data for row in result] == [
        os.path.basename(data[0]) if each_data else None for _, data in expected]

    out = tmp_path / "sweep.csv"
    result.to_csv(out)
    with open(out, newline="") as table:
        rows = list(csv.DictReader(table))
    assert list(rows[0]) == (["FAST", "SLOW"] + (["data"] if each_data else [])
                             + ["net", "strategy", "read", "options", "error"])
    assert [(int(row["FAST"]), int(row["SLOW"]), int(row["net"]), row["error"]) for row in rows] \
        == [(p["FAST"], p["SLOW"], p["FAST"] * 1000 + p["SLOW"], "") for p, _ in expected]


@pytest.mark.parametrize("failing, error", [(UNLUCKY, "ValueError: no trades at 13"),
                                            (CRASHING, "died of SIGSEGV")])
def test_a_failed_run_fails_its_row_and_the_others_go_on(fake_runner, data_files, failing,
                                                          error):
    result = sweep(Strategy, data_files[0], {"FAST": [10, failing, 20], "SLOW": [60]},
                   workers=2, progress=False)

    assert [row.params["FAST"] for row in result] == [10, failing, 20]
    assert result[1].stats is None and error in result[1].error
    assert [row.stats["net"] for row in (result[0], result[2])] == [10060, 20060]
    assert result.failed == [result[1]]


def closed_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


@pytest.mark.parametrize("grid, options, error", [
    ({}, {}, "grid is empty"),
    ([], {}, "grid is empty"),
    ({"FAST": []}, {}, "no value for 'FAST'"),
    ({"FAST": [1], "FASTER": [2]}, {}, "'FASTER', which is no attribute of Strategy"),
    ({"FAST": [1]}, {"engine": "thread"}, "unknown engine 'thread'"),
    ({"FAST": [1]}, {"workers": 0}, "workers must be a positive count"),
    ({"FAST": [1]}, {"data": "/nonexistent/rb.csv"}, "no data file /nonexistent/rb.csv"),
    ({"FAST": [1]}, {"data": "/nonexistent/*.csv"}, "no data file matches /nonexistent/"),
    ({"FAST": [1]}, {"address": "127.0.0.1:PORT"}, "names a Ray cluster: pass engine='ray'"),
    ({"FAST": [1]}, {"engine": "ray", "address": "127.0.0.1:PORT"},
     "no Ray cluster answers at 127.0.0.1:PORT"),
])
def test_bad_input_is_refused_before_any_run(fake_runner, data_files, grid, options, error,
                                             monkeypatch):
    started = []
    monkeypatch.setattr(_sweep, "_run_processes", lambda *args: started.append(args))
    monkeypatch.setattr(_sweep, "_run_ray", lambda *args: started.append(args))
    port = str(closed_port())
    if "address" in options:
        options["address"] = options["address"].replace("PORT", port)
    options = {"data": data_files[0], **options}
    with pytest.raises((ValueError, FileNotFoundError, ConnectionError)) as raised:
        sweep(Strategy, grid=grid, progress=False, **options)
    assert error.replace("PORT", port) in str(raised.value)
    assert not started


def test_a_class_of_a_file_loaded_by_path_reaches_the_workers(fake_runner, data_files, tmp_path,
                                                              monkeypatch):
    # As a command line loads a user's file: under a name no worker can import.
    path = tmp_path / "my_strategy.py"
    path.write_text(textwrap.dedent("""
        import sweep_helpers

        class Mine(sweep_helpers.Strategy):
            SLOW = 7

        if __name__ == "__main__":
            raise SystemExit("a worker ran the script's main block")
    """))
    # Registered for this test only: gone again once it ends.
    monkeypatch.setitem(sys.modules, "loaded_by_path_only", None)
    module = module_from_file("loaded_by_path_only", str(path))

    result = sweep(module.Mine, data_files[0], {"FAST": [1, 2]}, workers=2, progress=False)

    assert [row.error for row in result] == [None, None]
    assert [(row.stats["strategy"], row.stats["net"]) for row in result] == [("Mine", 1007),
                                                                             ("Mine", 2007)]


SWEEP_UNTIL_INTERRUPTED = """
import signal, sys
from Quorvan.backtest import _sweep, run, sweep
import sweep_helpers

if __name__ == "__main__":
    # A suite started in the background by a shell inherits SIGINT ignored.
    signal.signal(signal.SIGINT, signal.default_int_handler)
    _sweep._run_one = sweep_helpers.blocking_run
    try:
        sweep(sweep_helpers.Strategy, sys.argv[1], {"FAST": [1, 2, 3]}, workers=2)
    except KeyboardInterrupt:
        sys.exit(3)
"""


def test_ctrl_c_stops_the_sweep_and_every_run(data_files, tmp_path):
    script = tmp_path / "interrupted.py"
    script.write_text(SWEEP_UNTIL_INTERRUPTED)
    pids = tmp_path / "pids"
    pids.mkdir()
    environment = dict(os.environ, SWEEP_PID_FOLDER=str(pids),
                       PYTHONPATH=os.pathsep.join([os.path.dirname(__file__)] + sys.path))
    sweeper = subprocess.Popen([sys.executable, str(script), str(data_files[0])],
                               env=environment)
    try:
        wait_until(lambda: len([name for name in os.listdir(pids)
                                if not name.endswith(".tmp")]) == 2, timeout=120)
        workers = [int(name) for name in os.listdir(pids) if not name.endswith(".tmp")]
        sweeper.send_signal(signal.SIGINT)
        assert sweeper.wait(timeout=60) == 3
    finally:
        sweeper.kill()
        sweeper.wait()

    def gone(pid):
        try:
            os.kill(pid, 0)
        except ProcessLookupError:
            return True
        return False

    wait_until(lambda: all(gone(pid) for pid in workers), timeout=30)
    # The third run never started.
    assert len(os.listdir(pids)) == 2


@pytest.fixture(scope="session")
def ray_cluster():
    """One local Ray for the whole run, on the loopback interface, shut down at its end."""
    if "QUORVAN_SANITIZED" in os.environ:
        pytest.skip("Ray's own processes are not built for the sanitizers")
    if not (3, 8) <= sys.version_info[:2] <= (3, 13):
        pytest.skip("Ray publishes no wheel for this interpreter")
    # Read when Ray is imported: a single node on the loopback interface, no usage report.
    os.environ.update(RAY_ENABLE_WINDOWS_OR_OSX_CLUSTER="0", RAY_USAGE_STATS_ENABLED="0")
    import ray
    # Ray's workers start with the environment of the process that starts Ray.
    os.environ["PYTHONPATH"] = os.pathsep.join(
        [os.path.dirname(__file__)] + [p for p in os.environ.get("PYTHONPATH", "").split(os.pathsep) if p])
    ray.init(num_cpus=2, include_dashboard=False, log_to_driver=False)
    try:
        yield ray
    finally:
        ray.shutdown()


EXAMPLES = os.path.join(os.path.dirname(__file__), "..", "..", "examples")


def crossover_sweep():
    """The moving-average example, its data, and a grid of two runs."""
    sys.path.insert(0, EXAMPLES)
    try:
        from backtest_crossover import DATA_FILE, Crossover
    finally:
        sys.path.remove(EXAMPLES)
    return Crossover, DATA_FILE, {"FAST": [20, 10], "SLOW": [60]}


def comparable(result):
    # NaN (a Sharpe ratio of one day) never equals itself: compare the printed values.
    return [repr(sorted(record.items())) for record in result.records()]


def test_a_sweep_equals_the_same_backtests_run_one_by_one():
    crossover, data, grid = crossover_sweep()
    result = sweep(crossover, data, grid, workers=2, progress=False)

    alone = [run(crossover, data, params=dict(FAST=fast, SLOW=60)).stats for fast in grid["FAST"]]
    assert [repr(row.stats) for row in result] == [repr(stats) for stats in alone]
    assert alone[0]["trades"] > 0


def test_ray_gives_the_table_the_process_pool_gives(ray_cluster):
    crossover, data, grid = crossover_sweep()
    on_processes = sweep(crossover, data, grid, workers=2, progress=False)
    on_ray = sweep(crossover, data, grid, engine="ray", workers=2, progress=False)
    assert not on_processes.failed
    assert comparable(on_ray) == comparable(on_processes)
