"""The pictures of a Result: a PNG of the equity curve and drawdown (matplotlib), and one
self-contained HTML page (inline SVG, no script, nothing fetched) with the statistics."""
import importlib


def require(module, what):
    """The optional dependency `module`, or ImportError naming it and what needs it."""
    try:
        return importlib.import_module(module)
    except ImportError:
        raise ImportError(f"Quorvan.backtest: {what} needs {module.split('.')[0]}, which is not "
                          f"installed (pip install {module.split('.')[0]}, or "
                          "pip install 'Quorvan[backtest]')") from None
