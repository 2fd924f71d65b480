#!/usr/bin/env python3
"""Publishes a one-screen course for the standalone target and loads its start page in headless Chromium,
from the file system and from a local web server. Fails on any console error, uncaught exception or file
the page asks for that is not there, and checks that the page shows the course with its theme.

    check_start_page.py <publish_one_screen program> <program folder> <work folder>

Exits 77 (skipped) when no Chromium is installed. Uses only the Python standard library: the browser is
driven over its DevTools pipe (--remote-debugging-pipe).
"""

import base64
import http.server
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import threading
import time

SKIPPED = 77
TIMEOUT = 30.0


def find_chromium():
    for name in (os.environ.get("CHROMIUM"), "chromium", "chromium-browser", "google-chrome"):
        if name and shutil.which(name):
            return shutil.which(name)
    return None


class Browser:
    """One headless Chromium spoken to over its DevTools pipe: commands go to fd 3, replies come on fd 4,
    each message a JSON text ended by a NUL byte."""

    def __init__(self, executable, profile):
        to_browser_r, self._to_browser = os.pipe()
        self._from_browser, from_browser_w = os.pipe()
        args = [executable, "--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                "--no-first-run", "--no-default-browser-check", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--disable-extensions", "--mute-audio",
                "--user-data-dir=" + profile, "--remote-debugging-pipe", "about:blank"]

        def child_fds():
            os.dup2(to_browser_r, 3)
            os.dup2(from_browser_w, 4)

        self._process = subprocess.Popen(args, pass_fds=(3, 4), preexec_fn=child_fds, stdout=subprocess.DEVNULL,
                                         stderr=subprocess.DEVNULL)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self._buffer = b""
        self._next_id = 0
        self.events = []

    def close(self):
        try:
            self.send("Browser.close", timeout=5)
        except Exception:
            pass
        try:
            self._process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self._process.kill()
            self._process.wait()
        os.close(self._to_browser)
        os.close(self._from_browser)

    def _read_message(self, deadline):
        while b"\0" not in self._buffer:
            if time.monotonic() > deadline:
                raise TimeoutError("no answer from the browser")
            chunk = os.read(self._from_browser, 65536)
            if not chunk:
                raise EOFError("the browser ended")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, params=None, session=None, timeout=TIMEOUT):
        self._next_id += 1
        command = {"id": self._next_id, "method": method, "params": params or {}}
        if session:
            command["sessionId"] = session
        os.write(self._to_browser, json.dumps(command).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            message = self._read_message(deadline)
            if message.get("id") == self._next_id:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            self.events.append(message)

    def wait_for(self, method, timeout=TIMEOUT):
        deadline = time.monotonic() + timeout
        while True:
            for i, event in enumerate(self.events):
                if event.get("method") == method:
                    return self.events.pop(i)
            self.events.append(self._read_message(deadline))

    def drain(self, seconds):
        """Collects the events that arrive within the next seconds."""
        deadline = time.monotonic() + seconds
        os.set_blocking(self._from_browser, False)
        try:
            while time.monotonic() < deadline:
                try:
                    chunk = os.read(self._from_browser, 65536)
                except BlockingIOError:
                    time.sleep(0.05)
                    continue
                if not chunk:
                    break
                self._buffer += chunk
                while b"\0" in self._buffer:
                    message, self._buffer = self._buffer.split(b"\0", 1)
                    self.events.append(json.loads(message))
        finally:
            os.set_blocking(self._from_browser, True)



def open_page(browser):
    """A new page of the browser with its runtime, log, network and page events on; earlier events dropped.
    Returns the page's session."""
    target = browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
    session = browser.send("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
    for domain in ("Runtime", "Log", "Network", "Page"):
        browser.send(domain + ".enable", session=session)
    browser.events.clear()
    return session


def evaluate(browser, session, expression):
    """The value of the expression in the page."""
    return browser.send("Runtime.evaluate", {"expression": expression, "returnByValue": True},
                        session=session)["result"]["value"]


def save_screenshot(browser, session, path):
    """A picture of the page, kept at the path (its folder made when missing)."""
    picture = browser.send("Page.captureScreenshot", {"format": "png"}, session=session)
    pathlib.Path(path).parent.mkdir(parents=True, exist_ok=True)
    pathlib.Path(path).write_bytes(base64.b64decode(picture["data"]))


def problems_of(events):
    """What went wrong while a page loaded: errors on the console, uncaught exceptions, missing files."""
    found = []
    for event in events:
        method, params = event.get("method"), event.get("params", {})
        if method == "Runtime.exceptionThrown":
            details = params.get("exceptionDetails", {})
            found.append("exception: %s" % details.get("exception", {}).get("description", details.get("text")))
        elif method == "Runtime.consoleAPICalled" and params.get("type") in ("error", "assert", "warning"):
            texts = [str(arg.get("value", arg.get("description", ""))) for arg in params.get("args", [])]
            found.append("console %s: %s" % (params.get("type"), " ".join(texts)))
        elif method == "Log.entryAdded" and params.get("entry", {}).get("level") in ("error", "warning"):
            entry = params["entry"]
            found.append("log %s: %s %s" % (entry.get("level"), entry.get("text"), entry.get("url", "")))
        elif method == "Network.loadingFailed" and not params.get("canceled"):
            found.append("load failed: %s (%s)" % (params.get("requestId"), params.get("errorText")))
        elif method == "Network.responseReceived":
            response = params.get("response", {})
            if response.get("status", 200) >= 400:
                found.append("HTTP %s for %s" % (response.get("status"), response.get("url")))
    return found


PAGE_FACTS = """JSON.stringify({
    title: document.title,
    lang: document.documentElement.lang,
    course: (document.getElementById("coursetitle") || {}).textContent,
    start: (document.getElementById("kvxStartLink") || {getAttribute: () => null}).getAttribute("href"),
    startText: (document.getElementById("kvxStartLink") || {}).textContent,
    themed: getComputedStyle(document.querySelector(".kvxPage")).borderTopLeftRadius,
    sheets: document.styleSheets.length
})"""


def load(browser, url, screenshot=None, expression=PAGE_FACTS, settle=1.0):
    """Loads the page in a new tab; the facts the expression gives once it has settled, and its problems."""
    target = browser.send("Target.createTarget", {"url": "about:blank"})["targetId"]
    session = browser.send("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
    for domain in ("Runtime", "Log", "Network", "Page"):
        browser.send(domain + ".enable", session=session)
    browser.events.clear()
    browser.send("Page.navigate", {"url": url}, session=session)
    browser.wait_for("Page.loadEventFired")
    browser.drain(settle)
    facts = json.loads(browser.send("Runtime.evaluate", {"expression": expression, "returnByValue": True},
                                    session=session)["result"]["value"])
    problems = problems_of(browser.events)
    if screenshot:
        shot = browser.send("Page.captureScreenshot", {"format": "png"}, session=session)
        pathlib.Path(screenshot).write_bytes(base64.b64decode(shot["data"]))
    browser.send("Target.closeTarget", {"targetId": target})
    return facts, problems


def check_facts(facts):
    expected = {"title": "Fire Safety at Work", "lang": "en", "course": "Fire Safety at Work",
                "start": "content/ind.htm", "startText": "Start the course", "themed": "6px"}
    return ["%s is %r, expected %r" % (key, facts.get(key), value)
            for key, value in expected.items() if facts.get(key) != value]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass



def run_in_browser(drive, success):
    """Runs drive(browser), which returns the failures it found, in a fresh headless Chromium with a profile
    of its own, and prints the failures or the success line. Returns the exit status: 0 when nothing failed,
    1 with failures, SKIPPED without Chromium."""
    chromium = find_chromium()
    if not chromium:
        print("SKIPPED: no Chromium is installed (Debian's chromium package)")
        return SKIPPED
    failures = []
    with tempfile.TemporaryDirectory() as profile:
        browser = Browser(chromium, profile)
        try:
            failures += drive(browser)
        except (TimeoutError, EOFError, RuntimeError) as error:
            failures.append("the browser could not be driven: %s" % error)
        finally:
            browser.close()
    if failures:
        print("\n".join("FAIL: " + f for f in failures))
        return 1
    print(success)
    return 0


def serve(folder):
    handler = lambda *args, **kwargs: QuietHandler(*args, directory=folder, **kwargs)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    publisher, program_folder, work = sys.argv[1:]
    work = pathlib.Path(work)
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)

    run = subprocess.run([publisher, program_folder, str(work)], capture_output=True, text=True, timeout=120)
    print(run.stdout, end="")
    out = work / "out"
    failures = []
    if run.returncode != 0:
        failures.append("the publish did not complete (status %d): %s" % (run.returncode, run.stderr.strip()))
    for page in ("index.htm", "index.hta", "content/ind.htm", "content/scripts/course.css"):
        path = out / page
        if not path.is_file():
            failures.append("%s was not written" % page)
            continue
        text = path.read_bytes().decode("utf-8")
        lines = text.split("\n")
        if any(line.startswith(":::") for line in lines):
            failures.append("%s keeps a trigger line" % page)
        if "<~" in text and page != "content/scripts/course.css":
            failures.append("%s keeps a profile token" % page)
    if failures:
        print("\n".join("FAIL: " + f for f in failures))
        return 1

    chromium = find_chromium()
    if not chromium:
        print("SKIPPED: no Chromium is installed (Debian's chromium package); the start page was not loaded")
        return SKIPPED

    with tempfile.TemporaryDirectory() as profile:
        browser = Browser(chromium, profile)
        server = serve(str(out))
        try:
            urls = [(out / "index.htm").as_uri(),
                    "http://127.0.0.1:%d/index.htm" % server.server_address[1]]
            for url in urls:
                # A picture of the page is kept beside the published course, for a person to look at.
                facts, problems = load(browser, url, str(work / "start_page.png") if url.startswith("file:") else None)
                print("%s: %s" % (url, json.dumps(facts)))
                failures += ["%s: %s" % (url, p) for p in problems + check_facts(facts)]
        except (TimeoutError, EOFError, RuntimeError) as error:
            failures.append("the browser could not be driven: %s" % error)
        finally:
            server.shutdown()
            browser.close()
    if failures:
        print("\n".join("FAIL: " + f for f in failures))
        return 1
    print("The start page loads without errors from the file system and over HTTP.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
