"""The type stubs against the modules they describe, and mypy over code that uses them.

The extension's methods carry no signatures, so their parameters are read from the argument
binding itself: each probe is a call that the binding refuses before the method does anything
(an unknown keyword always goes with it), and the refusal's wording says what it found.
"""
import ast
import functools
import importlib
import inspect
import os
import re
import subprocess
import sys
from pathlib import Path

import pytest

import Quorvan
from conftest import IDENTITY, MD_IDENTITY, Idle, Md, Trader, wait_until
from Quorvan.CTP import ApiConst, ApiStruct
from Quorvan.CTP import MdApiBase as md_module
from Quorvan.CTP import TraderApiBase as trader_module

TraderApiBase = trader_module.TraderApiBase
MdApiBase = md_module.MdApiBase
REPOSITORY = Path(__file__).resolve().parents[2]
PACKAGE_ROOT = Path(Quorvan.__file__).resolve().parents[1]
PROBE = "__stub_probe__"
METHOD_COUNT = 259
MD_METHOD_COUNT = 32


def stub_of(module):
    if hasattr(module, "__path__"):
        path = Path(module.__file__).with_suffix(".pyi")  # a package's __init__.pyi
    else:
        path = Path(module.__file__).parent / (module.__name__.rpartition(".")[2] + ".pyi")
    source = path.read_text(encoding="utf-8")
    tree = ast.parse(source, str(path))
    tree.lines = source.encode("utf-8").splitlines()
    return tree


def text(tree, node):
    """A one-line node's source (no ast.unparse in Python 3.8; ast.get_source_segment splits
    the whole stub at each call). Column offsets count UTF-8 bytes."""
    assert node.lineno == node.end_lineno
    return tree.lines[node.lineno - 1][node.col_offset:node.end_col_offset].decode("utf-8")


def definitions(body):
    """Function definitions by name."""
    return {node.name: node for node in body if isinstance(node, ast.FunctionDef)}


def stub_class(tree, name):
    (found,) = [node for node in tree.body if isinstance(node, ast.ClassDef) and node.name == name]
    return found


def annotations(tree, body):
    """Annotated names in order, with their annotations as source text."""
    return [(node.target.id, text(tree, node.annotation)) for node in body
            if isinstance(node, ast.AnnAssign) and isinstance(node.target, ast.Name)]


def stub_parameters(function, skip_first):
    """(name, kind, has default) of each parameter, as inspect.Parameter kinds."""
    arguments = function.args
    positional = ([(a, inspect.Parameter.POSITIONAL_ONLY) for a in arguments.posonlyargs]
                  + [(a, inspect.Parameter.POSITIONAL_OR_KEYWORD) for a in arguments.args])
    defaulted = len(positional) - len(arguments.defaults)
    parameters = [(a.arg, kind, i >= defaulted) for i, (a, kind) in enumerate(positional)]
    if arguments.vararg:
        parameters.append((arguments.vararg.arg, inspect.Parameter.VAR_POSITIONAL, False))
    parameters += [(a.arg, inspect.Parameter.KEYWORD_ONLY, default is not None)
                   for a, default in zip(arguments.kwonlyargs, arguments.kw_defaults)]
    if arguments.kwarg:
        parameters.append((arguments.kwarg.arg, inspect.Parameter.VAR_KEYWORD, False))
    return parameters[1:] if skip_first else parameters


def refusal(call, *args, **kwargs):
    with pytest.raises(TypeError) as refused:
        call(*args, **kwargs)
    return str(refused.value)


def check_binding(call, parameters):
    """The extension's argument binding takes exactly these stub parameters."""
    kinds = {kind for _, kind, _ in parameters}
    names = [name for name, _, _ in parameters]
    if inspect.Parameter.VAR_POSITIONAL in kinds:
        # Any positional count binds, so only keywords can be probed without a call running.
        keywords = [name for name, kind, _ in parameters if kind == inspect.Parameter.KEYWORD_ONLY]
        for name in keywords:
            assert f"argument '{PROBE}'" in refusal(call, **{name: "", PROBE: 0})
        assert f"argument '{PROBE}'" in refusal(call, **{PROBE: 0})
        return
    too_many = refusal(call, *[0] * 50)
    if kinds <= {inspect.Parameter.POSITIONAL_ONLY}:
        assert "takes no keyword arguments" in refusal(call, **{PROBE: 0})
        expected = {0: "takes no arguments", 1: "takes exactly one argument"}[len(names)]
        assert expected in too_many
        return
    assert kinds == {inspect.Parameter.POSITIONAL_OR_KEYWORD}, "no other kinds are bound"
    required = sum(not default for _, _, default in parameters)
    count = re.search(r"takes (exactly|at most) (\d+) positional", too_many)
    assert count, too_many
    assert (int(count.group(2)), count.group(1) == "exactly") == (len(names),
                                                                 required == len(names))
    without_positionals = refusal(call, **{PROBE: 0})
    if required:
        assert f"takes {count.group(1) if required == len(names) else 'at least'} {required} " \
               "positional" in without_positionals
    else:
        assert f"argument '{PROBE}'" in without_positionals
    for name in names:
        assert f"multiple values for keyword argument '{name}'" in refusal(
            call, *[0] * len(names), **{name: 0, PROBE: 0})
    # Each name sits at its position or later, so at its own: the first ones positional and
    # the rest by name bind, leaving only the probe.
    for position in range(len(names)):
        assert f"unexpected keyword argument '{PROBE}'" in refusal(
            call, *[0] * position, **dict.fromkeys(names[position:], 0), **{PROBE: 0})


@pytest.fixture(scope="module")
def released_trader(tmp_path_factory):
    """Every probe is refused before the method runs; released, nothing could reach a broker
    even if one were not."""
    trader = Idle(**dict(IDENTITY, flow_path=str(tmp_path_factory.mktemp("probe"))))
    trader.Release()
    return trader


def class_methods(cls=TraderApiBase):
    return sorted(name for name, value in vars(cls).items()
                  if not name.startswith("__") and callable(getattr(cls, name)))


def test_the_trader_stub_names_every_method_and_nothing_else():
    tree = stub_of(trader_module)
    stubbed = definitions(stub_class(tree, "TraderApiBase").body)
    assert sorted(set(stubbed) - {"__init__"}) == class_methods()
    assert len(class_methods()) == METHOD_COUNT
    static = {name for name, node in stubbed.items()
              if any(text(tree, d) == "staticmethod" for d in node.decorator_list)}
    assert static == {name for name, value in vars(TraderApiBase).items()
                      if isinstance(value, staticmethod)}


@pytest.mark.parametrize("name", ["__init__"] + class_methods())
def test_the_trader_stub_takes_what_the_method_binds(name, released_trader):
    stubbed = definitions(stub_class(stub_of(trader_module), "TraderApiBase").body)[name]
    static = isinstance(vars(TraderApiBase).get(name), staticmethod)
    if name == "__init__":
        call = TraderApiBase
    elif static:
        call = getattr(TraderApiBase, name)
    else:
        call = functools.partial(getattr(TraderApiBase, name), released_trader)
    check_binding(call, stub_parameters(stubbed, skip_first=not static))


def test_the_trader_stub_declares_the_session_attributes(make_trader):
    trader = make_trader(Trader)
    wait_until(lambda: trader.status == 0)
    tree = stub_of(trader_module)
    declared = dict(annotations(tree, stub_class(tree, "TraderApiBase").body))
    assert set(declared) == set(vars(trader))
    plain = {"int": int, "bytes": bytes, "str": str, "Dict[str, Any]": dict}
    for name, annotation in declared.items():
        if annotation in plain:
            assert isinstance(getattr(trader, name), plain[annotation]), name


@pytest.fixture(scope="module")
def released_md(tmp_path_factory):
    md = Md(**dict(MD_IDENTITY, flow_path=str(tmp_path_factory.mktemp("probe"))))
    md.Release()
    return md


def test_the_md_stub_names_every_method_and_nothing_else():
    tree = stub_of(md_module)
    stubbed = definitions(stub_class(tree, "MdApiBase").body)
    assert sorted(set(stubbed) - {"__init__"}) == class_methods(MdApiBase)
    assert len(class_methods(MdApiBase)) == MD_METHOD_COUNT
    static = {name for name, node in stubbed.items()
              if any(text(tree, d) == "staticmethod" for d in node.decorator_list)}
    assert static == {"GetApiVersion"}


@pytest.mark.parametrize("name", ["__init__"] + class_methods(MdApiBase))
def test_the_md_stub_takes_what_the_method_binds(name, released_md):
    stubbed = definitions(stub_class(stub_of(md_module), "MdApiBase").body)[name]
    static = isinstance(vars(MdApiBase).get(name), staticmethod)
    if name == "__init__":
        call = MdApiBase
    elif static:
        call = getattr(MdApiBase, name)
    else:
        call = functools.partial(getattr(MdApiBase, name), released_md)
    check_binding(call, stub_parameters(stubbed, skip_first=not static))


def test_the_md_stub_declares_the_session_attributes(make_md):
    md = make_md(Md)
    wait_until(lambda: md.status == 0)
    tree = stub_of(md_module)
    declared = dict(annotations(tree, stub_class(tree, "MdApiBase").body))
    assert set(declared) == set(vars(md))
    plain = {"int": int, "bytes": bytes, "str": str, "bool": bool, "Dict[str, Any]": dict}
    for name, annotation in declared.items():
        if annotation in plain:
            assert isinstance(getattr(md, name), plain[annotation]), name


FIELD_TYPES = {bytes: "bytes", int: "int", float: "float"}


def test_every_record_class_is_stubbed_with_its_fields_in_order():
    tree = stub_of(ApiStruct)
    stubbed = {node.name: node for node in tree.body if isinstance(node, ast.ClassDef)}
    assert set(stubbed) == set(ApiStruct.__all__)
    for name in ApiStruct.__all__:
        record = getattr(ApiStruct, name)()
        fields = [field for field, _ in type(record)._fields_]
        expected = [(field, FIELD_TYPES[type(getattr(record, field))]) for field in fields]
        assert annotations(tree, stubbed[name].body) == expected, name
        init = definitions(stubbed[name].body)["__init__"]
        assert stub_parameters(init, skip_first=True) == [
            (field, inspect.Parameter.KEYWORD_ONLY, True) for field in fields], name


def test_every_constant_is_stubbed_final_with_its_value():
    tree = stub_of(ApiConst)
    stubbed = {node.target.id: (text(tree, node.annotation), ast.literal_eval(node.value))
               for node in tree.body if isinstance(node, ast.AnnAssign)}
    assert stubbed == {name: ("Final", getattr(ApiConst, name)) for name in ApiConst.__all__}


def public_names(module):
    """What the module itself defines: no imported module, function or class."""
    return {name for name, value in vars(module).items()
            if not name.startswith("_") and not inspect.ismodule(value)
            and getattr(value, "__module__", module.__name__) == module.__name__}


def stub_public_names(tree):
    names = set()
    for node in tree.body:
        if isinstance(node, (ast.FunctionDef, ast.ClassDef)):
            names.add(node.name)
        elif isinstance(node, ast.AnnAssign):
            names.add(node.target.id)
        elif isinstance(node, ast.Assign):
            names.update(target.id for target in node.targets)
    return {name for name in names if not name.startswith("_")}


def runtime_parameters(function, skip_first):
    parameters = [(p.name, p.kind, p.default is not p.empty)
                  for p in inspect.signature(function).parameters.values()]
    return parameters[1:] if skip_first else parameters


@pytest.mark.parametrize("module_name", ["Quorvan.sim", "Quorvan.backtest",
                                         "Quorvan.utils.base_field"])
def test_hand_written_stubs_match_their_module(module_name):
    module = importlib.import_module(module_name)
    tree = stub_of(module)
    # A hand-written stub falls behind its module unseen but for this: say where to catch up.
    stub = Path(module.__file__).with_suffix(".pyi").relative_to(PACKAGE_ROOT)
    assert stub_public_names(tree) == public_names(module), f"{stub} names other things"
    if hasattr(module, "__all__"):
        (declared,) = [node.value for node in tree.body if isinstance(node, ast.Assign)
                       and [t.id for t in node.targets] == ["__all__"]]
        assert ast.literal_eval(declared) == module.__all__
    for name, node in definitions(tree.body).items():
        assert stub_parameters(node, False) == runtime_parameters(getattr(module, name), False), \
            f"{stub}: {name} takes other parameters"
    for node in (node for node in tree.body if isinstance(node, ast.ClassDef)):
        cls = getattr(module, node.name)
        methods = definitions(node.body)
        assert {name for name in methods if not name.startswith("_")} == {
            name for name, value in vars(cls).items()
            if not name.startswith("_") and callable(value)}
        for name, method in methods.items():
            if name == "__init__":
                continue  # it refuses positional arguments, which the stub leaves out
            try:
                signature = runtime_parameters(getattr(cls, name), True)
            except ValueError:
                continue  # a method in C without a signature: its name was compared above
            assert stub_parameters(method, True) == signature, \
                f"{stub}: {node.name}.{name} takes other parameters"


# ----- mypy over code that uses the package ------------------------------------------------

SAMPLE_STRATEGY = '''
import queue
from typing import Any, Dict

from Quorvan.CTP.ApiConst import Direction_Buy, OffsetFlag_Open, OrderStatus_AllTraded
from Quorvan.CTP.ApiStruct import InputOrderField, OrderField, QryInstrumentField
from Quorvan.CTP.MdApiBase import MdApiBase
from Quorvan.CTP.TraderApiBase import TraderApiBase


class Ticks(MdApiBase):
    def OnRtnDepthMarketData(self, pDepthMarketData: Dict[str, Any]) -> None:
        self.write_log(pDepthMarketData["LastPrice"])


def watch(md: Ticks) -> int:
    return md.subscribe(["rb2705", b"cu2702"]) + md.SubscribeForQuoteRsp(("IF2703",))


class Strategy(TraderApiBase):
    def init_extra(self) -> None:
        self.fills: "queue.Queue[Dict[str, Any]]" = queue.Queue()

    def OnFrontDisconnected(self, nReason: int) -> None:
        self.write_log("disconnected", nReason, sep=" | ")

    def OnRtnOrder(self, pOrder: Dict[str, Any]) -> None:
        if pOrder["OrderStatus"] == OrderStatus_AllTraded:
            self.fills.put(pOrder)

    def OnRspQryInstrument(self, pInstrument: Dict[str, Any], pRspInfo: Dict[str, Any],
                           nRequestID: int, bIsLast: bool) -> None:
        self.write_log(pInstrument.get("InstrumentID"), pRspInfo.get("ErrorMsg"))


def trade(trader: Strategy) -> int:
    record = InputOrderField(BrokerID=trader.broker_id, InstrumentID="rb2705",
                             Direction=Direction_Buy, CombOffsetFlag=OffsetFlag_Open,
                             LimitPrice=3201, VolumeTotalOriginal=1)
    record.LimitPrice = 3202.5
    price: float = record.LimitPrice
    copy = OrderField.from_address(0).to_dict()
    sent = trader.ReqOrderInsert(record, 7) + trader.ReqQryInstrument(QryInstrumentField())
    sent += trader.buy_open(b"SHFE", "rb2705", price, 1)
    sent += trader.sell_close("SHFE", b"rb2705", 3200, 1, is_today=False)
    sent += trader.cancel_order(b"SHFE", "rb2705", trader.order_ref)
    version: bytes = TraderApiBase.GetApiVersion(None) + trader.GetTradingDay()
    trader.Release()
    return sent + len(copy) + len(version) + trader.status
'''

# Code that must not type-check, with the error that mypy has to report about it.
REFUSED = {
    "misspelt_keyword": (
        "InputOrderField(InstrumentId=b'rb2705')",
        'Unexpected keyword argument "InstrumentId" for "InputOrderField"'),
    "misspelt_attribute": (
        "InputOrderField().LimitPrise",
        '"InputOrderField" has no attribute "LimitPrise"'),
    "misspelt_assignment": (
        "record = InputOrderField()\nrecord.VolumeTotal0riginal = 1",
        '"InputOrderField" has no attribute "VolumeTotal0riginal"'),
    "buy_open_price_as_text": (
        "def trade(trader: TraderApiBase) -> int:\n"
        "    return trader.buy_open(b'SHFE', 'rb2705', '3201', 1)",
        'Argument 3 to "buy_open" of "TraderApiBase" has incompatible type "str"; '
        'expected "float"'),
    "request_with_another_record": (
        "def send(trader: TraderApiBase) -> int:\n"
        "    return trader.ReqOrderInsert(OrderField())",
        'Argument 1 to "ReqOrderInsert" of "TraderApiBase" has incompatible type "OrderField"'),
    "event_override_missing_parameters": (
        "class Strategy(TraderApiBase):\n"
        "    def OnRspOrderInsert(self, pInputOrder: Dict[str, Any]) -> None:\n"
        "        pass",
        'Signature of "OnRspOrderInsert" incompatible with supertype "TraderApiBase"'),
    "event_override_with_extra_parameter": (
        "class Strategy(TraderApiBase):\n"
        "    def OnRtnTrade(self, pTrade: Dict[str, Any], extra: int) -> None:\n"
        "        pass",
        'Signature of "OnRtnTrade" incompatible with supertype "TraderApiBase"'),
    "client_price_as_text": (
        "from Quorvan.client import Client\n"
        "async def trade(client: Client) -> None:\n"
        "    await client.buy_open('SHFE', 'rb2705', '3201', 1)",
        'Argument 3 to "buy_open" of "Client" has incompatible type "str"; expected "float"'),
    "subscribe_with_numbers": (
        "def watch(md: MdApiBase) -> int:\n"
        "    return md.subscribe([2705])",
        'List item 0 has incompatible type "int"'),
    "tick_override_with_extra_parameter": (
        "class Ticks(MdApiBase):\n"
        "    def OnRtnDepthMarketData(self, pDepthMarketData: Dict[str, Any], n: int) -> None:\n"
        "        pass",
        'Signature of "OnRtnDepthMarketData" incompatible with supertype "MdApiBase"'),
}
REFUSED_PREAMBLE = ("from typing import Any, Dict\n"
                    "from Quorvan.CTP.ApiStruct import InputOrderField, OrderField\n"
                    "from Quorvan.CTP.MdApiBase import MdApiBase\n"
                    "from Quorvan.CTP.TraderApiBase import TraderApiBase\n\n")


def run_mypy(paths, cwd, python_executable=None):
    """mypy --strict's report as {file name: [messages]}, against the package under test."""
    assert importlib.util.find_spec("mypy"), \
        "mypy is missing for this interpreter: make deps installs requirements-dev.txt"
    # Nothing of the sanitizer run's preload: mypy runs none of our native code.
    env = {name: value for name, value in os.environ.items()
           if name not in ("PYTHONPATH", "MYPYPATH", "LD_PRELOAD")}
    command = [sys.executable, "-m", "mypy", "--strict", "--cache-dir", os.devnull,
               "--no-error-summary", "--hide-error-context", "--show-error-codes"]
    if python_executable:
        command += ["--python-executable", str(python_executable)]
    else:
        env["MYPYPATH"] = str(PACKAGE_ROOT)
    result = subprocess.run(command + [str(path) for path in paths], cwd=cwd, env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    assert result.returncode in (0, 1), result.stdout
    report = {}
    for line in result.stdout.splitlines():
        where, _, message = line.partition(": error: ")
        if message:
            report.setdefault(Path(where.split(":")[0]).name, []).append(message)
        elif ": note: " not in line:
            pytest.fail(f"unexpected mypy output: {line}\n{result.stdout}")
    return report


@pytest.fixture(scope="module")
def mypy_report(tmp_path_factory):
    """One mypy run over everything: the examples, the sample strategy and the refused code."""
    folder = tmp_path_factory.mktemp("typed")
    (folder / "sample_strategy.py").write_text(SAMPLE_STRATEGY)
    for name, (code, _) in REFUSED.items():
        (folder / f"{name}.py").write_text(REFUSED_PREAMBLE + code + "\n")
    examples = sorted((REPOSITORY / "examples").glob("*.py"))
    assert examples
    return run_mypy(examples + sorted(folder.glob("*.py")), cwd=folder), examples


def test_mypy_accepts_the_examples_a_sample_strategy_and_the_stubs(mypy_report):
    report, examples = mypy_report
    for name in [path.name for path in examples] + ["sample_strategy.py"]:
        assert report.get(name, []) == [], name
    # The stubs are checked as well, since they are found on MYPYPATH rather than installed.
    assert set(report) == {f"{name}.py" for name in REFUSED}


@pytest.mark.parametrize("name", sorted(REFUSED))
def test_mypy_reports_misuse(name, mypy_report):
    report, _ = mypy_report
    (message,) = report.get(f"{name}.py", ["no error"])
    assert REFUSED[name][1] in message


# ----- the generator refuses what it cannot stub ------------------------------------------

def edited(text, old, new):
    assert old in text
    return text.replace(old, new)


ORDER_EVENT = "EVENT(Rtn, OnRtnOrder, Order, pOrder, Default)"
ORDER_REQUEST = "REQUEST(ReqOrderInsert, InputOrder, pInputOrder, OnRspOrderInsert, Order)"


@pytest.mark.parametrize("table, old, new, error", [
    ("events.def", ORDER_EVENT, "EVENT(Rtn, OnRtnOrder, Order)", "not a row of this table"),
    ("events.def", ORDER_EVENT, ORDER_EVENT + " \\\n", "not a row of this table"),
    ("events.def", ORDER_EVENT, "EVENT(Rtn, OnRtnOrder, Ordre, pOrder, Default)",
     "OnRtnOrder names the record Ordre"),
    ("events.def", ORDER_EVENT, "EVENT(Notice, OnRtnOrder, Order, pOrder, Default)",
     "unknown shape Notice"),
    ("event_shapes.h", "SLOT(RECORD, Record, Param) SLOT(RSP_INFO, Record, Param)",
     "SLOT(RECORD, Record, Param) SLOT(RSPINFO, Record, Param)",
     "the shape ErrRtn has the unknown kind RSPINFO"),
    ("requests.def", ORDER_REQUEST, "REQUEST(ReqOrderInsert, InputOrder, pInputOrder)",
     "not a row of this table"),
    ("requests.def", ORDER_REQUEST, ORDER_REQUEST.replace("OnRspOrderInsert", "OnRspOrdreInsert"),
     "ReqOrderInsert is answered by OnRspOrdreInsert, which events.def does not list"),
    ("requests.def", ORDER_REQUEST, ORDER_REQUEST.replace("Order)", "Trade)"),
     "ReqOrderInsert is of the unknown kind Trade"),
    ("md_requests.def", "SUBSCRIPTION(SubscribeMarketData, OnRspSubMarketData)",
     "SUBSCRIPTION(SubscribeMarketData, OnRspSubMarketDate)",
     "SubscribeMarketData is answered by OnRspSubMarketDate, which md_events.def does not"),
    ("TraderApiBase.pyi.in", "    # @TABLE_METHODS@\n", "", "needs exactly one line"),
])
def test_the_generator_refuses_what_it_cannot_stub(tmp_path, table, old, new, error):
    sources = {name: REPOSITORY / "interface" / name
               for name in ("events.def", "event_shapes.h", "requests.def", "md_events.def",
                            "md_requests.def")}
    sources.update({name: REPOSITORY / "tools" / name
                    for name in ("TraderApiBase.pyi.in", "MdApiBase.pyi.in")})
    for name, path in sources.items():
        text = path.read_text(encoding="utf-8")
        (tmp_path / name).write_text(edited(text, old, new) if name == table else text)
    result = subprocess.run(
        [sys.executable, str(REPOSITORY / "tools" / "gen_stubs.py"),
         str(REPOSITORY / "extern" / "CTPV669Api"), str(tmp_path), str(tmp_path),
         str(tmp_path / "out")],
        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    assert result.returncode == 1 and error in result.stderr, result.stderr
    assert not (tmp_path / "out").exists()
