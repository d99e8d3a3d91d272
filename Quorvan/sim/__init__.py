"""Control of the simulated vendor libraries built from simtrader/: the trader library
libthosttraderapi_se.so, and the market-data library libthostmduserapi_se.so, whose objects
the trader library holds beside its own.

Tests play the broker's side of a session with these functions: read what an API object
received (calls, of which each object keeps the last keep_calls), make its next calls fail
or throw (fail_next, throw_next), raise events on its thread (emit) and drop its connection
(disconnect).

An API object is named by its trader, whose API object was created with the flow directory
``trader.flow_path + "td.con/"``, by its MdApiBase (Quorvan.CTP.MdApiBase), whose API object
was created with ``md.flow_path + "md.con/"``, or by that flow directory itself as a str (or
bytes), which also names an object not created yet: faults armed for it wait for the next
object created with that directory.

The simulated broker
--------------------
Every trader talks to the simulated broker of its front (the address its API object
registered), shared by all traders of that front in the process; configure and set_market
name a front by a trader, or by its address as str or bytes, with or without the "tcp://"
the extension adds. A test that gives its traders a front of their own keeps its broker to
itself.

A broker behaves as the vendor's do: a trader logs in by itself, and its orders, cancels and
queries are answered with the vendor's records and error codes. Unless configure declares
accounts, any broker id, investor, app id and auth code are accepted, an investor's first
login sets its password and a later login with another password is refused; each account
starts with a balance of 10,000,000 yuan. Each login gets FrontID 1 and a new SessionID.

Each market has up to five levels a side, as the vendor's depth market data carries them:
the best bid and ask with the lots there (bid_volume, ask_volume: 1,000,000 unless set, so
that small orders fill whole), and the levels behind them that set_market's bids and asks
give (none unless given). A limit order crosses the asks at or below its limit (a buy) or the
bids at or above it (a sell) and sweeps them best first, each fill at its level's price up to
the lots there, taking them (they are gone from the level until a move quotes it again); one
good for the day (TimeCondition GFD) rests with what is left at its own price (OrderStatus
PartTradedQueueing once part traded, VolumeTraded and VolumeTotal kept), until a market set
later crosses it. A resting order is the maker: a later market whose asks or bids cross it,
or whose last price is at or through its price, fills it at its own price (the lots of the
levels at or through its price, or the rise of the day's volume for a last price; the whole
order when the move gives no volume). Each fill sends an OnRtnOrder and an OnRtnTrade. The
market is every order's other side: traders' orders do not trade with each other, they
compete for what the market offers. The kinds of order, all with TimeCondition
IOC but the first:

    limit, GFD           rests until filled or cancelled
    FAK   IOC + AV       fills what the levels it crosses hold, the rest is cancelled
    FOK   IOC + CV       fills whole across those levels or not at all
    IOC + MV             fills at least MinVolume (1 to the volume) or nothing
    market (AnyPrice)    IOC across every level of the other side; refused
                         (ErrorID 80) on an exchange that takes none (SHFE and INE by
                         default, see configure's exchanges); the money it needs
                         is reckoned at the upper limit

The exchange rejects a limit price off the instrument's tick or outside the day's limits
(upper_limit, lower_limit): OnRtnOrder with OrderSubmitStatus InsertRejected, OrderStatus
Canceled and the reason in StatusMsg, no trade and nothing frozen.

Conditional orders (ContingentCondition Touch, TouchProfit, and last price greater than,
greater or equal to, less than, less or equal to StopPrice) are held by the broker:
OrderStatus NotTouched, an OrderSysID starting "TJBD_", nothing frozen. A stop (Touch)
triggers when the last price reaches StopPrice against the position (a sell at or below it,
a buy at or above), a take-profit (TouchProfit) the other way round. When set_market's last
price meets the condition the order goes to the exchange at its own price type and proceeds
as any order; money and positions are checked then, and an order that fails them is
cancelled with the vendor's message in StatusMsg. Other conditions are refused with ErrorID
54, a StopPrice that is not positive or off the tick with 15.

A cancel names the order by FrontID, SessionID and OrderRef, or by ExchangeID and OrderSysID
(which counts when both are given); held and part-traded orders cancel too. An order's
ExchangeID may be left empty; the exchange of another instrument is refused as an unknown
instrument. A field the broker does not take (a hedge flag other than speculation, forced
closes, swap orders, another price type or time condition) is refused with ErrorID 15. Money
follows the exchanges' daily mark-to-market: margin is price x volume x multiple x margin
ratio, on each side of a position but at CFFEX, which margins a product's larger side only
(configure's exchanges, max_margin_side); balance = pre-balance + close profit + position
profit - commission; available = balance - margin - frozen margin - frozen commission, what
resting orders hold back. An order over its instrument's MaxLimitOrderVolume or
MaxMarketOrderVolume, or whose OrderRef is not above the session's last, is refused (ErrorID
15, 22).

A broker trades on one day at a time: the local date, or configure's trading_day. settle
ends it (see settle): the day's waiting orders are cancelled, positions are marked at the
settlement prices and carried into the next trading day (a weekday that is not one of
configure's holidays; none is built in) as yesterday's, accounts roll, each gets its
settlement statement, and the traders reconnect to the new day.

The market's clock
------------------
The broker stamps its records (InsertDate and InsertTime, UpdateTime, CancelTime, TradeDate
and TradeTime, ActionDate and ActionTime, the exchange times of a login) with the market's
clock: the time of the last move that gave one (set_market's time, or the tick a replay
plays), or the local clock while none has, and again after a set_market without a time.
Each time is taken as it comes: a replay of an earlier file turns the clock back. A market
time from 18:00 belongs to the night session, which trades for the next trading day: an
order or trade made then carries the evening's date (InsertDate, TradeDate) and the next
trading day as its TradingDay; Friday evening and the small hours of Saturday trade for
Monday, and holidays are skipped. Once the market's clock is in a later trading day than the
broker's, orders, trades, market data and settle use that day (the login's TradingDay and
the flows stay in the broker's day until it settles); the clock never moves the day back,
and the local clock never moves it at all, so a broker left on it keeps its day at any hour.

Besides orders, trades, positions and the trading account, the broker answers the queries a
strategy makes at start from its configuration: instruments, depth market data, exchanges,
products, the commission, margin and order-fee rates (order and cancel fees are none) of the
logged-in investor, the investor, its trading codes (its own id at each exchange),
settlement confirmation and settlement statements (ReqQrySettlementInfo). Queries about
what it does not keep get one empty last answer.

The instruments every broker lists unless configured otherwise, each quoted one tick wide
(bid at the last price, ask a tick above), with daily limits of the product's usual band
around yesterday's settlement (rb, cu, au 7%; sc 8%; m, SR, TA 6%; i 11%; IF, IC 10%;
si, lc 9%):

    SHFE   rb2705 rebar (tick 1, x10)       cu2702 copper (tick 10, x5)
           au2706 gold (tick 0.02, x1000)
    INE    sc2702 crude oil (tick 0.1, x1000)
    DCE    m2705 soybean meal (tick 1, x10) i2705 iron ore (tick 0.5, x100)
    CZCE   SR705 sugar (tick 1, x10)        TA705 PTA (tick 2, x5)
    CFFEX  IF2703 CSI 300 (tick 0.2, x300)  IC2703 CSI 500 (tick 0.2, x200)
    GFEX   si2705 industrial silicon (tick 5, x5)
           lc2705 lithium carbonate (tick 50, x1)

Trading hours
-------------
A broker lets every instrument trade at any time until configure(front,
trading_hours="exchange") makes it keep each product's hours at its exchange, on the market's
clock (the time of the last set_market(..., time=...) or replayed tick; the local time until
one was given). A trading day begins at 18:00 the evening before; a night session's hours
after midnight belong to it, and a night runs only after a trading day when the next trading
day is the next weekday (Friday night and the small hours of Saturday trade; Saturday night,
and the night before a holiday, do not).

    commodities  day 09:00-10:15, 10:30-11:30, 13:30-15:00, opening call auction
                 08:55-08:59 taking orders, 08:59-09:00 matching; a product with a night
                 session has its auction before the night instead (20:55-20:59, 20:59-21:00)
    nights       rb, m, i, SR, TA 21:00-23:00; cu 21:00-01:00; au, sc 21:00-02:30;
                 si, lc none
    IF, IC       09:30-11:30, 13:00-15:00, auction 09:25-09:29 taking orders, 09:29-09:30

Outside continuous trading and the auction's order taking, an order or a cancel of an order
at the exchange is refused with ErrorID 17 (CTP:合约不能交易) in OnRspOrderInsert and
OnErrRtnOrderInsert (OnRspOrderAction and OnErrRtnOrderAction for a cancel); the broker
holds conditional orders at any hour, and they may be cancelled at any hour. Orders taken in
an auction rest unmatched (an immediate one is cancelled at once) and meet the first market
of continuous trading, as any resting order does. Nothing fills and no conditional order
triggers outside continuous trading, in a break or an auction: markets move, orders wait.
As the clock crosses a boundary, the public flow carries each listed instrument's
OnRtnInstrumentStatus (InstrumentStatus BeforeTrading, AuctionOrdering, AuctionMatch,
Continous, NoTrading for a break, Closed after the day's last session; EnterTime when the
status began) to every logged-in trader of the broker; a clock that jumps over several
boundaries reports only the status it lands in. A product the broker has no hours for (a
new instrument's) trades at any time unless trading_hours gives its sessions.

Flow control
------------
The vendor's library and brokers limit how fast a trader may ask, and so does the simulated
library, per API object and in real time:

- A query (every ReqQry... request, and the query_... helpers, which return what it
  returns) made while queries_in_flight earlier queries of the object are unanswered (their
  last answer, bIsLast, not yet delivered to the handler) returns -2; one that would be more
  than queries_per_second within the last second returns -3 (-2 when both hold, since the
  earlier answer must come first). Either sends nothing: the call shows in calls() as any
  refused request does, and the handler hears nothing of it. An answer counts as delivered
  as its handler is called, so the handler of a query's last answer may send the next
  query. A dropped connection forgets the queries it left unanswered.
- An order or cancel (ReqOrderInsert, ReqOrderAction) that would be more than
  orders_per_second within the last second is refused by the broker with code 116
  (CTP:下单频率限制) in OnRspOrderInsert or OnRspOrderAction only: it never reached the
  account, so no OnErrRtn... follows.

The defaults are the vendor's: one query a second, one unanswered at a time, orders
unlimited. configure(front, limits=...) changes them for a front's traders made afterwards;
limits=None lifts them all. A program retries a query held back, after the earlier answer
arrived (-2) or once a second has passed since the last query it sent (-3).

Whatever the limits, answers do not pile up behind a slow handler: while 10,000 of the
broker's events wait for an API object's thread, its requests wait too, in order, and go to
the broker as the handler catches up; once 100,000 requests wait so, a further request
returns -2. A request that returned 0 is answered in full. Release drops whatever waits.

Replayed markets
----------------
replay(source, front, speed, md_queue) plays recorded ticks (a CSV file, or dicts) into a
broker's markets on a thread of its own, each tick as a set_market, and hands each to the
strategy's md_queue as a DepthMarketDataField dict, so that a strategy runs over a recorded
day through the same code as live. With speed None it keeps pace with the strategy (each
tick's fills delivered, and with a queue.Queue the strategy's task_done() and its orders'
answers awaited, before the next tick), so that a backtest trades the same way every run; a
number plays at that multiple of real time. wait_delivered() is the wait it uses, and
market() the broker's quote it reads; see replay().

At speed None the replay's thread borrows the work of the front's API objects: their
handlers run on it, one event at a time, and no tick waits on another thread, which is what
makes a backtest fast; a CSV file's plain rows are read and played in the library itself. A
strategy taking ticks on a thread of its own goes as fast with a ReplayQueue as its
md_queue: its get() plays the next tick on the strategy's thread.

Market data
-----------
A simulated market-data front at an address publishes the markets of the broker of the same
address, or of the broker that configure(front, md_front=address) names it for; an MdApiBase
registered with it talks to that broker. Like most market-data fronts it takes any login,
empty identities included: OnRspUserLogin carries the broker's TradingDay, the LoginTime,
the BrokerID and UserID given, FrontID 1 and a new SessionID. ReqUserLogout answers
OnRspUserLogout and ends the login with its subscriptions.

SubscribeMarketData answers each instrument in OnRspSubMarketData (a
SpecificInstrumentField, ErrorID 0, bIsLast on the last), then sends at once the current
market of each listed instrument named, as OnRtnDepthMarketData; an instrument not listed is
answered too and brings nothing. Before a login each is answered with ErrorID 6
(CTP:还没有登录) and nothing is subscribed. UnSubscribeMarketData answers alike and ends
them; SubscribeForQuoteRsp and UnSubscribeForQuoteRsp are answered (the broker takes no
quote requests, so no OnRtnForQuoteRsp follows); ReqQryMulticastInstrument is answered with
one empty last response. A null array or id, or a negative count, returns -1, sending
nothing, as does any of these while the line is down. Subscriptions belong to the
connection: a disconnection (disconnect, settle) or a logout forgets them, and a client
subscribes again after its next login, as MdApiBase does by itself.

From then on every set_market and every replayed tick of a subscribed instrument reaches the
subscriber as OnRtnDepthMarketData with the whole record, the one market() reads: TradingDay,
ActionDay, UpdateTime and UpdateMillisec (a replayed tick's own time; otherwise when the
market last moved), InstrumentID, ExchangeID and ExchangeInstID, LastPrice, the five levels
BidPrice1 to BidPrice5 with BidVolume1 to BidVolume5 and the asks likewise (0 where the book
has no level), Volume, Turnover, OpenInterest and AveragePrice (the exchange's figures for
the day, as set_market or the replay gives them), the day's
OpenPrice, HighestPrice and LowestPrice of the last prices set, UpperLimitPrice,
LowerLimitPrice, PreSettlementPrice and PreClosePrice. What the exchange has not set yet
(the day's open before a last price, ClosePrice, SettlementPrice, CurrDelta) holds the
vendor's mark for no price, DBL_MAX (1.7976931348623157e308).

wait_delivered(front) and a replay at speed None cover the market-data objects of the front
as they cover its traders: the ticks have reached the handlers, and what those sent has been
answered. A strategy fed through an MdApiBase therefore passes no md_queue to replay, which
would hand it each tick a second time; replay's md_queue is for a strategy without one.

Resuming the flows
------------------
A broker keeps, for the trading day, each investor's private flow (OnRtnOrder, OnRtnTrade,
OnErrRtnOrderInsert, OnErrRtnOrderAction, in order, numbered 1, 2, 3, ...) and the public
flow (OnRtnInstrumentStatus: each instrument trading continuously from the day's start).
After a login the API object receives, by the resume type given to SubscribePrivateTopic or
SubscribePublicTopic (QUICK for one never called):

    RESTART (0)   the whole of the day's flow, then what follows
    RESUME (1)    what this flow directory has not received yet, then what follows
    QUICK (2)     only what follows the login
    NONE (3)      nothing of that flow, not even what follows

Like the vendor's library, an API object keeps the number of the last event it delivered
of each flow (once its callback has returned) and the trading day in files under its flow
directory, Private.con and Public.con, so RESUME continues where that directory stopped:
after disconnect() and the reconnection, in a new API object, or in a new process
configuring the same store. Marks of another trading day, or beyond the broker's flow (a
new store), count as nothing received.

The library is loaded from the very file the extension links, so both see the same objects.
Each call releases the interpreter lock while the library works, which a callback raised
meanwhile needs.
"""

from ._library import LIBRARY_PATH
from ._flows import calls, keep_calls, fail_next, throw_next, emit, disconnect, wait_delivered
from ._configuration import configure, settle
from ._market import set_market, market
from ._replay import Replay, ReplayQueue, replay

__all__ = ["calls", "keep_calls", "fail_next", "throw_next", "emit", "disconnect", "configure",
           "set_market", "settle", "market", "wait_delivered", "replay", "Replay",
           "ReplayQueue"]

# The public names are this module's own wherever they are written: help(), reprs and pickles
# name them Quorvan.sim.x, the one place a user imports them from.
for _public in __all__:
    globals()[_public].__module__ = __name__
del _public
