"""Headless Chromium for the tests: open a page, let its scripts run, read the DOM and the
errors the page raised, and type into it.

Chromium is driven over its DevTools protocol through a pair of pipes
(--remote-debugging-pipe), so nothing beyond Debian's `chromium` and the standard library is
needed, and no port is opened. Every wait has a deadline: a page that never loads or a
browser that stops answering raises TimeoutError instead of hanging the suite.

    rendered = render("build/report.html")          # a file, or an http:// URL
    assert not rendered.errors, rendered.errors
    assert "Result" in rendered.dom

    with Browser() as browser, serve("site") as base:
        page = browser.open(base + "/index.html")
        page.type("input.search", "buy_open")
        page.wait_for("document.querySelectorAll('.result').length > 0")
"""
import contextlib
import fcntl
import functools
import http.server
import json
import os
import pathlib
import select
import shutil
import signal
import subprocess
import tempfile
import threading
import time
from collections import namedtuple

DEFAULT_TIMEOUT = 60.0
COMMANDS = ("chromium", "chromium-browser", "google-chrome")

Rendered = namedtuple("Rendered", "dom errors")


def chromium_path():
    """The browser's executable, or None when none is installed."""
    for command in COMMANDS:
        path = shutil.which(command)
        if path:
            return path
    return None


class BrowserError(RuntimeError):
    """The browser refused a command or went away."""


class Browser:
    """One headless Chromium process; pages opened in it share nothing but the process."""

    def __init__(self, timeout=DEFAULT_TIMEOUT):
        executable = chromium_path()
        if executable is None:
            raise BrowserError("no Chromium on this machine (Debian's package: chromium)")
        self.timeout = timeout
        self._profile = tempfile.mkdtemp(prefix="quorvan-chromium-")
        to_browser_read, self._to_browser = os.pipe()
        self._from_browser, from_browser_write = os.pipe()
        to_browser_read, from_browser_write = (_above_four(to_browser_read),
                                               _above_four(from_browser_write))
        # Chromium reads commands on fd 3 and answers on fd 4; the shell puts the pipes there
        # whatever numbers they have here (bash, since dash takes single-digit
        # descriptors only).
        script = (f'exec "$0" "$@" 3<&{to_browser_read} 4>&{from_browser_write} '
                  f'{to_browser_read}<&- {from_browser_write}>&-')
        # --no-sandbox: the suite runs as root in CI, where Chromium's sandbox refuses to start.
        arguments = [executable, "--headless=new", "--remote-debugging-pipe", "--no-sandbox",
                     "--disable-gpu", "--disable-dev-shm-usage", "--no-first-run",
                     "--no-default-browser-check", "--disable-extensions",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--metrics-recording-only", "--mute-audio",
                     f"--user-data-dir={self._profile}", "about:blank"]
        try:
            self._process = subprocess.Popen(
                ["/bin/bash", "-c", script, *arguments], pass_fds=(to_browser_read, from_browser_write),
                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                start_new_session=True)
        finally:
            os.close(to_browser_read)
            os.close(from_browser_write)
        self._buffer = b""
        self._next_id = 0
        self._events = []
        try:
            self.command("Browser.getVersion")
        except BaseException:
            self.close()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        """Ends the browser and removes its profile; safe to call twice."""
        process, self._process = getattr(self, "_process", None), None
        if process is not None:
            # The browser exits on Browser.close without always answering it: wait for the
            # process, not for a reply, and end its whole group if it lingers.
            with contextlib.suppress(OSError):
                os.write(self._to_browser, json.dumps(
                    {"id": self._next_id + 1, "method": "Browser.close"}).encode() + b"\0")
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                with contextlib.suppress(ProcessLookupError):
                    os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        for fd in ("_to_browser", "_from_browser"):
            if getattr(self, fd, None) is not None:
                with contextlib.suppress(OSError):
                    os.close(getattr(self, fd))
                setattr(self, fd, None)
        shutil.rmtree(self._profile, ignore_errors=True)

    def command(self, method, params=None, session=None, timeout=None):
        """Sends one protocol command and returns its result; events that arrive meanwhile are
        kept for take_events."""
        if self._process is None:
            raise BrowserError("the browser is closed")
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session is not None:
            message["sessionId"] = session
        data = json.dumps(message).encode() + b"\0"
        while data:
            data = data[os.write(self._to_browser, data):]
        deadline = time.monotonic() + (timeout or self.timeout)
        while True:
            reply = self._receive(deadline)
            if reply.get("id") == message["id"]:
                if "error" in reply:
                    raise BrowserError(f"{method}: {reply['error'].get('message')}")
                return reply.get("result", {})
            if "method" in reply:
                self._events.append(reply)

    def pump(self, seconds):
        """Reads the events that arrive within `seconds`."""
        deadline = time.monotonic() + seconds
        with contextlib.suppress(TimeoutError):
            while True:
                self._events.append(self._receive(deadline))

    def take_events(self, session):
        """The events of one page received so far, removed from the browser's list."""
        mine = [event for event in self._events if event.get("sessionId") == session]
        self._events = [event for event in self._events if event.get("sessionId") != session]
        return mine

    def _receive(self, deadline):
        while b"\0" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("the browser did not answer in time")
            ready, _, _ = select.select([self._from_browser], [], [], left)
            if ready:
                chunk = os.read(self._from_browser, 1 << 20)
                if not chunk:
                    raise BrowserError("the browser exited")
                self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def open(self, url, timeout=None):
        """Opens `url` in a new page and returns it once it has loaded and its network has
        gone quiet."""
        target = self.command("Target.createTarget", {"url": "about:blank"})["targetId"]
        session = self.command("Target.attachToTarget",
                               {"targetId": target, "flatten": True})["sessionId"]
        page = Page(self, session, timeout or self.timeout)
        for domain in ("Page", "Runtime", "Log"):
            self.command(f"{domain}.enable", session=session)
        self.command("Page.setLifecycleEventsEnabled", {"enabled": True}, session=session)
        page.navigate(url)
        return page


class Page:
    """A page of a Browser: its errors, its DOM, and input."""

    def __init__(self, browser, session, timeout):
        self.browser = browser
        self.session = session
        self.timeout = timeout
        self._errors = []

    def navigate(self, url):
        result = self._command("Page.navigate", {"url": url})
        if result.get("errorText"):
            raise BrowserError(f"cannot open {url}: {result['errorText']}")
        loader = result.get("loaderId")
        self._wait_for_event(lambda event: event["method"] == "Page.lifecycleEvent"
                             and event["params"]["name"] == "networkIdle"
                             and event["params"].get("loaderId") == loader)

    @property
    def errors(self):
        """Uncaught exceptions, console.error calls and the browser's own error entries (a
        resource that failed to load), as text, in the order they came."""
        self._collect(self.browser.take_events(self.session))
        return list(self._errors)

    @property
    def dom(self):
        """The document's HTML as the scripts left it."""
        return self.evaluate("document.documentElement.outerHTML")

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page (a promise is awaited)."""
        result = self._command("Runtime.evaluate", {"expression": expression,
                                                    "returnByValue": True, "awaitPromise": True})
        if "exceptionDetails" in result:
            raise BrowserError(f"{expression}: {_exception_text(result['exceptionDetails'])}")
        return result["result"].get("value")

    def wait_for(self, condition, timeout=None):
        """Waits until the JavaScript expression `condition` is truthy; TimeoutError otherwise."""
        deadline = time.monotonic() + (timeout or self.timeout)
        while not self.evaluate(f"Boolean({condition})"):
            if time.monotonic() > deadline:
                raise TimeoutError(f"the page never satisfied {condition}")
            self.browser.pump(0.1)

    def type(self, selector, text):
        """Focuses the element `selector` names and types `text` into it, key by key, as a
        person would (so key and input listeners run)."""
        found = self.evaluate(f"(() => {{ const element = document.querySelector({json.dumps(selector)});"
                              " if (!element) return false; element.focus(); return true; })()")
        if not found:
            raise BrowserError(f"no element matches {selector}")
        for character in text:
            for kind in ("keyDown", "keyUp"):
                params = {"type": kind, "key": character}
                if kind == "keyDown":
                    params["text"] = character
                self._command("Input.dispatchKeyEvent", params)

    def screenshot(self, path):
        """Writes a PNG of the page."""
        import base64
        data = self._command("Page.captureScreenshot", {"format": "png"})["data"]
        pathlib.Path(path).write_bytes(base64.b64decode(data))

    def _command(self, method, params=None):
        return self.browser.command(method, params, session=self.session, timeout=self.timeout)

    def _wait_for_event(self, matches):
        deadline = time.monotonic() + self.timeout
        while True:
            events = self.browser.take_events(self.session)
            self._collect(events)
            if any(matches(event) for event in events):
                return
            if time.monotonic() > deadline:
                raise TimeoutError("the page did not finish loading in time")
            self.browser.pump(0.1)

    def _collect(self, events):
        for event in events:
            method, params = event["method"], event.get("params", {})
            if method == "Runtime.exceptionThrown":
                self._errors.append(_exception_text(params["exceptionDetails"]))
            elif method == "Runtime.consoleAPICalled" and params.get("type") == "error":
                self._errors.append(" ".join(str(arg.get("value", arg.get("description", "")))
                                             for arg in params.get("args", [])))
            elif method == "Log.entryAdded" and params["entry"].get("level") == "error":
                entry = params["entry"]
                self._errors.append(f"{entry.get('text', '')} {entry.get('url', '')}".strip())


def _above_four(fd):
    """A copy of `fd` numbered above 4 (the original closed), so that putting the pipes on 3
    and 4 in the child never overwrites one with the other."""
    copy = fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, 10)
    os.close(fd)
    return copy


def _exception_text(details):
    exception = details.get("exception") or {}
    return exception.get("description") or details.get("text", "exception")


def _url(path_or_url):
    text = str(path_or_url)
    if "://" in text or text.startswith("about:"):
        return text
    return pathlib.Path(text).resolve().as_uri()


def render(path_or_url, timeout=DEFAULT_TIMEOUT):
    """The DOM of a page (a file path or a URL) after its scripts ran, and the errors it
    raised meanwhile."""
    with Browser(timeout=timeout) as browser:
        page = browser.open(_url(path_or_url))
        return Rendered(page.dom, page.errors)


@contextlib.contextmanager
def serve(directory):
    """Serves `directory` over HTTP on the loopback address for the length of the block and
    yields its base URL (pages whose scripts fetch files, such as a site's search, do not
    work from file:// URLs)."""
    handler = functools.partial(_QuietHandler, directory=str(directory))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield f"http://127.0.0.1:{server.server_address[1]}"
    finally:
        server.shutdown()
        server.server_close()
        thread.join()


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
