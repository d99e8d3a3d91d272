"""The interface tables (interface/*.def) as Python reads them: the one reader of their rows
for the stub generator and the test suites.

Each table is a list of X-macro rows, one a line, `MACRO(column, column, ...)`; the columns
of each macro are those of COLUMNS, as the tables' header comments state them. A line that
starts like a row must be one, of a macro its table has and with all its columns: a row a
reader skipped would be a member some layer leaves out.
"""
import re
from collections import namedtuple
from pathlib import Path

# The columns of each macro, in order.
COLUMNS = {
    "EVENT": ("shape", "name", "record", "param", "handler"),
    "REQUEST": ("name", "record", "param", "answer", "kind"),
    "USER_SYSTEM_INFO": ("name",),
    "SUBSCRIPTION": ("name", "answer"),
}
ROW_TYPES = {macro: namedtuple(macro.title().replace("_", ""), columns)
             for macro, columns in COLUMNS.items()}

# The macros of each table, and the events table whose events its requests' answers name.
TABLES = {
    "events.def": ("EVENT",),
    "md_events.def": ("EVENT",),
    "requests.def": ("REQUEST", "USER_SYSTEM_INFO"),
    "md_requests.def": ("SUBSCRIPTION", "REQUEST"),
}
ANSWERING_EVENTS = {"requests.def": "events.def", "md_requests.def": "md_events.def"}

# The Kind column: a query, an order or cancel, or any other request.
REQUEST_KINDS = ("Query", "Order", "Other")

ROW_START = re.compile(r"^\s*(\w+)\s*\(")
ROW = re.compile(r"^\s*\w+\s*\(([^()]*)\)\s*(?://.*)?$")


class TableError(ValueError):
    """A table that is not as its header comment says."""


def read_table(path):
    """The rows of a table as (macro, row) in order, each row a namedtuple of its macro's
    columns."""
    path = Path(path)
    macros = TABLES.get(path.name)
    if macros is None:
        raise TableError(f"{path}: not one of the interface tables {sorted(TABLES)}")
    rows = []
    for number, line in enumerate(path.read_text(encoding="utf-8").split("\n"), 1):
        start = ROW_START.match(line)
        if not start or start.group(1) not in COLUMNS:
            continue
        macro, row = start.group(1), ROW.match(line)
        columns = [column.strip() for column in row.group(1).split(",")] if row else []
        if macro not in macros or len(columns) != len(COLUMNS[macro]):
            raise TableError(f"{path}:{number}: not a row of this table: {line.strip()}")
        rows.append((macro, ROW_TYPES[macro](*columns)))
    if not rows:
        raise TableError(f"{path}: no rows")
    return rows


def read_requests(path):
    """The rows of a requests table, each answer checked against the events of its events
    table (beside it) and each kind against REQUEST_KINDS."""
    path = Path(path)
    rows = read_table(path)
    events = {row.name for _, row in read_table(path.with_name(ANSWERING_EVENTS[path.name]))}
    for _, row in rows:
        if hasattr(row, "answer") and row.answer not in events:
            raise TableError(f"{path}: {row.name} is answered by {row.answer}, which "
                             f"{ANSWERING_EVENTS[path.name]} does not list")
        if hasattr(row, "kind") and row.kind not in REQUEST_KINDS:
            raise TableError(f"{path}: {row.name} is of the unknown kind {row.kind}")
    return rows
