from typing import Any, Iterable, List, Mapping, Optional, Tuple, Union

from Quorvan.CTP.TraderApiBase import TraderApiBase
from Quorvan.utils.base_field import BaseField

__all__ = ["calls", "keep_calls", "fail_next", "throw_next", "emit", "disconnect", "configure",
           "set_market", "settle"]

LIBRARY_PATH: str

# An API object: its trader, or the flow directory it was (or will be) created with.
_ApiObject = Union[TraderApiBase, str, bytes, bytearray]
# A broker: a trader of its front, or the front's address.
_Front = Union[TraderApiBase, str, bytes, bytearray]
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
    trading_day: Optional[str] = ...,
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
    front: Optional[_Front] = ...,
) -> None: ...
def settle(
    front: _Front, settlement_prices: Optional[Mapping[Union[str, bytes], _Number]] = ...
) -> None: ...
