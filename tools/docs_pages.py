"""MkDocs hook: the documentation's pages that are read from the interface tables and the
staged package rather than written by hand.

- The helpers table (a page's `<!-- helpers -->` line, and `<!-- md-helpers -->`): each helper
  of TraderApiBase and MdApiBase, the request it makes and the events that answer it, the
  answer read from interface/requests.def and md_requests.def.
- reference/requests.md and reference/events.md: every request and event of both halves with
  an English line made from the tables and the record classes' own docstrings.
- reference/<module>.md for each module of mkdocs.yml's `extra.api_modules`: mkdocstrings'
  page of the module, or for the record and constant modules a page generated from their
  stubs (thousands of members that carry their English in comments mkdocstrings cannot read).

The package is imported from the staged build (make docs puts it on PYTHONPATH), so the pages
describe what the build made.
"""
import re
import sys
from pathlib import Path

TOOLS = Path(__file__).resolve().parent
ROOT = TOOLS.parent
sys.path.insert(0, str(TOOLS))

from gen_stubs import event_shapes  # noqa: E402
from interface_tables import read_requests, read_table  # noqa: E402
from mkdocs.structure.files import File  # noqa: E402

INTERFACE = ROOT / "interface"
REFERENCE = "reference"

# Each helper: (the request it makes, what it does). The answering events are the tables'.
TRADER_HELPERS = {
    "buy_open": ("ReqOrderInsert", "Buys to open: a limit order good for the day at "
                 "`order_price` for `order_vol` lots."),
    "sell_open": ("ReqOrderInsert", "Sells to open (goes short), as `buy_open`."),
    "buy_close": ("ReqOrderInsert", "Buys to close a short position. On SHFE and INE it closes "
                  "today's position (`is_today=True`, the default) or yesterday's; elsewhere "
                  "a plain close."),
    "sell_close": ("ReqOrderInsert", "Sells to close a long position, as `buy_close`."),
    "insert_order": ("ReqOrderInsert", "Any limit order good for the day: `direction` and "
                     "`offset_flag` are `ApiConst` codes (`Direction_Buy`, `OffsetFlag_Open`, "
                     "...)."),
    "cancel_order": ("ReqOrderAction", "Cancels an order named by `order_ref` (with this "
                     "login's `front_id` and `session_id` unless given) or by `order_sysid`."),
    "query_order": ("ReqQryOrder", "Queries the account's orders of the day."),
    "query_trade": ("ReqQryTrade", "Queries the account's trades of the day."),
    "query_position": ("ReqQryInvestorPosition", "Queries the account's positions."),
    "query_position_detail": ("ReqQryInvestorPositionDetail",
                              "Queries the positions lot by lot, each open trade."),
    "query_trading_account": ("ReqQryTradingAccount",
                              "Queries the account's money: balance, available, margin."),
    "query_instrument": ("ReqQryInstrument", "Queries instruments, all of them or those "
                         "of an instrument, exchange or product id."),
}
MD_HELPERS = {
    "subscribe": ("SubscribeMarketData", "Subscribes to instruments' ticks, remembered and "
                  "sent again after every login, 100 ids to a call."),
    "unsubscribe": ("UnSubscribeMarketData", "Ends subscriptions and forgets them."),
}
# What the broker sends about an order after the request's own answer: the answer event
# comes only when the broker refuses the request outright.
LATER_NOTICES = {
    "ReqOrderInsert": ("OnRtnOrder", "OnRtnTrade", "OnErrRtnOrderInsert"),
    "ReqOrderAction": ("OnRtnOrder", "OnErrRtnOrderAction"),
    "SubscribeMarketData": ("OnRtnDepthMarketData",),
}
# The events without a record, whose English the tables cannot give.
PLAIN_EVENTS = {
    "OnFrontConnected": "The connection to the front is up; the session's login chain "
                        "starts here.",
    "OnFrontDisconnected": "The connection dropped (`nReason` says why); the library "
                           "reconnects by itself.",
    "OnHeartBeatWarning": "No heartbeat for `nTimeLapse` seconds.",
    "OnRspError": "The broker could not take a request: the error in `pRspInfo`, the "
                  "request's id in `nRequestID`.",
}
SHAPE_WORDS = {
    "Rsp": "Answers {requests}",
    "ErrRtn": "The exchange or broker refused",
    "Rtn": "A notice the broker sends unasked",
}
KIND_WORDS = {"Query": "query", "Order": "order or cancel", "Other": "request"}
HALVES = (("TraderApiBase", "requests.def", "events.def"),
          ("MdApiBase", "md_requests.def", "md_events.def"))
# Generated pages of modules whose members carry their English in their stubs' comments.
STUB_PAGES = {}


def _words(name):
    """CamelCase as lower-case words: QryInvestorPosition -> 'qry investor position'."""
    return " ".join(re.findall(r"[A-Z]+(?![a-z])|[A-Z][a-z0-9]*|[a-z0-9]+", name)).lower()


def _record_line(record):
    """The English of a record class: its docstring, else its name in words."""
    from Quorvan.CTP import ApiStruct
    cls = getattr(ApiStruct, f"{record}Field", None)
    doc = (cls.__doc__ or "").strip() if cls is not None else ""
    return doc.splitlines()[0] if doc else _words(record).capitalize()


def _requests(table):
    return [row for _, row in read_requests(INTERFACE / table) if hasattr(row, "answer")]


def _answers(table):
    """Each request's answering events: the table's answer, then the later notices."""
    answers = {}
    for row in _requests(table):
        answers[row.name] = (row.answer,) + LATER_NOTICES.get(row.name, ())
    return answers


def _events(table):
    return [row for _, row in read_table(INTERFACE / table)]


def _check_events(names, table):
    known = {row.name for row in _events(table)}
    unknown = [name for name in names if name not in known]
    if unknown:
        raise ValueError(f"{table} lists no {unknown}: the docs name events it lacks")


# What a helper returns, by its request's kind (a subscription's row has none): the
# request's result, as the requests page explains it.
RETURNS = {"Query": "0 sent; -1, -2 or -3 not sent", "Order": "0 sent; negative not sent",
           "Other": "0 sent; negative not sent", None: "0, or the first refusal (-1, -2, -3)"}


def helpers_table(helpers, requests_table, events_table):
    answers = _answers(requests_table)
    kinds = {row.name: getattr(row, "kind", None) for row in _requests(requests_table)}
    lines = ["| Helper | What it sends | Request | Returns | Answered by |",
             "| --- | --- | --- | --- | --- |"]
    for helper, (request, what) in helpers.items():
        if request not in answers:
            raise ValueError(f"{requests_table} lists no {request}, which {helper} makes")
        _check_events(answers[request], events_table)
        events = ", ".join(f"`{event}`" for event in answers[request])
        lines.append(f"| `{helper}` | {what} | `{request}` | {RETURNS[kinds[request]]} | "
                     f"{events} |")
    return "\n".join(lines) + "\n"


def requests_page():
    parts = ["# Requests\n",
             "Every request of the interface, generated from the interface tables. A request "
             "takes a record of `Quorvan.CTP.ApiStruct` and a request id and returns 0 when "
             "it was sent, -1 when the connection is down or the object released, and for a "
             "query -2 or -3 when the flow control held it back. Its answer comes as the "
             "event named here, with the same request id.\n"]
    for half, requests_table, events_table in HALVES:
        parts.append(f"\n## {half}\n\n| Request | Record | Kind | Answered by | What it asks |\n"
                     "| --- | --- | --- | --- | --- |")
        for row in _requests(requests_table):
            record = getattr(row, "record", "")
            kind = KIND_WORDS[getattr(row, "kind", "Other")]
            if record:
                what, record_cell = _record_line(record), f"`{record}Field`"
            else:
                what, record_cell = "Instrument ids, an iterable of str or bytes", "ids"
            answers = ", ".join(f"`{event}`"
                                for event in (row.answer,) + LATER_NOTICES.get(row.name, ()))
            parts.append(f"| `{row.name}` | {record_cell} | {kind} | {answers} | {what} |")
    return "\n".join(parts) + "\n"


def events_page():
    shapes = event_shapes(INTERFACE / "event_shapes.h")
    parts = ["# Events\n",
             "Every event of the interface, generated from the interface tables. An event "
             "arrives as a call of the method of its name on the library's thread, records "
             "as dicts; override the method to handle it. Events marked *session* drive the "
             "login: an override calls the base class's method.\n"]
    for half, requests_table, events_table in HALVES:
        answered = {}
        for row in _requests(requests_table):
            answered.setdefault(row.answer, []).append(row.name)
        parts.append(f"\n## {half}\n\n| Event | Parameters | Handler | What it brings |\n"
                     "| --- | --- | --- | --- |")
        for row in _events(events_table):
            parameters = ", ".join(name or row.param for name, _ in shapes[row.shape])
            parameters = f"`{parameters}`" if parameters else "none"
            if row.name in PLAIN_EVENTS:
                what = PLAIN_EVENTS[row.name]
            else:
                requests = ", ".join(f"`{name}`" for name in answered.get(row.name, ()))
                lead = SHAPE_WORDS[row.shape].format(requests=requests or "a request")
                what = f"{lead}: {_record_line(row.record).lower()}."
            handler = "session" if row.handler == "Session" else ""
            parts.append(f"| `{row.name}` | {parameters} | {handler} | {what} |")
    return "\n".join(parts) + "\n"


def _stub(module):
    import importlib
    package = importlib.import_module(module)
    return Path(package.__file__).with_suffix(".pyi").read_text(encoding="utf-8")


def records_page():
    """Each record class with its fields, types and English, from the generated stub."""
    parts = ["# Quorvan.CTP.ApiStruct\n",
             "One class for each of the vendor's records, a ctypes structure of its layout, "
             "made with keywords of its field names (`InputOrderField(BrokerID=b\"9999\", "
             "...)`). Text reads back as `bytes` (GB18030) and is also taken as `str`; a "
             "value that does not fit is an error. Events hand these records over as dicts "
             "of the same fields.\n"]
    record = re.compile(r'^class (\w+)\(BaseField\):\n(?:    """(.*?)"""\n)?', re.M)
    field = re.compile(r"^    (\w+): (\w+)(?:  # (.*))?$", re.M)
    classes = list(record.finditer(_stub("Quorvan.CTP.ApiStruct")))
    text = _stub("Quorvan.CTP.ApiStruct")
    for number, match in enumerate(classes):
        end = classes[number + 1].start() if number + 1 < len(classes) else len(text)
        body = text[match.end():end].split("    def __init__")[0]
        parts.append(f"\n## {match.group(1)}\n\n{match.group(2) or _words(match.group(1))}\n")
        parts.append("| Field | Type | Meaning |\n| --- | --- | --- |")
        for name, kind, meaning in field.findall(body):
            parts.append(f"| `{name}` | `{kind}` | {_cell(meaning)} |")
    return "\n".join(parts) + "\n"


def constants_page():
    """The constants grouped by the vendor's type, with their values and English."""
    parts = ["# Quorvan.CTP.ApiConst\n",
             "Every code of the vendor's interface, named after its type's short name and the "
             "code's own: `Direction_Buy` for `THOST_FTDC_D_Buy`.\n"]
    group = None
    for line in _stub("Quorvan.CTP.ApiConst").splitlines():
        header = re.match(r"^# (\w+)$", line)
        constant = re.match(r"^(\w+): Final = (.*?)(?:  # (.*))?$", line)
        if header:
            group = header.group(1)
            parts.append(f"\n## {group}\n\n| Constant | Value | Meaning |\n| --- | --- | --- |")
        elif constant and group:
            name, value, meaning = constant.groups()
            parts.append(f"| `{name}` | `{value}` | {_cell(meaning or '')} |")
    return "\n".join(parts) + "\n"


def _cell(text):
    return text.replace("|", "\\|")


STUB_PAGES.update({"Quorvan.CTP.ApiStruct": records_page, "Quorvan.CTP.ApiConst": constants_page})


# The modules whose page renders some members only, with what comes before them: the
# extension modules' stubs import every record and constant, which have pages of their own.
MODULE_PAGES = {
    "Quorvan.CTP.TraderApiBase": (["TraderApiBase"], "The trading session. Its requests and "
                                  "events are listed on the [requests](requests.md) and "
                                  "[events](events.md) pages; its helpers:\n\n<!-- helpers -->"),
    "Quorvan.CTP.MdApiBase": (["MdApiBase"], "The market-data session. Its requests and events "
                              "are listed on the [requests](requests.md) and "
                              "[events](events.md) pages; its helpers:\n\n<!-- md-helpers -->"),
}


def module_page(module):
    if module in STUB_PAGES:
        return STUB_PAGES[module]()
    members, lead = MODULE_PAGES.get(module, (None, ""))
    page = f"# {module}\n\n{lead}\n\n::: {module}\n"
    if members:
        page += f"    options:\n      members: {members}\n"
    return page


def module_path(module):
    return f"{REFERENCE}/{module}.md"


MARKERS = {
    "<!-- helpers -->": lambda: helpers_table(TRADER_HELPERS, "requests.def", "events.def"),
    "<!-- md-helpers -->": lambda: helpers_table(MD_HELPERS, "md_requests.def", "md_events.def"),
}


def on_config(config):
    """Lists each module of extra.api_modules in the nav's API reference section."""
    modules = config["extra"].get("api_modules") or []
    for entry in config["nav"]:
        if isinstance(entry, dict) and "API reference" in entry:
            entry["API reference"] += [{module: module_path(module)} for module in modules]
            return config
    raise ValueError("mkdocs.yml's nav has no 'API reference' section")


def on_files(files, config):
    pages = {f"{REFERENCE}/requests.md": requests_page, f"{REFERENCE}/events.md": events_page}
    for module in config["extra"].get("api_modules") or []:
        pages[module_path(module)] = lambda module=module: module_page(module)
    for path, make in pages.items():
        files.append(File.generated(config, path, content=make()))
    return files


def on_page_markdown(markdown, page, config, files):
    for marker, make in MARKERS.items():
        if marker in markdown:
            markdown = markdown.replace(marker, make())
    return markdown
