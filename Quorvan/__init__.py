"""Python trading sessions over the CTP futures trader interface, with a simulated broker.

`Quorvan.CTP.TraderApiBase` and `Quorvan.CTP.MdApiBase` are the two halves of the interface,
`Quorvan.client` an asyncio client over them, `Quorvan.sim` the simulated broker's controls.
"""
from ._log_route import log_to_logging, log_to_stdout
from ._version import __version__

__all__ = ["__version__", "log_to_logging", "log_to_stdout"]
