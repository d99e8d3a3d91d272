import ctypes
from typing import Any, Dict, Union

ENCODING: str

def to_bytes(value: Union[str, bytes, bytearray, int]) -> bytes: ...
def to_str(value: Union[str, bytes, bytearray]) -> str: ...

class BaseField(ctypes.Structure):
    # A record takes only its own fields: without these, the catch-all attribute access that
    # the ctypes stubs give every Structure would let a misspelt field name pass.
    __getattr__: None  # type: ignore[assignment, misc]
    __setattr__: None  # type: ignore[assignment, misc]

    def __init__(self, **fields: Any) -> None: ...
    def to_dict(self) -> Dict[str, Any]: ...
    def to_str_dict(self) -> Dict[str, Any]: ...
