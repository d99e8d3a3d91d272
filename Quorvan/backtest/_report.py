"""The pictures of a Result: a PNG of the equity curve and drawdown (matplotlib), and one
self-contained HTML page (inline SVG, no script, nothing fetched) with the statistics."""
import bisect
import html
import importlib
import math


def require(module, what):
    """The optional dependency `module`, or ImportError naming it and what needs it."""
    try:
        return importlib.import_module(module)
    except ImportError:
        raise ImportError(f"Quorvan.backtest: {what} needs {module.split('.')[0]}, which is not "
                          f"installed (pip install {module.split('.')[0]}, or "
                          "pip install 'Quorvan[backtest]')") from None


_WIDTH, _HEIGHT = 900, 260
_MARGIN_LEFT, _MARGIN_RIGHT, _MARGIN_TOP, _MARGIN_BOTTOM = 80, 20, 30, 40

# How each statistic reads in a report: its label and its format.
STAT_ROWS = (
    ("start_balance", "Starting balance", "{:,.2f}"),
    ("end_balance", "Ending balance", "{:,.2f}"),
    ("net_profit", "Net profit", "{:,.2f}"),
    ("return", "Return", "{:.2%}"),
    ("commission", "Commission", "{:,.2f}"),
    ("max_drawdown", "Maximum drawdown", "{:,.2f}"),
    ("max_drawdown_pct", "Maximum drawdown (%)", "{:.2%}"),
    ("sharpe", "Sharpe ratio (daily, annualised)", "{:.2f}"),
    ("trades", "Trades", "{:,}"),
    ("round_trips", "Closing trades", "{:,}"),
    ("win_rate", "Win rate", "{:.1%}"),
    ("profit_factor", "Profit factor", "{:.2f}"),
    ("turnover", "Turnover", "{:,.2f}"),
    ("trading_days", "Trading days", "{:,}"),
)


def drawdowns(start_balance, balances):
    """Each balance's fall below the highest balance before it (0 at a new high)."""
    peak, falls = start_balance, []
    for balance in balances:
        peak = max(peak, balance)
        falls.append(balance - peak)
    return falls


def stat_text(value, form):
    if isinstance(value, float) and not math.isfinite(value):
        return "n/a" if math.isnan(value) else "∞"
    return form.format(value)


def _scale(low, high, size, flip):
    if high == low:
        low, high = low - 1, high + 1
    span = high - low
    if flip:
        return lambda value: _MARGIN_TOP + (high - value) / span * size
    return lambda value: _MARGIN_LEFT + (value - low) / span * size


def _svg_chart(title, labels, values, kind, markers=()):
    """An inline SVG line (kind "line") or area under zero (kind "area") chart of `values`
    over their index, the first, middle and last of `labels` along the bottom; `markers`
    (index, value, buy?, tip) drawn as triangles."""
    plot_width = _WIDTH - _MARGIN_LEFT - _MARGIN_RIGHT
    plot_height = _HEIGHT - _MARGIN_TOP - _MARGIN_BOTTOM
    all_values = list(values) + [value for _, value, _, _ in markers]
    if kind == "area":
        all_values.append(0.0)
    low, high = (min(all_values), max(all_values)) if all_values else (0.0, 1.0)
    x = _scale(0, max(len(values) - 1, 1), plot_width, False)
    y = _scale(low, high, plot_height, True)
    parts = [f'<svg class="chart" '
             f'viewBox="0 0 {_WIDTH} {_HEIGHT}" width="{_WIDTH}" height="{_HEIGHT}" '
             f'role="img" aria-label="{html.escape(title)}">',
             f'<text x="{_MARGIN_LEFT}" y="18" class="title">{html.escape(title)}</text>',
             f'<rect x="{_MARGIN_LEFT}" y="{_MARGIN_TOP}" width="{plot_width}" '
             f'height="{plot_height}" class="frame"/>']
    for value in (low, (low + high) / 2, high):
        parts.append(f'<text x="{_MARGIN_LEFT - 6}" y="{y(value) + 4:.1f}" '
                     f'class="axis" text-anchor="end">{value:,.2f}</text>')
    if labels:
        for index, anchor in ((0, "start"), ((len(labels) - 1) // 2, "middle"),
                              (len(labels) - 1, "end")):
            parts.append(f'<text x="{x(index):.1f}" y="{_HEIGHT - 12}" class="axis" '
                         f'text-anchor="{anchor}">{html.escape(labels[index])}</text>')
    points = " ".join(f"{x(index):.1f},{y(value):.1f}" for index, value in enumerate(values))
    if kind == "area" and values:
        zero = y(0.0)
        parts.append(f'<polygon class="area" points="{x(0):.1f},{zero:.1f} {points} '
                     f'{x(len(values) - 1):.1f},{zero:.1f}"/>')
    elif values:
        parts.append(f'<polyline class="line" points="{points}"/>')
    for index, value, buy, tip in markers:
        cx, cy = x(index), y(value)
        shape = (f"{cx - 5:.1f},{cy + 8:.1f} {cx + 5:.1f},{cy + 8:.1f} {cx:.1f},{cy:.1f}"
                 if buy else
                 f"{cx - 5:.1f},{cy - 8:.1f} {cx + 5:.1f},{cy - 8:.1f} {cx:.1f},{cy:.1f}")
        parts.append(f'<polygon class="{"buy" if buy else "sell"}" points="{shape}">'
                     f'<title>{html.escape(tip)}</title></polygon>')
    parts.append("</svg>")
    return "\n".join(parts)


def _time_label(time):
    return f"{time:%Y-%m-%d %H:%M}"


def _trade_markers(result, instrument):
    """The instrument's trades placed on its minute price series."""
    series = result.prices.get(instrument, [])
    minutes = [minute for minute, _ in series]
    markers = []
    for trade in result.trades:
        if trade.get("InstrumentID") != instrument or trade.get("time") is None:
            continue
        at = trade["time"].replace(second=0, microsecond=0)
        index = min(bisect.bisect_left(minutes, at), len(minutes) - 1)
        buy = trade["Direction"] == "0"
        tip = (f'{trade["time"]:%Y-%m-%d %H:%M:%S} {"buy" if buy else "sell"} '
               f'{trade["Volume"]} at {trade["Price"]:g}')
        markers.append((index, trade["Price"], buy, tip))
    return markers


_STYLE = """
body { font-family: sans-serif; margin: 2em; color: #222; }
table.stats { border-collapse: collapse; margin-bottom: 1.5em; }
table.stats td, table.stats th { border: 1px solid #ccc; padding: 0.25em 0.8em; }
table.stats th { text-align: left; font-weight: normal; }
table.stats td.value { text-align: right; font-variant-numeric: tabular-nums; }
svg.chart { display: block; margin: 1em 0; }
svg .title { font-size: 14px; font-weight: bold; }
svg .axis { font-size: 11px; fill: #555; }
svg .frame { fill: none; stroke: #ccc; }
svg .line { fill: none; stroke: #1f5fa8; stroke-width: 1.5; }
svg .area { fill: #d9534f; fill-opacity: 0.35; stroke: #d9534f; }
svg .buy { fill: #2e8b57; }
svg .sell { fill: #c0392b; }
"""


def report_html(result, title=None):
    """The report of `result` as one HTML page that needs nothing else: no script, no font or
    style sheet fetched."""
    title = title or "Backtest report"
    rows = "\n".join(
        f'<tr><th scope="row">{label}</th><td class="value">'
        f'{stat_text(result.stats[key], form)}</td></tr>'
        for key, label, form in STAT_ROWS)
    labels = [_time_label(point.time) for point in result.equity]
    balances = [point.balance for point in result.equity]
    charts = [
        _svg_chart("Equity (balance marked to market)", labels, balances, "line"),
        _svg_chart("Drawdown", labels, drawdowns(result.start_balance, balances), "area"),
    ]
    for instrument, series in sorted(result.prices.items()):
        charts.append(_svg_chart(
            f"{instrument}: last price at each minute, with the strategy's trades",
            [_time_label(minute) for minute, _ in series], [last for _, last in series],
            "line", _trade_markers(result, instrument)))
    return (f'<!DOCTYPE html>\n<html lang="en">\n<head>\n<meta charset="utf-8">\n'
            f'<title>{html.escape(title)}</title>\n<style>{_STYLE}</style>\n</head>\n<body>\n'
            f'<h1>{html.escape(title)}</h1>\n<table class="stats">\n{rows}\n</table>\n'
            + "\n".join(charts) + "\n</body>\n</html>\n")


def report(result, path, title=None):
    with open(path, "w", encoding="utf-8") as page:
        page.write(report_html(result, title))


def plot(result, path):
    """Writes a PNG of the equity curve over its drawdown. Drawn on a figure of its own
    (matplotlib's object interface), so that a program's own pyplot state is left alone."""
    require("matplotlib", "plot()")
    from matplotlib.backends.backend_agg import FigureCanvasAgg
    from matplotlib.figure import Figure

    times = [point.time for point in result.equity]
    balances = [point.balance for point in result.equity]
    figure = Figure(figsize=(10, 6))
    FigureCanvasAgg(figure)
    equity_axes, drawdown_axes = figure.subplots(2, 1, sharex=True,
                                                 gridspec_kw={"height_ratios": [2, 1]})
    equity_axes.plot(times, balances, color="#1f5fa8")
    equity_axes.set_title("Equity (balance marked to market)")
    drawdown_axes.fill_between(times, drawdowns(result.start_balance, balances), 0,
                               color="#d9534f", alpha=0.4)
    drawdown_axes.set_title("Drawdown")
    figure.autofmt_xdate()
    figure.tight_layout()
    figure.savefig(path, format="png")
