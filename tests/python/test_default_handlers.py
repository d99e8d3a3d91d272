"""The do-nothing handlers of the 133 events outside the login sequence: what they accept,
how they refuse a wrong call, and that a bare subclass takes every event through them."""
import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct, TraderApiBase as module
from conftest import EVENTS, VENDOR, Idle, record_class_of

DEFAULTS = [(shape, name) for shape, name, _, _, handler in EVENTS if handler == "Default"]
ENTRY = "Quorvan.CTP.TraderApiBase.TraderApiBase."


def parameters(event):
    """The handler's parameter names: the record's is "p" and the record's name."""
    return ["p" + kind[len("CThostFtdc"):-len("Field")]
            if kind.startswith("CThostFtdc") and kind != "CThostFtdcRspInfoField" else name
            for kind, name in VENDOR[event]]


@pytest.fixture
def trader(make_trader):
    return make_trader(Idle)


def test_only_the_login_sequence_has_handlers_of_its_own():
    assert {name for _, name, *_ in EVENTS} - {name for _, name in DEFAULTS} == {
        "OnFrontConnected", "OnFrontDisconnected", "OnRspAuthenticate", "OnRspUserLogin",
        "OnRspSettlementInfoConfirm"}


@pytest.mark.parametrize("shape, event", DEFAULTS)
def test_any_values_are_accepted_and_nothing_happens(trader, capsys, shape, event):
    before = dict(vars(trader))
    handler = getattr(trader, event)
    count = len(parameters(event))
    assert handler(*[None] * count) is None
    assert handler(*[object() for _ in range(count)]) is None
    if shape not in ("IntArg", "Rtn"):
        assert handler(**dict.fromkeys(parameters(event), {})) is None
        assert handler({}, **dict.fromkeys(parameters(event)[1:], 0)) is None
    assert vars(trader) == before
    assert capsys.readouterr() == ("", "")


def raises_exactly(error, message, call):
    with pytest.raises(error) as caught:
        call()
    assert str(caught.value) == message
    assert caught.traceback[-1].name.startswith(ENTRY)


@pytest.mark.parametrize("shape, event", [row for row in DEFAULTS if row[0] in ("IntArg", "Rtn")])
def test_one_argument_handlers_take_it_by_position_only(trader, shape, event):
    handler = getattr(trader, event)
    name = parameters(event)[0]
    raises_exactly(TypeError, f"{event}() takes no keyword arguments",
                   lambda: handler(**{name: {}}))
    raises_exactly(TypeError, f"{event}() takes exactly one argument (0 given)", handler)
    raises_exactly(TypeError, f"{event}() takes exactly one argument (2 given)",
                   lambda: handler({}, {}))


@pytest.mark.parametrize("shape, event", [row for row in DEFAULTS
                                          if row[0] not in ("IntArg", "Rtn")])
def test_wrong_calls_of_the_other_shapes(trader, shape, event):
    handler = getattr(trader, event)
    names = parameters(event)
    count = len(names)
    raises_exactly(TypeError,
                   f"{event}() takes exactly {count} positional arguments ({count - 1} given)",
                   lambda: handler(*[{}] * (count - 1)))
    raises_exactly(TypeError,
                   f"{event}() takes exactly {count} positional arguments ({count + 1} given)",
                   lambda: handler(*[{}] * (count + 1)))
    raises_exactly(TypeError, f"{event}() got an unexpected keyword argument 'colour'",
                   lambda: handler(*[{}] * count, colour=1))
    raises_exactly(TypeError, f"{event}() got multiple values for keyword argument '{names[0]}'",
                   lambda: handler(*[{}] * count, **{names[0]: {}}))


def test_a_subclass_that_handles_one_event_receives_all_others_through_the_defaults(
        make_trader, unraisable):
    class TradesOnly(Idle):
        def OnRtnTrade(self, trade):
            self.trades.append(trade)

        def init_extra(self):
            self.trades = []

    trader = make_trader(TradesOnly)
    for _, event in DEFAULTS:
        arguments = [1 if kind == "int" else True if kind == "bool"
                     else record_class_of(kind)() for kind, _ in VENDOR[event]]
        sim.emit(trader, event, *arguments)
    assert unraisable == []
    assert len(trader.trades) == 1



def vendor_values(event):
    return [1 if kind == "int" else True if kind == "bool" else record_class_of(kind)()
            for kind, _ in VENDOR[event]]


@pytest.mark.parametrize("event, class_names", [
    ("OnRtnOrder", ["OrderField"]),
    ("OnErrRtnOrderAction", ["OrderActionField", "RspInfoField"]),
    ("OnRspError", ["RspInfoField"]),
])
def test_an_event_left_to_its_default_still_runs_replaced_record_classes_and_misses_none(
        trader, monkeypatch, unraisable, event, class_names):
    # The bridge leaves a do-nothing handler's dicts unmade only while making them would run
    # none of the record classes' own code.
    converted = []
    for name in class_names:
        stock = getattr(ApiStruct, name)
        method = "to_str_dict" if name == "RspInfoField" else "to_dict"

        def convert(record, name=name, stock=stock, method=method):
            converted.append(name)
            return getattr(stock, method)(record)

        monkeypatch.setattr(module, name, type(name, (stock,), {method: convert}))
    sim.emit(trader, event, *vendor_values(event))
    assert converted == class_names
    assert unraisable == []
    monkeypatch.delattr(module, class_names[0])
    sim.emit(trader, event, *vendor_values(event))
    assert [(report.object, type(report.exc_value)) for report in unraisable] == [
        ("Quorvan.CTP.TraderApiBase.TraderSpi_" + event, NameError)]
