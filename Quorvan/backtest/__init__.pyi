import datetime
import os
from typing import Any, Awaitable, Callable, Dict, Iterable, Iterator, List, Mapping, NamedTuple, Optional, Sequence, Tuple, Type, Union

from Quorvan.CTP.MdApiBase import MdApiBase
from Quorvan.CTP.TraderApiBase import TraderApiBase

__all__ = ["run", "Result", "EquityPoint", "sweep", "SweepResult", "SweepRow"]

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
    strategy: Union[Type[TraderApiBase], Callable[..., Awaitable[Any]]],
    data: _Data,
    params: Optional[Mapping[str, Any]] = ...,
    *,
    md: Optional[Type[MdApiBase]] = ...,
    loop: Optional[str] = ...,
    balance: float = ...,
    instruments: Optional[Iterable[Mapping[str, Any]]] = ...,
) -> Result: ...

class SweepRow(NamedTuple):
    params: Dict[str, Any]
    data: Optional[str]
    stats: Optional[Dict[str, Any]]
    error: Optional[str]

class SweepResult:
    rows: List[SweepRow]
    param_names: List[str]
    by_data: bool
    def __init__(self, rows: Sequence[SweepRow], param_names: Sequence[str], by_data: bool) -> None: ...
    def __len__(self) -> int: ...
    def __iter__(self) -> Iterator[SweepRow]: ...
    def __getitem__(self, index: int) -> SweepRow: ...
    failed: List[SweepRow]   # read-only: the rows whose run failed
    columns: List[str]       # read-only: the table's columns, as to_csv writes them
    def records(self) -> List[Dict[str, Any]]: ...
    def to_frame(self) -> Any: ...
    def to_csv(self, path: _Path) -> None: ...

def sweep(
    strategy: Type[TraderApiBase],
    data: _Data,
    grid: Union[Mapping[str, Iterable[Any]], Iterable[Mapping[str, Any]]],
    engine: str = ...,
    workers: Optional[int] = ...,
    address: Optional[str] = ...,
    *,
    each_data: bool = ...,
    ship_data: bool = ...,
    progress: Optional[bool] = ...,
    **options: Any,
) -> SweepResult: ...
