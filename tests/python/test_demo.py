import os
import re
import subprocess
import sys
from pathlib import Path

import Quorvan

ROOT = Path(__file__).resolve().parents[2]
DEMO = ROOT / "examples" / "demo.py"


def run_python(arguments, cwd):
    # The program imports the package this suite tests, wherever that was built.
    env = dict(os.environ, PYTHONPATH=str(Path(Quorvan.__file__).resolve().parents[1]))
    return subprocess.run([sys.executable, *arguments], capture_output=True, text=True,
                          timeout=120, cwd=cwd, env=env)


def test_demo_trades_and_exits_cleanly(tmp_path):
    done = run_python([str(DEMO)], tmp_path)
    assert done.returncode == 0, done.stdout + done.stderr
    for line in ("Trader Ready!", "filled at 3201", "filled at 3200", "2 filled, 1 resting: 部分成交",
                 "2 filled, the other cancelled: 已撤单", "Positions:"):
        assert line in done.stdout


def test_the_client_example_trades_and_exits_cleanly(tmp_path):
    done = run_python([str(ROOT / "examples" / "client_strategy.py")], tmp_path)
    assert done.returncode == 0, done.stdout + done.stderr
    for line in ("Bought 1 at 3201", "rested and was cancelled: 已撤单", "Sold 1 at 3201",
                 "commission 6.40"):
        assert line in done.stdout


def test_the_readmes_strategy_releases_its_trader_once_both_fills_are_in(tmp_path):
    blocks = re.findall(r"```python\n(.*?)```", (ROOT / "README.md").read_text(), re.S)
    (strategy,) = [block for block in blocks if "class Strategy" in block]
    done = run_python(["-c", strategy], tmp_path)
    assert done.returncode == 0, done.stdout + done.stderr
    trades = [line for line in done.stdout.splitlines() if "|| OnRtnTrade ||" in line]
    assert len(trades) == 2, done.stdout


def test_the_replay_example_trades_the_same_way_on_every_run(tmp_path):
    runs = [run_python([str(ROOT / "examples" / "replay_strategy.py")], tmp_path)
            for _ in range(2)]
    for done in runs:
        assert done.returncode == 0, done.stdout + done.stderr
    # The log lines carry the wall clock; what was traded is all the rest.
    trading = [[line for line in done.stdout.splitlines() if " || " not in line]
               for done in runs]
    assert trading[0] == trading[1]
    assert "Replayed 3,600 ticks of rb2705 from rb2705_ticks.csv" in trading[0]
    trades = [line for line in trading[0] if re.fullmatch(r"\s+\S+\s+(buy|sell)\s+\d+\s+\d+", line)]
    assert len(trades) >= 2 and trades[-1].split()[0] != "buy"
    assert any(line.startswith(f"Result: {len(trades)} trades") for line in trading[0])


def test_the_replayed_data_file_is_what_its_generator_makes(tmp_path):
    data = ROOT / "examples" / "data"
    done = run_python([str(data / "make_ticks.py"), str(tmp_path / "ticks.csv")], tmp_path)
    assert done.returncode == 0, done.stderr
    assert (tmp_path / "ticks.csv").read_bytes() == (data / "rb2705_ticks.csv").read_bytes()
