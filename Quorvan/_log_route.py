"""Routes the session's log lines into the `logging` module.

The extensions write each line through the name `print`, looked up in their module's globals
before the builtins at every line: the route is a function of that name there, so it reaches
every trader and market-data object, those made before the call included, and a subclass's
own `write_log` still decides what it writes.
"""
import builtins
import importlib
import logging
from typing import Any, Dict, Mapping, Optional, Union

SEPARATOR = " || "
# The extensions that write lines; those missing from a build (none today) are skipped.
WRITERS = ("Quorvan.CTP.TraderApiBase", "Quorvan.CTP.MdApiBase")
# The level of each kind of line (its first item, the event or step) that is not INFO.
DEFAULT_LEVELS: Dict[str, int] = {
    "OnFrontDisconnected": logging.WARNING,
    "OnHeartBeatWarning": logging.WARNING,
    "OnRspError": logging.ERROR,
    # The login chain could not send a step.
    "ReqAuthenticate": logging.ERROR,
    "ReqUserLogin": logging.ERROR,
    "ReqSettlementInfoConfirm": logging.ERROR,
}
# A response whose second item is the broker's refusal (an ErrorID other than 0).
REFUSAL_PREFIX, SUCCESS_PREFIX = "{'ErrorID': ", "{'ErrorID': 0,"


class LogRoute:
    """Stands for `print` in the extensions' globals: one record per line."""

    def __init__(self, logger: logging.Logger, levels: Mapping[str, int]) -> None:
        self.logger = logger
        self.levels = dict(levels)

    def __call__(self, *values: Any, **options: Any) -> None:
        if len(values) != 1 or options or not isinstance(values[0], str):
            builtins.print(*values, **options)
            return
        line: str = values[0]
        # time || investor.td || kind || items...; logging stamps the record itself.
        pieces = line.split(SEPARATOR, 4)
        if len(pieces) < 3:
            self.logger.info(line)
            return
        kind = pieces[2]
        level = self.levels.get(kind)
        if level is None:
            refused = (len(pieces) > 3 and pieces[3].startswith(REFUSAL_PREFIX)
                       and not pieces[3].startswith(SUCCESS_PREFIX))
            level = logging.ERROR if refused else DEFAULT_LEVELS.get(kind, logging.INFO)
        source = pieces[1]
        self.logger.log(level, line.split(SEPARATOR, 1)[1],
                        extra={"ctp_kind": kind, "ctp_source": source})


def log_to_logging(logger: Union[logging.Logger, str, None] = None,
                   levels: Optional[Mapping[str, int]] = None) -> None:
    """Sends every log line of the traders and market-data objects to `logger` (a Logger or
    its name; None: the logger "Quorvan") instead of standard output, one record per line,
    without the line's own time stamp (logging adds its own).

    The level is the one `levels` gives the line's kind, its first item (such as
    "OnFrontDisconnected" or "Trader Ready!"); otherwise ERROR for a response the broker
    refused and for a login step that could not be sent, WARNING for a disconnection or a
    heartbeat warning, INFO for the rest. Each record carries the kind as `ctp_kind` and
    the object (b'investor'.td or .md) as `ctp_source`. Calling it again replaces the route;
    `log_to_logging` applies to the whole process.
    """
    if isinstance(logger, str) or logger is None:
        logger = logging.getLogger("Quorvan" if logger is None else logger)
    elif not isinstance(logger, logging.Logger):
        raise TypeError(f"logger must be a logging.Logger, its name or None, "
                        f"not {type(logger).__name__}")
    chosen = dict(levels or {})
    for kind, level in chosen.items():
        if not isinstance(kind, str) or not isinstance(level, int) or isinstance(level, bool):
            raise TypeError(f"levels maps a kind of line (str) to a logging level (int), "
                            f"not {kind!r} to {level!r}")
    route = LogRoute(logger, chosen)
    for name in WRITERS:
        try:
            module = importlib.import_module(name)
        except ImportError:
            continue
        setattr(module, "print", route)


def log_to_stdout() -> None:
    """Undoes `log_to_logging`: the lines are printed again."""
    for name in WRITERS:
        try:
            module = importlib.import_module(name)
        except ImportError:
            continue
        if isinstance(getattr(module, "print", None), LogRoute):
            delattr(module, "print")
