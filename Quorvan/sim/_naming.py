"""How the controls are told which API object or broker they act on: an API object by its
trader or MdApiBase, or by the flow directory it was created with; a broker by a trader, an
MdApiBase or a front address. Each comes out as the bytes the library keys on."""

import functools
import os

from Quorvan.utils.base_field import to_bytes

from ._library import control


@functools.lru_cache(maxsize=None)
def _md_api_class():
    """Quorvan.CTP.MdApiBase.MdApiBase, or None in a build without it."""
    try:
        from Quorvan.CTP.MdApiBase import MdApiBase
    except ImportError:
        return None
    return MdApiBase


def is_md_api(value):
    md_api_class = _md_api_class()
    return md_api_class is not None and isinstance(value, md_api_class)


def flow_directory(trader):
    """The flow directory an API object was created with, as the bytes the library keys on."""
    # A directory is named as the file system spells it, as the extensions hand it to the
    # factories: GB18030, the vendor's encoding of text, would name no directory with a
    # non-ASCII name under a UTF-8 file system.
    if isinstance(trader, (bytes, bytearray)):
        directory = bytes(trader)
    elif isinstance(trader, str):
        directory = os.fsencode(trader)
    else:
        flow_path = getattr(trader, "flow_path", None)
        if not isinstance(flow_path, str):
            raise TypeError(
                "trader must be a trader or MdApiBase object (with a str flow_path) or the flow "
                f"directory of its API object as str, not {type(trader).__name__}")
        # What the extension hands the factory for this object: the trader's API object lives
        # in "td.con", the market-data one in "md.con".
        subdirectory = "md.con" if is_md_api(trader) else "td.con"
        directory = os.fsencode(flow_path + subdirectory + os.path.sep)
    if b"\0" in directory:
        raise ValueError(f"the flow directory {directory!r} contains a NUL byte")
    return directory



def front_address(front):
    """The address a trader with that front registers, as the bytes the library keys on."""
    if front is None:
        return None
    if isinstance(front, (bytes, bytearray)):
        address = bytes(front)
    elif isinstance(front, str):
        address = to_bytes(front)
    elif is_md_api(front):
        # The broker whose markets its market-data front publishes.
        return control.published_front(front_address(front.md_server))
    else:
        address = getattr(front, "td_server", None)
        if not isinstance(address, bytes):
            raise TypeError("front must be a trader or MdApiBase object, or a front address "
                            f"as str or bytes, not {type(front).__name__}")
    # The extension registers every address that lacks it with this prefix.
    if not address.startswith(b"tcp://"):
        address = b"tcp://" + address
    if b"\0" in address:
        raise ValueError(f"the front address {address!r} contains a NUL byte")
    return address

