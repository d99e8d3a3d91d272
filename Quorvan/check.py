"""Checks that an account can reach a broker: connects to the trader front, authenticates,
logs in and confirms the settlement statement, then connects and logs in to the market-data
front, printing each step's answer. It sends no order and no query.

    python -m Quorvan.check --td-server tcp://HOST:PORT --md-server tcp://HOST:PORT \\
        --broker-id 9999 --investor-id 000001 --password ... --app-id ... --auth-code ...

It exits with 0 when every step succeeded, 1 when a step was refused or not answered within
--timeout seconds, and 2 for wrong arguments.
"""
import argparse
import queue
import shutil
import sys
import tempfile
import time

from Quorvan.CTP.MdApiBase import MdApiBase
from Quorvan.CTP.TraderApiBase import TraderApiBase

# Each side's steps in the order the session takes them: (what is reported, the event that
# answers it). The login chain of TraderApiBase and MdApiBase sends the requests by itself.
_TRADER_STEPS = (("connect", "OnFrontConnected"), ("authenticate", "OnRspAuthenticate"),
                ("login", "OnRspUserLogin"), ("confirm settlement", "OnRspSettlementInfoConfirm"))
_MD_STEPS = (("connect", "OnFrontConnected"), ("login", "OnRspUserLogin"))

_EXIT_OK, _EXIT_FAILED = 0, 1


def _text(value):
    if isinstance(value, (bytes, bytearray)):
        return bytes(value).decode("gb18030", "replace")
    return str(value)


def _answer_events(base, steps):
    """A subclass of base whose step events (and OnRspError, OnFrontDisconnected) are put on
    the object's `answers` queue as (event, ErrorID, ErrorMsg, record) before the base class's
    handler keeps the login chain going."""

    def recorder(event):
        handler = getattr(base, event)

        def record(self, *args):
            record_dict, rsp_info = (args + (None, None))[:2] if args else (None, None)
            if event == "OnFrontConnected":
                self.answers.put((event, 0, "", None))
            else:
                rsp_info = rsp_info or {}
                self.answers.put((event, rsp_info.get("ErrorID", 0),
                                  _text(rsp_info.get("ErrorMsg", "")), record_dict))
            return handler(self, *args)

        record.__name__ = event
        return record

    def on_front_disconnected(self, nReason):
        self.answers.put(("OnFrontDisconnected", nReason, "", None))
        return base.OnFrontDisconnected(self, nReason)

    def on_rsp_error(self, pRspInfo, nRequestID, bIsLast):
        rsp_info = pRspInfo or {}
        self.answers.put(("OnRspError", rsp_info.get("ErrorID", 0),
                          _text(rsp_info.get("ErrorMsg", "")), None))

    namespace = {event: recorder(event) for _, event in steps}
    namespace.update(
        OnFrontDisconnected=on_front_disconnected,
        OnRspError=on_rsp_error,
        # The check prints its own report; the library's log lines would repeat it.
        write_log=lambda self, *args, **kwargs: None,
        init_extra=lambda self: setattr(self, "answers", queue.Queue()),
    )
    return type(f"Checked{base.__name__}", (base,), namespace)


_CheckedTrader = _answer_events(TraderApiBase, _TRADER_STEPS)
_CheckedMd = _answer_events(MdApiBase, _MD_STEPS)


def _details(event, record):
    if event == "OnRspUserLogin" and record:
        return (f"trading day {_text(record.get('TradingDay', b''))}, front "
                f"{record.get('FrontID')}, session {record.get('SessionID')}")
    return ""


def _follow(api, steps, deadline, out):
    """Prints each step's answer as it comes; True when every step succeeded."""
    width = max(len(step) for step, _ in steps)
    waiting = list(steps)
    while waiting:
        step, expected = waiting[0]
        left = deadline - time.monotonic()
        try:
            event, error_id, error_msg, record = api.answers.get(timeout=max(left, 0))
        except queue.Empty:
            reason = ""
            error = getattr(api, "init_error_msg", None) or {}
            if error.get("ErrorMsg"):
                reason = f" (last: {_text(error['ErrorMsg'])}, result {error.get('ErrorID')})"
            print(f"  {step:<{width}}  NO ANSWER in time{reason}", file=out)
            return False
        if event == "OnFrontDisconnected":
            print(f"  {'':<{width}}  disconnected, reason {error_id:#x}; waiting for the "
                  "library to reconnect", file=out)
            continue
        if event == "OnRspError":
            print(f"  {step:<{width}}  REFUSED  ErrorID {error_id}: {error_msg}", file=out)
            return False
        if event != expected:
            # A step answered again after a reconnection, or an event of a later step the
            # library sent anyway: only the awaited one decides.
            continue
        if error_id != 0:
            print(f"  {step:<{width}}  REFUSED  ErrorID {error_id}: {error_msg}", file=out)
            return False
        detail = _details(event, record) or error_msg
        print(f"  {step:<{width}}  ok" + (f"  {detail}" if detail else ""), file=out)
        waiting.pop(0)
    return True


def _parser():
    parser = argparse.ArgumentParser(
        prog="python -m Quorvan.check",
        description="Connect, authenticate and log in to a broker's fronts and report each "
                    "step's answer. Sends no order.")
    parser.add_argument("--td-server", required=True,
                        help="the trader front, tcp://HOST:PORT as the broker gives it")
    parser.add_argument("--md-server", help="the market-data front; left out, it is not checked")
    parser.add_argument("--broker-id", required=True)
    parser.add_argument("--investor-id", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--app-id", required=True, help="the app id the broker registered")
    parser.add_argument("--auth-code", required=True, help="the auth code the broker issued")
    parser.add_argument("--timeout", type=float, default=30.0,
                        help="seconds to wait for each front's steps (default 30)")
    return parser


def main(argv=None, out=None):
    """Runs the check with the command-line arguments `argv`; returns the exit status."""
    out = out or sys.stdout
    arguments = _parser().parse_args(argv)
    if arguments.timeout <= 0:
        _parser().error("--timeout must be positive")
    flow_path = tempfile.mkdtemp(prefix="quorvan-check-")
    try:
        return _check(arguments, flow_path, out)
    finally:
        shutil.rmtree(flow_path, ignore_errors=True)


def _check(arguments, flow_path, out):
    print(f"trader front {arguments.td_server}", file=out)
    ok = _check_front(
        lambda: _CheckedTrader(
            broker_id=arguments.broker_id, td_server=arguments.td_server,
            investor_id=arguments.investor_id, password=arguments.password,
            app_id=arguments.app_id, auth_code=arguments.auth_code, flow_path=flow_path + "/"),
        _TRADER_STEPS, arguments.timeout, out)
    if ok and arguments.md_server:
        print(f"market-data front {arguments.md_server}", file=out)
        ok = _check_front(
            lambda: _CheckedMd(broker_id=arguments.broker_id, md_server=arguments.md_server,
                               investor_id=arguments.investor_id, password=arguments.password,
                               flow_path=flow_path + "/"),
            _MD_STEPS, arguments.timeout, out)
    print("every step succeeded" if ok else "check failed", file=out)
    return _EXIT_OK if ok else _EXIT_FAILED


def _check_front(make, steps, timeout, out):
    """Makes one API object with `make` and follows its login chain through `steps`; whether
    every step succeeded. Identity text the object refuses fails the check before it connects."""
    try:
        api = make()
    except (ValueError, TypeError) as error:
        print(f"  refused before connecting: {error}", file=out)
        return False
    try:
        return _follow(api, steps, time.monotonic() + timeout, out)
    finally:
        api.Release()


if __name__ == "__main__":
    sys.exit(main())
