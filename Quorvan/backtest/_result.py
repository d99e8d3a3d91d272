"""Result: what a backtest leaves, as the broker recorded it, and the statistics drawn from
it. Plain data throughout, so that a Result pickles (a sweep sends it between processes)."""
import collections
import math
import statistics

# The trading days of a year, by which the Sharpe ratio of daily returns is annualised.
TRADING_DAYS_A_YEAR = 252

EquityPoint = collections.namedtuple("EquityPoint", "time trading_day balance")

_DIRECTION_BUY = "0"
_OFFSET_OPEN = "0"


def decoded(record):
    """A record's dict with its text as str: the broker's records hold GB18030 bytes."""
    return {name: value.decode("gb18030") if isinstance(value, bytes) else value
            for name, value in record.items()}


def _round_trips(trades, multipliers):
    """The profit of each closing trade against the opening trades it closes, first in first
    out, per instrument and side: what wins and losses are counted from (commission left
    out)."""
    held = collections.defaultdict(collections.deque)   # (instrument, long?) -> [price, lots]
    profits = []
    for trade in trades:
        instrument = trade["InstrumentID"]
        buy = trade["Direction"] == _DIRECTION_BUY
        if trade["OffsetFlag"] == _OFFSET_OPEN:
            held[instrument, buy].append([trade["Price"], trade["Volume"]])
            continue
        # A buy closes a short position, a sell a long one.
        lots, profit, opens = trade["Volume"], 0.0, held[instrument, not buy]
        while lots and opens:
            taken = min(lots, opens[0][1])
            move = trade["Price"] - opens[0][0]
            profit += (-move if buy else move) * taken * multipliers.get(instrument, 1)
            lots -= taken
            opens[0][1] -= taken
            if not opens[0][1]:
                opens.popleft()
        profits.append(profit)
    return profits


def _max_drawdown(start_balance, balances):
    peak, amount, percent = start_balance, 0.0, 0.0
    for balance in balances:
        peak = max(peak, balance)
        amount = max(amount, peak - balance)
        percent = max(percent, (peak - balance) / peak if peak > 0 else 0.0)
    return amount, percent


def _sharpe(start_balance, day_balances):
    returns, before = [], start_balance
    for balance in day_balances:
        returns.append(balance / before - 1 if before else 0.0)
        before = balance
    if len(returns) < 2:
        return math.nan
    spread = statistics.stdev(returns)
    if spread == 0:
        return math.nan
    return statistics.fmean(returns) / spread * math.sqrt(TRADING_DAYS_A_YEAR)


def compute_stats(start_balance, days, trades, equity, multipliers):
    end_balance = days[-1]["balance"] if days else start_balance
    net_profit = end_balance - start_balance
    drawdown, drawdown_pct = _max_drawdown(
        start_balance, [point.balance for point in equity] + [end_balance])
    profits = _round_trips(trades, multipliers)
    gains = sum(profit for profit in profits if profit > 0)
    losses = -sum(profit for profit in profits if profit < 0)
    return {
        "start_balance": start_balance,
        "end_balance": end_balance,
        "net_profit": net_profit,
        "commission": sum(day["commission"] for day in days),
        "return": net_profit / start_balance,
        "max_drawdown": drawdown,
        "max_drawdown_pct": drawdown_pct,
        "sharpe": _sharpe(start_balance, [day["balance"] for day in days]),
        "trades": len(trades),
        "round_trips": len(profits),
        "win_rate": sum(profit > 0 for profit in profits) / len(profits) if profits else math.nan,
        "profit_factor": (gains / losses if losses else math.inf if gains else math.nan),
        "turnover": sum(trade["Price"] * trade["Volume"] * multipliers.get(
            trade["InstrumentID"], 1) for trade in trades),
        "trading_days": len(days),
    }


class Result:
    """What a backtest leaves: the broker's orders and trades (their records as dicts, text
    as str), the account at each trading day's end (`days`), the equity curve (`equity`,
    EquityPoint(time, trading_day, balance) at each minute's end and after each tick that
    traded, the balance marked to the last price), each instrument's last price at each
    minute's end (`prices`) and `stats`, a dict of plain numbers."""

    def __init__(self, *, start_balance, days, orders, trades, equity, prices, multipliers):
        self.start_balance = start_balance
        self.days = days
        self.orders = orders
        self.trades = trades
        self.equity = equity
        self.prices = prices
        self.multipliers = multipliers
        self.stats = compute_stats(start_balance, days, trades, equity, multipliers)

    def __repr__(self):
        stats = self.stats
        return (f"<Result: {stats['trading_days']} day(s), {stats['trades']} trade(s), "
                f"net profit {stats['net_profit']:,.2f}, return {stats['return']:.2%}>")

    def to_frame(self):
        """The result as pandas DataFrames: a dict of "trades", "orders", "days", "equity"
        and "stats" (one row). ImportError without pandas."""
        from ._report import require
        pandas = require("pandas", "to_frame()")
        return {
            "trades": pandas.DataFrame(self.trades),
            "orders": pandas.DataFrame(self.orders),
            "days": pandas.DataFrame(self.days),
            "equity": pandas.DataFrame(self.equity, columns=EquityPoint._fields),
            "stats": pandas.DataFrame([self.stats]),
        }

    def plot(self, path):
        """Writes a PNG of the equity curve and its drawdown to `path` (matplotlib)."""
        from ._report import plot
        plot(self, path)

    def report(self, path, title=None):
        """Writes one self-contained HTML page to `path`: the statistics, the equity and
        drawdown charts and the trades on the price chart, working offline."""
        from ._report import report
        report(self, path, title)
