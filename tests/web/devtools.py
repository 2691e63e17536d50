"""A small driver for headless Chromium through its DevTools protocol, for
the page's end-to-end tests: serves a folder on 127.0.0.1, starts the browser
on a private profile, opens pages, collects console messages and exceptions,
evaluates script, sends keys and mouse events and takes screenshots, which
decode_png turns into rows of pixels (no imaging library needed)."""

import base64
import functools
import http.server
import json
import os
import shutil
import struct
import subprocess
import tempfile
import threading
import time
import urllib.request
import zlib

import websocket

CHROMIUM_FLAGS = [
    "--headless=new",
    "--no-sandbox",
    "--use-gl=angle",
    "--use-angle=swiftshader",
    "--enable-unsafe-swiftshader",
    "--remote-debugging-port=0",
    "--remote-allow-origins=*",
    "--no-first-run",
    "--no-default-browser-check",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--disable-extensions",
    "--disable-background-timer-throttling",
    "--disable-renderer-backgrounding",
    "--disable-backgrounding-occluded-windows",
    "--mute-audio",
]

# What the DevTools key events need for the keys the tests press.
KEYS = {
    "w": ("KeyW", 87, "w"),
    "a": ("KeyA", 65, "a"),
    "s": ("KeyS", 83, "s"),
    "d": ("KeyD", 68, "d"),
    "Escape": ("Escape", 27, ""),
    "+": ("Equal", 187, "+"),
    "-": ("Minus", 189, "-"),
}


class StaticServer:
    """Serves a folder over HTTP on 127.0.0.1 on a free port, in a thread."""

    def __init__(self, folder):
        handler = functools.partial(_QuietHandler, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()

    def url(self, path=""):
        return "http://127.0.0.1:%d/%s" % (self.port, path)

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map, **{".wasm": "application/wasm"})

    def log_message(self, *args):
        pass


class Browser:
    """One headless Chromium with one page, driven through DevTools."""

    def __init__(self, extra_flags=(), width=1024, height=768, timeout=30):
        self.profile = tempfile.mkdtemp(prefix="quorvel-chromium.")
        self.width, self.height = width, height
        command = [_chromium()] + CHROMIUM_FLAGS + list(extra_flags) + [
            "--window-size=%d,%d" % (width, height), "--user-data-dir=" + self.profile, "about:blank"]
        self.stderr = open(os.path.join(self.profile, "stderr.txt"), "w+")
        self.process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=self.stderr)
        self.next_id = 0
        self.events = []          # DevTools events not yet looked at
        self.console = []         # (level, text) of console messages and log entries
        self.exceptions = []      # texts of uncaught exceptions
        try:
            port = self._read_port(timeout)
            self.ws = websocket.create_connection(self._page_socket(port, timeout), timeout=timeout,
                                                  suppress_origin=True)
            for domain in ("Page", "Runtime", "Log"):
                self.call(domain + ".enable")
            self.set_size(width, height)
        except Exception:
            self.close()
            raise

    # --- Start and end ---------------------------------------------------
    def _read_port(self, timeout):
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("chromium ended at start (exit %s): %s" % (self.process.returncode, self._stderr_tail()))
            try:
                with open(port_file) as f:
                    first = f.readline().strip()
                if first.isdigit():
                    return int(first)
            except OSError:
                pass
            time.sleep(0.1)
        raise RuntimeError("chromium gave no DevTools port in %d s: %s" % (timeout, self._stderr_tail()))

    def _page_socket(self, port, timeout):
        deadline = time.time() + timeout
        while time.time() < deadline:
            with urllib.request.urlopen("http://127.0.0.1:%d/json/list" % port, timeout=timeout) as reply:
                targets = json.load(reply)
            pages = [t for t in targets if t.get("type") == "page"]
            if pages:
                return pages[0]["webSocketDebuggerUrl"]
            time.sleep(0.1)
        raise RuntimeError("chromium shows no page")

    def _stderr_tail(self):
        self.stderr.flush()
        self.stderr.seek(0)
        return self.stderr.read()[-2000:]

    def close(self):
        try:
            if getattr(self, "ws", None):
                self.ws.close()
        except Exception:
            pass
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.stderr.close()
        shutil.rmtree(self.profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *args):
        self.close()

    # --- The protocol ----------------------------------------------------
    def call(self, method, **params):
        self.next_id += 1
        wanted = self.next_id
        self.ws.send(json.dumps({"id": wanted, "method": method, "params": params}))
        while True:
            message = self._receive()
            if message.get("id") == wanted:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})

    def _receive(self):
        message = json.loads(self.ws.recv())
        if "method" in message:
            self._note(message)
        return message

    def _note(self, event):
        method, params = event["method"], event.get("params", {})
        if method == "Runtime.consoleAPICalled":
            text = " ".join(str(a.get("value", a.get("description", ""))) for a in params.get("args", []))
            self.console.append((params.get("type"), text))
        elif method == "Runtime.exceptionThrown":
            details = params.get("exceptionDetails", {})
            text = details.get("exception", {}).get("description") or details.get("text", "")
            self.exceptions.append(text)
        elif method == "Log.entryAdded":
            entry = params.get("entry", {})
            self.console.append((entry.get("level"), "%s (%s)" % (entry.get("text", ""), entry.get("url", ""))))
        else:
            self.events.append(event)

    def pump(self, seconds):
        """Takes in events for the given time."""
        deadline = time.time() + seconds
        while True:
            left = deadline - time.time()
            if left <= 0:
                return
            self.ws.settimeout(left)
            try:
                self._receive()
            except websocket.WebSocketTimeoutException:
                return
            finally:
                self.ws.settimeout(None)

    def errors(self):
        """Console errors and uncaught exceptions seen so far."""
        return [text for level, text in self.console if level == "error"] + self.exceptions

    def console_text(self):
        return [text for _, text in self.console]

    # --- Pages -----------------------------------------------------------
    def set_size(self, width, height):
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=1, mobile=False)

    def open(self, url, timeout=30):
        self.console.clear()
        self.exceptions.clear()
        self.events.clear()
        self.call("Page.navigate", url=url)
        deadline = time.time() + timeout
        while not any(e["method"] == "Page.loadEventFired" for e in self.events):
            if time.time() > deadline:
                raise RuntimeError("the page %s did not load in %d s" % (url, timeout))
            self.pump(0.2)

    def evaluate(self, expression, await_promise=False):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=await_promise, userGesture=True)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            raise RuntimeError("script failed: %s" % details.get("exception", {}).get("description", details))
        return result.get("result", {}).get("value")

    def wait_for(self, expression, timeout=60, step=0.2):
        """Evaluates EXPRESSION until it is truthy; returns its value, or None after TIMEOUT seconds."""
        deadline = time.time() + timeout
        while True:
            value = self.evaluate(expression)
            if value:
                return value
            if time.time() > deadline:
                return None
            self.pump(step)

    # --- Input -----------------------------------------------------------
    def key(self, name, down):
        code, vk, text = KEYS[name]
        params = dict(type="keyDown" if down else "keyUp", key=name, code=code,
                      windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk)
        if down and text:
            params["text"] = text
            params["unmodifiedText"] = text
        self.call("Input.dispatchKeyEvent", **params)

    def hold_key(self, name, seconds):
        self.key(name, True)
        self.pump(seconds)
        self.key(name, False)

    def mouse(self, kind, x, y, button="none", clicks=0):
        self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button=button, clickCount=clicks)

    def click(self, x, y):
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, "left", 1)
        self.mouse("mouseReleased", x, y, "left", 1)

    # --- Pictures --------------------------------------------------------
    def screenshot_png(self):
        """The page as a PNG picture's bytes."""
        return base64.b64decode(self.call("Page.captureScreenshot", format="png")["data"])

    def screenshot(self):
        """The page as (width, height, rows of (r, g, b) tuples)."""
        return decode_png(self.screenshot_png())


def _chromium():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    raise RuntimeError("no chromium on PATH (bash scripts/install-deps.sh tests installs it)")


def decode_png(data):
    """Decodes an 8-bit RGB or RGBA PNG to (width, height, rows); each row a
    list of (r, g, b) tuples. Other kinds are refused with ValueError."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG picture")
    pos, width, height, colour, idat = 8, 0, 0, 0, []
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if len(body) != length:
            raise ValueError("PNG chunk %r cut short" % kind)
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError("PNG kind not read here: depth %d, colour type %d, interlace %d" %
                                 (depth, colour, interlace))
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
        pos += 12 + length
    channels = 3 if colour == 2 else 4
    stride = width * channels
    raw = zlib.decompress(b"".join(idat))
    if len(raw) != height * (stride + 1):
        raise ValueError("PNG pixel data of %d bytes, %d expected" % (len(raw), height * (stride + 1)))
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        _unfilter(kind, line, previous, channels)
        rows.append([tuple(line[x:x + 3]) for x in range(0, stride, channels)])
        previous = line
    return width, height, rows


def _unfilter(kind, line, previous, bpp):
    n = len(line)
    if kind == 0:
        return
    if kind == 1:
        for i in range(bpp, n):
            line[i] = (line[i] + line[i - bpp]) & 255
    elif kind == 2:
        for i in range(n):
            line[i] = (line[i] + previous[i]) & 255
    elif kind == 3:
        for i in range(n):
            left = line[i - bpp] if i >= bpp else 0
            line[i] = (line[i] + ((left + previous[i]) >> 1)) & 255
    elif kind == 4:
        for i in range(n):
            a = line[i - bpp] if i >= bpp else 0
            b = previous[i]
            c = previous[i - bpp] if i >= bpp else 0
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            predictor = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
            line[i] = (line[i] + predictor) & 255
    else:
        raise ValueError("PNG filter type %d" % kind)
