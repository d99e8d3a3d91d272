import datetime
import os
import queue
from typing import Any, Final, Iterable, List, Mapping, Optional, Tuple, Union

from Quorvan.CTP.ApiStruct import DepthMarketDataField

from Quorvan.CTP.TraderApiBase import TraderApiBase
from Quorvan.utils.base_field import BaseField

__all__ = ["calls", "keep_calls", "fail_next", "throw_next", "emit", "disconnect", "configure",
           "set_market", "settle", "market", "wait_delivered", "replay", "Replay",
           "ReplayQueue"]

LIBRARY_PATH: str

# An MdApiBase of Quorvan.CTP.MdApiBase, which builds without the simulator and so is not
# imported here.
_MarketDataObject = Any

# An API object: its trader or MdApiBase, or the flow directory it was (or will be) created
# with.
_ApiObject = Union[TraderApiBase, _MarketDataObject, str, bytes, bytearray]
# A broker: a trader of its front, an MdApiBase of a market-data front publishing it, or the
# front's address.
_Front = Union[TraderApiBase, _MarketDataObject, str, bytes, bytearray]
_Number = Union[int, float]

def calls(trader: _ApiObject) -> List[Tuple[Any, ...]]: ...
def keep_calls(n: int) -> None: ...
def fail_next(trader: Optional[_ApiObject], operation: str, result: int) -> None: ...
def throw_next(
    trader: Optional[_ApiObject], operation: str, kind: str, message: str = ...
) -> None: ...
def emit(
    trader: _ApiObject, event: str, *args: Union[BaseField, int, None], count: int = ...
) -> None: ...
def disconnect(
    trader: _ApiObject, reason: int = ..., reconnect_after: Optional[_Number] = ...
) -> None: ...
def configure(
    front: Optional[_Front] = ...,
    *,
    accounts: Optional[Mapping[str, Mapping[str, Any]]] = ...,
    instruments: Optional[Iterable[Mapping[str, Any]]] = ...,
    exchanges: Optional[Mapping[str, Mapping[str, bool]]] = ...,
    limits: Optional[Mapping[str, Optional[int]]] = ...,
    store: Union[str, bytes, os.PathLike[str], os.PathLike[bytes], None] = ...,
    trading_day: Optional[str] = ...,
    holidays: Union[Iterable[str], str, os.PathLike[str], None] = ...,
    md_front: Union[str, bytes, bytearray, None] = ...,
    trading_hours: Union[str, Mapping[str, Iterable[Tuple[str, str]]], None] = ...,
    reset: bool = ...,
) -> None: ...
def set_market(
    instrument: Union[str, bytes, bytearray],
    *,
    bid: Optional[_Number] = ...,
    ask: Optional[_Number] = ...,
    last: Optional[_Number] = ...,
    bid_volume: Optional[int] = ...,
    ask_volume: Optional[int] = ...,
    upper_limit: Optional[_Number] = ...,
    lower_limit: Optional[_Number] = ...,
    volume: Optional[int] = ...,
    turnover: Optional[_Number] = ...,
    open_interest: Optional[_Number] = ...,
    bids: Optional[Iterable[Tuple[_Number, int]]] = ...,
    asks: Optional[Iterable[Tuple[_Number, int]]] = ...,
    time: Optional[datetime.datetime] = ...,
    front: Optional[_Front] = ...,
) -> None: ...
def market(
    instrument: Union[str, bytes, bytearray], front: Optional[_Front] = ...
) -> DepthMarketDataField: ...
def wait_delivered(front: Optional[_Front] = ..., timeout: Optional[_Number] = ...) -> None: ...

class Replay:
    # Read only: the ticks played so far.
    progress: Final[int]
    def wait(self, timeout: Optional[_Number] = ...) -> bool: ...
    def stop(self) -> None: ...

class ReplayQueue(queue.Queue[Any]):
    def __init__(self, maxsize: int = ...) -> None: ...
    def get(self, block: bool = ..., timeout: Optional[float] = ...) -> Any: ...

def replay(
    source: Union[str, bytes, "os.PathLike[str]", Iterable[Mapping[str, Any]]],
    front: Optional[_Front] = ...,
    speed: Optional[_Number] = ...,
    md_queue: Any = ...,
) -> Replay: ...

def settle(
    front: _Front, settlement_prices: Optional[Mapping[Union[str, bytes], _Number]] = ...
) -> None: ...
