#!/usr/bin/env python3
"""Checks the sound and the movie of a published course as the learner's browser loads them.

    check_published_media.py make-video OUT
    check_published_media.py check STANDALONE_FOLDER SHOT

make-video records a second of a moving picture into a small WebM file with headless Chromium (nothing else
on the machine makes movies), for a test course to carry.

check loads the standalone course from the file system in headless Chromium: its first screen must hold an
audio and a video element, each must load its file (its metadata read, no media error), the video must show
the browser's own controls, and nothing may be missing or fail on the console. A picture of the screen is kept
in SHOT. Both exit 77 (skipped) without Chromium.
"""

import base64
import json
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.dont_write_bytecode = True
sys.path.insert(0, str(HERE.parent.parent / "publish" / "startpage"))
from check_start_page import problems_of, open_page, save_screenshot, run_in_browser  # noqa: E402


RECORD = """new Promise((resolve, reject) => {
    const canvas = document.createElement("canvas");
    canvas.width = 160; canvas.height = 120;
    document.body.append(canvas);
    const g = canvas.getContext("2d");
    let frame = 0;
    const draw = () => { g.fillStyle = "#246"; g.fillRect(0, 0, 160, 120);
                         g.fillStyle = "#fc3"; g.fillRect((frame++ * 7) % 160, 40, 30, 30); };
    draw();
    const timer = setInterval(draw, 40);
    const recorder = new MediaRecorder(canvas.captureStream(25), { mimeType: "video/webm" });
    const parts = [];
    recorder.ondataavailable = e => parts.push(e.data);
    recorder.onerror = e => reject(String(e.error));
    recorder.onstop = async () => {
        clearInterval(timer);
        const bytes = new Uint8Array(await new Blob(parts).arrayBuffer());
        let text = "";
        for (const b of bytes) text += String.fromCharCode(b);
        resolve(btoa(text));
    };
    recorder.start();
    setTimeout(() => recorder.stop(), 1000);
})"""

# Waits until every media element of the screen has read its metadata or failed, at most a few seconds.
MEDIA = """new Promise(resolve => {
    const started = Date.now();
    const look = () => {
        const media = Array.from(document.querySelectorAll("#kvxMain audio, #kvxMain video"));
        const settled = media.length > 0 && media.every(m => m.readyState >= 1 || m.error);
        if (settled || Date.now() - started > 8000)
            resolve(JSON.stringify(media.map(m => ({
                kind: m.tagName.toLowerCase(),
                src: m.currentSrc || m.getAttribute("src") || "",
                ready: m.readyState,
                error: m.error ? m.error.code : 0,
                duration: isFinite(m.duration) ? m.duration : -1,
                controls: m.controls
            }))));
        else
            setTimeout(look, 100);
    };
    look();
})"""


def evaluate(browser, session, expression, timeout=30):
    answer = browser.send("Runtime.evaluate", {"expression": expression, "returnByValue": True, "awaitPromise": True},
                          session=session, timeout=timeout)
    if "exceptionDetails" in answer:
        raise RuntimeError(json.dumps(answer["exceptionDetails"]))
    return answer["result"]["value"]


def open_url(browser, url):
    session = open_page(browser)
    browser.send("Page.navigate", {"url": url}, session=session)
    browser.wait_for("Page.loadEventFired")
    return session


def make_video(browser, out):
    session = open_url(browser, "about:blank")
    data = evaluate(browser, session, RECORD)
    pathlib.Path(out).parent.mkdir(parents=True, exist_ok=True)
    pathlib.Path(out).write_bytes(base64.b64decode(data))
    print("recorded %d bytes into %s" % (pathlib.Path(out).stat().st_size, out))
    return []


def check(browser, standalone, shot):
    failures = []
    page = pathlib.Path(standalone) / "content" / "ind.htm"
    session = open_url(browser, page.as_uri())
    # The whole 1008 x 560 screen in the picture, the sound's controls at its foot included.
    browser.send("Emulation.setDeviceMetricsOverride",
                 {"width": 1100, "height": 760, "deviceScaleFactor": 1, "mobile": False}, session=session)
    browser.drain(1.5)
    media = json.loads(evaluate(browser, session, MEDIA))
    print("media: " + json.dumps(media))
    kinds = sorted(m["kind"] for m in media)
    if kinds != ["audio", "video"]:
        failures.append("the screen should hold one audio and one video element: %s" % kinds)
    for m in media:
        if m["error"] or m["ready"] < 1:
            failures.append("the %s element did not load %s (ready %d, error %d)"
                            % (m["kind"], m["src"], m["ready"], m["error"]))
        if m["kind"] == "video" and not m["controls"]:
            failures.append("the video shows no controls")
    save_screenshot(browser, session, shot)
    return failures + problems_of(browser.events)


def main():
    if len(sys.argv) < 3 or sys.argv[1] not in ("make-video", "check") or \
            len(sys.argv) != (3 if sys.argv[1] == "make-video" else 4):
        print(__doc__)
        return 2
    def drive(browser):
        failures = []
        if sys.argv[1] == "make-video":
            failures = make_video(browser, sys.argv[2])
        else:
            failures = check(browser, sys.argv[2], sys.argv[3])
        return failures

    return run_in_browser(drive, "done")


if __name__ == "__main__":
    sys.exit(main())
