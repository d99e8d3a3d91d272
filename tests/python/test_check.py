"""python -m Quorvan.check against the simulated broker."""
import io
import os
import subprocess
import sys

import Quorvan.sim as sim
from Quorvan import check

ACCOUNT = ["--broker-id", "9999", "--investor-id", "U01", "--app-id", "app",
           "--auth-code", "code", "--timeout", "60"]


def test_check_reports_each_step_and_exits_zero():
    # As a user runs it: a process of its own, whose simulated broker takes any account.
    run = subprocess.run(
        [sys.executable, "-m", "Quorvan.check", "--td-server", "127.0.0.1:41301",
         "--md-server", "127.0.0.1:41301", "--password", "secret", *ACCOUNT],
        capture_output=True, text=True, timeout=120, env=dict(os.environ))
    assert run.returncode == 0, run.stdout + run.stderr
    steps = [line.split()[:2] for line in run.stdout.splitlines() if line.startswith("  ")]
    assert steps == [["connect", "ok"], ["authenticate", "ok"], ["login", "ok"],
                     ["confirm", "settlement"], ["connect", "ok"], ["login", "ok"]]
    assert run.stdout.rstrip().endswith("every step succeeded")


def test_check_refused_login_exits_non_zero():
    front = "127.0.0.1:41302"
    sim.configure(front, accounts={"U01": dict(password="secret")})
    out = io.StringIO()
    status = check.main(["--td-server", front, "--md-server", front, "--password", "wrong",
                         *ACCOUNT], out=out)
    report = out.getvalue()
    assert status == 1, report
    assert "login               REFUSED  ErrorID" in report
    assert "market-data front" not in report and "confirm settlement" not in report
