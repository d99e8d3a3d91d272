import datetime
import os
from typing import Any, Dict, Iterable, List, Mapping, NamedTuple, Optional, Sequence, Tuple, Type, Union

from Quorvan.CTP.MdApiBase import MdApiBase
from Quorvan.CTP.TraderApiBase import TraderApiBase

__all__ = ["run", "Result", "EquityPoint"]

_Path = Union[str, "os.PathLike[str]"]
# Tick files or globs (one, or a list of them), or the ticks themselves as dicts.
_Data = Union[_Path, Sequence[_Path], Iterable[Mapping[str, Any]]]

class EquityPoint(NamedTuple):
    time: datetime.datetime
    trading_day: datetime.date
    balance: float

class Result:
    start_balance: float
    days: List[Dict[str, Any]]
    orders: List[Dict[str, Any]]
    trades: List[Dict[str, Any]]
    equity: List[EquityPoint]
    prices: Dict[str, List[Tuple[datetime.datetime, float]]]
    multipliers: Dict[str, int]
    stats: Dict[str, Union[int, float]]
    def __init__(
        self,
        *,
        start_balance: float,
        days: List[Dict[str, Any]],
        orders: List[Dict[str, Any]],
        trades: List[Dict[str, Any]],
        equity: List[EquityPoint],
        prices: Dict[str, List[Tuple[datetime.datetime, float]]],
        multipliers: Dict[str, int],
    ) -> None: ...
    def to_frame(self) -> Dict[str, Any]: ...
    def plot(self, path: _Path) -> None: ...
    def report(self, path: _Path, title: Optional[str] = ...) -> None: ...

def run(
    strategy: Type[TraderApiBase],
    data: _Data,
    params: Optional[Mapping[str, Any]] = ...,
    *,
    md: Optional[Type[MdApiBase]] = ...,
    loop: Optional[str] = ...,
    balance: float = ...,
    instruments: Optional[Iterable[Mapping[str, Any]]] = ...,
) -> Result: ...
