"""A broker's state kept in a store across processes, and the flows resumed by their resume
types after a dropped connection and after a restart."""
import itertools
import json
import os
import signal
import sqlite3
import subprocess
import sys
from pathlib import Path

import pytest

import Quorvan
import Quorvan.sim as sim
from conftest import wait_until
from store_client import FlowTrader, books, buy

RESTART, RESUME, QUICK = 0, 1, 2

_fronts = itertools.count()


@pytest.fixture
def front():
    return f"sim-store-{os.getpid()}-{next(_fronts)}:1"


class Client:
    """store_client.py run as a process of its own."""

    def __init__(self, front, store, flow_path, private_resume=QUICK, public_resume=QUICK):
        env = dict(os.environ, PYTHONPATH=str(Path(Quorvan.__file__).resolve().parents[1]))
        self.process = subprocess.Popen(
            [sys.executable, str(Path(__file__).with_name("store_client.py")), front,
             str(store), str(flow_path), str(private_resume), str(public_resume)],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, env=env)
        self.login = self.read()

    def read(self):
        line = self.process.stdout.readline()
        assert line, f"the client ended with {self.process.wait()}"
        return json.loads(line)

    def ask(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        return self.read()

    def kill(self):
        self.process.send_signal(signal.SIGKILL)
        assert self.process.wait() == -signal.SIGKILL

    def exit(self):
        self.process.stdin.write("exit\n")
        self.process.stdin.flush()
        assert self.process.wait() == 0


@pytest.fixture
def clients():
    started = []

    def start(*args, **kwargs):
        client = Client(*args, **kwargs)
        started.append(client)
        return client

    yield start
    for client in started:
        if client.process.poll() is None:
            client.process.kill()
            client.process.wait()
        client.process.stdin.close()
        client.process.stdout.close()


def flow_dir(tmp_path, name):
    path = tmp_path / name
    path.mkdir()
    return str(path) + os.sep


def test_a_killed_process_loses_nothing_it_was_answered(clients, front, tmp_path):
    store = tmp_path / "broker.db"
    first = clients(front, store, flow_dir(tmp_path, "first"))
    assert first.login["max_order_ref"] == 0
    order_ref = first.ask("order")
    answered = first.ask("books")
    first.kill()

    again = clients(front, store, flow_dir(tmp_path, "again"))
    assert again.login["max_order_ref"] == int(order_ref)
    found = again.ask("books")
    assert found == answered
    assert found["orders"] == [[order_ref, "0"]]
    assert len(found["trades"]) == 1
    assert found["positions"] == [["rb2705", "2", 1]]
    # References go on from the day's highest.
    assert again.ask("order") == str(int(order_ref) + 1)
    again.exit()


def private_flow(flow):
    return [item for item in flow if item[0] != "OnRtnInstrumentStatus"]


def public_flow(flow):
    return [item for item in flow if item[0] == "OnRtnInstrumentStatus"]


# What a flow directory that received the first part of the day's flow gets at its next login,
# by its resume type, once the second part was made while it was away.
def expected_after_return(resume, first, second):
    return {RESTART: first + second, RESUME: second, QUICK: []}[resume]


@pytest.mark.parametrize("resume", [RESTART, RESUME, QUICK])
def test_a_restarted_process_resumes_the_private_flow_by_its_resume_type(clients, front,
                                                                        tmp_path, resume):
    store = tmp_path / "broker.db"
    ours = flow_dir(tmp_path, "ours")
    first = clients(front, store, ours, private_resume=resume)
    first.ask("order")
    # An event counts as received once its callback has returned: by a later answer, all have.
    first.ask("books")
    received = private_flow(first.ask("flow"))
    first.kill()
    # Another trader of the investor trades while ours is away.
    other = clients(front, store, flow_dir(tmp_path, "other"))
    other.ask("order")
    made_while_away = private_flow(other.ask("flow"))
    other.exit()

    back = clients(front, store, ours, private_resume=resume)
    assert received and made_while_away
    assert private_flow(back.ask("flow")) == expected_after_return(resume, received,
                                                                   made_while_away)
    back.exit()


def test_resume_repeats_the_event_whose_handler_a_kill_interrupted_and_loses_none(
        clients, front, tmp_path):
    store = tmp_path / "broker.db"
    ours = flow_dir(tmp_path, "ours")
    first = clients(front, store, ours, private_resume=RESUME)
    first.ask("order")
    received = private_flow(first.ask("hold"))  # its last event's handler never returns
    first.kill()

    whole = private_flow(clients(front, store, flow_dir(tmp_path, "all"),
                                 private_resume=RESTART).ask("flow"))
    back = clients(front, store, ours, private_resume=RESUME)
    assert whole[:len(received)] == received and len(whole) > len(received)
    # At least once: the interrupted event comes again, first, and everything after it.
    assert private_flow(back.ask("flow")) == whole[len(received) - 1:]
    back.exit()


@pytest.mark.parametrize("resume", [RESTART, RESUME, QUICK])
def test_the_public_flow_resumes_by_its_resume_type_across_processes(clients, front, tmp_path,
                                                                     resume):
    store = tmp_path / "broker.db"
    ours = flow_dir(tmp_path, "ours")
    first = clients(front, store, ours, public_resume=resume)
    statuses = public_flow(first.ask("flow"))
    first.exit()
    back = clients(front, store, ours, public_resume=resume)
    assert public_flow(back.ask("flow")) == {RESTART: statuses, RESUME: [], QUICK: []}[resume]
    assert statuses == ([] if resume == QUICK else [
        ["OnRtnInstrumentStatus", instrument] for instrument in
        sorted(["rb2705", "cu2702", "au2706", "sc2702", "m2705", "i2705", "SR705", "TA705",
                "IF2703", "IC2703", "si2705", "lc2705"])])
    back.exit()


@pytest.mark.parametrize("with_store", [False, True], ids=["memory", "store"])
@pytest.mark.parametrize("resume", [RESTART, RESUME, QUICK])
def test_a_reconnection_resumes_the_private_flow_by_its_resume_type(make_trader, front, tmp_path,
                                                                    resume, with_store):
    sim.configure(front, limits=None, store=tmp_path / "broker.db" if with_store else None)
    ours = make_trader(FlowTrader, td_server=front, flow_path=flow_dir(tmp_path, "ours"),
                       private_resume_type=resume)
    other = make_trader(FlowTrader, td_server=front, flow_path=flow_dir(tmp_path, "other"))
    wait_until(lambda: ours.status == 0 and other.status == 0)
    buy(ours)
    books(ours)  # every return of the order has arrived once a later answer has
    received = list(ours.flow)
    sim.disconnect(ours, reconnect_after=None)
    buy(other)
    books(other)
    made_while_away = other.flow[len(received):]
    session = ours.session_id
    sim.disconnect(ours, reconnect_after=0)
    wait_until(lambda: ours.status == 0 and ours.session_id != session)
    books(ours)
    assert received and made_while_away
    assert ours.flow[len(received):] == expected_after_return(resume, received, made_while_away)


def make_foreign(path):
    with sqlite3.connect(path) as db:
        db.execute("CREATE TABLE notes (text TEXT)")


def make_other_version(path, front):
    sim.configure(front, store=path)
    sim.configure(front, store=None)
    with sqlite3.connect(path) as db:
        db.execute("PRAGMA user_version = 99")


def make_not_a_database(path):
    path.write_bytes(b"these are not the pages of a database\n" * 200)


@pytest.mark.parametrize("make, message", [
    (lambda path, front: make_foreign(path), "an SQLite database of another application"),
    (make_other_version, "a broker store of version 99; this library keeps version 2"),
    (lambda path, front: make_not_a_database(path), "not an SQLite database"),
], ids=["foreign", "other-version", "not-a-database"])
def test_a_file_that_is_not_a_store_of_ours_is_refused_untouched(front, tmp_path, make, message,
                                                                  make_trader):
    path = tmp_path / "broker.db"
    make(path, front)
    content = path.read_bytes()
    with pytest.raises(ValueError, match=message):
        sim.configure(front, store=path, accounts={"U01": {"password": "other"}})
    assert path.read_bytes() == content
    # The front's broker is as it was: no declared accounts, so anyone logs in.
    trader = make_trader(FlowTrader, td_server=front, flow_path=flow_dir(tmp_path, "ours"))
    wait_until(lambda: trader.status == 0)


def test_only_a_fronts_broker_takes_a_store(tmp_path):
    with pytest.raises(ValueError, match="configure it for a front"):
        sim.configure(store=tmp_path / "broker.db")


def test_an_order_answered_writes_little_to_the_log(make_trader, front, tmp_path):
    # A request costs about what it writes: every page it changes goes to the log again.
    store = tmp_path / "broker.db"
    sim.configure(front, limits=None, store=store)
    trader = make_trader(FlowTrader, td_server=front, flow_path=flow_dir(tmp_path, "ours"))
    wait_until(lambda: trader.status == 0)
    buy(trader)  # the day's first records are the bases the others are packed against
    log = Path(f"{store}-wal")
    before = log.stat().st_size
    for _ in range(20):
        buy(trader)
    assert (log.stat().st_size - before) / 20 < 16_000
