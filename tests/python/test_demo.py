import os
import subprocess
import sys
from pathlib import Path

import Quorvan

DEMO = Path(__file__).resolve().parents[2] / "examples" / "demo.py"


def test_demo_trades_and_exits_cleanly(tmp_path):
    # The demo imports the package this suite tests, wherever that was built.
    env = dict(os.environ, PYTHONPATH=str(Path(Quorvan.__file__).resolve().parents[1]))
    done = subprocess.run([sys.executable, str(DEMO)], capture_output=True, text=True,
                          timeout=120, cwd=tmp_path, env=env)
    assert done.returncode == 0, done.stdout + done.stderr
    for line in ("Trader Ready!", "filled at 3201", "filled at 3200", "已撤单", "Positions:"):
        assert line in done.stdout
